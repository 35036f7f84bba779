#pragma once

#include "common/TSchedaSocio.h"
#include "common/ui/Screens.h"
#include "output/ReportTemplate.h"

#include <QImage>

#include <memory>

class Picture;
class QLabel;
class QRadioButton;

// What the member card's print and preview screens share: the choice between
// the card with photo (repFoto) and without (repScheda), and the filling of the
// chosen template from the member card. Only the last step differs.
class MemberPrintScreen : public FixedDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString caption, withPhoto, withoutPhoto, confirm, banner;
        QRect bannerGeometry;
    };

    // The picture to print in the photo box: the card's photo, or the
    // placeholder portrait when the card gives none.
    void setPhoto(const QImage &photo);
    QImage photo() const;

    ReportTemplate &repScheda() { return *m_repScheda; }
    ReportTemplate &repFoto() { return *m_repFoto; }

    // The template the current choice selects, filled from the card and prepared.
    ReportTemplate &prepareCard(const TSchedaSocio &card);

protected:
    MemberPrintScreen(const Texts &texts, QWidget *parent);
    void paintEvent(QPaintEvent *) override;
    // Sends the prepared template to the printer or to the preview window.
    virtual void output(ReportTemplate &report) = 0;

private:
    void btnStampaClick();

    std::unique_ptr<ReportTemplate> m_repScheda;
    std::unique_ptr<ReportTemplate> m_repFoto;
    QLabel *m_memory = nullptr;
    Picture *m_logo = nullptr;
    Picture *m_blank = nullptr;
};
