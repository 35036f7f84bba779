#pragma once

#include "balance/PrimaNota.h"

#include <QDialog>

#include <memory>
#include <optional>

class ListScreen;
class PictureButton;
class QLabel;
class QLineEdit;
class RowList;
class QPushButton;
class ReportTemplate;

// The prima nota list: a maximised window opened over the period chooser for
// one request. Showing it reads the year's file and lists the movements of the
// interval with their totals; the rows can be searched and printed.
class TfrmBilancio : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmBilancio(QWidget *parent = nullptr);
    ~TfrmBilancio() override;

    // The period to list, set by the chooser before the window is shown. A
    // window shown without one keeps its design texts and an empty list.
    void setRequest(const PrimaNota::Request &request);

    // The printed prima nota, as the last "Stampa primanota" left it.
    const ReportTemplate &frxReport() const { return *m_report; }

    QWidget *panContainer;
    QLabel *lblTipologia;
    QLabel *titTipologia;
    QLabel *infIntervallo;
    QLabel *lblIntervallo;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    RowList *lstRecords;
    QLabel *titTotEntrate;
    QLabel *lblTotEntrate;
    QLabel *titTotUscite;
    QLabel *lblTotUscite;
    QLabel *infTotKmPercorsi;
    QLabel *lblBilancio;
    QPushButton *btnStampa;
    QPushButton *btnEsci;
    PictureButton *imgGuida;

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void buildControls();
    void fill();
    void btnStampaClick();
    void imgGuidaClick();

    ListScreen *m_list = nullptr;
    std::unique_ptr<ReportTemplate> m_report;
    std::optional<PrimaNota::Request> m_request;
};
