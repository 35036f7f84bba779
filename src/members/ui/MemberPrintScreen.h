#pragma once

#include "common/TSchedaSocio.h"
#include "common/ui/Screens.h"
#include "output/ReportTemplate.h"

#include <QImage>

#include <memory>
#include <optional>

class Picture;
class QLabel;
class QRadioButton;

// What the member card's print and preview screens share: the choice between
// the card with photo (repFoto) and without (repScheda), and the filling of the
// chosen template from the member and photo the card handed over. Only the last
// step differs.
class MemberPrintScreen : public FixedDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString caption, withPhoto, withoutPhoto, confirm, banner;
        QRect bannerGeometry;
    };

    // The choice of optUno and optDue: "con" and "senza" in lblMemory.
    enum class Choice { WithPhoto, WithoutPhoto };

    // Opens a screen of type Screen owned by `owner` for the member and photo as
    // the card shows them, and waits for it: the choice sent to the printer or
    // the preview, or nothing when the user pressed "Annulla".
    template <class Screen>
    static std::optional<Choice> run(QWidget *owner, const TSchedaSocio &member, const QImage &photo)
    {
        return runDialog<Screen>(
            owner,
            [&](Screen &s) {
                s.setMember(member);
                s.setPhoto(photo);
            },
            [](const Screen &s) { return s.printed(); });
    }

    // The member to print: the card's fields as the card shows them, saved or not.
    void setMember(const TSchedaSocio &member) { m_member = member; }
    // The picture to print in the photo box: the card's photo, or the
    // placeholder portrait when the card gives none.
    void setPhoto(const QImage &photo);
    QImage photo() const;

    Choice choice() const { return m_choice; }
    // The choice that was printed or previewed; nothing before "Stampa".
    std::optional<Choice> printed() const { return m_printed; }

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

    TSchedaSocio m_member;
    Choice m_choice = Choice::WithPhoto;
    std::optional<Choice> m_printed;
    std::unique_ptr<ReportTemplate> m_repScheda;
    std::unique_ptr<ReportTemplate> m_repFoto;
    QLabel *m_memory = nullptr;
    Picture *m_logo = nullptr;
    Picture *m_blank = nullptr;
};
