#pragma once

#include "common/ui/Screens.h"
#include "statement/Classification.h"
#include "common/EnteData.h"
#include "yearview/YearView.h"

#include <QHash>

#include <memory>

class ChartView;
class FieldEdit;
class PictureButton;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTextEdit;

// "Andamento": the year at a glance. Four charts (income and expense by month
// beside the year before, cash and bank day by day, the largest items of the
// statement, the members by month), each with its figures in a table beside,
// printed in landscape or saved as a picture. The budget of the year and its
// comparison with the actual figures open from here.
class TfrmAndamento : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmAndamento(QWidget *parent = nullptr);

    // Opens the screen over `opener` on `year` (after reading Rendiconto.ini and
    // Ente.ini; a file that cannot be read is reported and the screen is not opened).
    static void open(QWidget *opener, int year);

    bool load();
    // Reads the year's files (and the year before) and draws the charts.
    void showYear(int year);
    const YearView &view() const { return *m_view; }

    FieldEdit *txtAnno;
    QPushButton *btnAggiorna;
    PictureButton *imgGuida;
    QTabWidget *tabGrafici;
    QList<ChartView *> charts;        // in the order of YearChart::kAll
    QList<QTableView *> tables;       // the figures beside each chart
    QTextEdit *txtAvvisi;
    QLabel *panInfo;
    QPushButton *btnEsci;
    QPushButton *btnImmagine;
    QPushButton *btnStampa;
    QPushButton *btnPreventivo;
    QPushButton *btnConfronto;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void buildControls();
    void btnAggiornaClick();
    void btnImmagineClick();
    void btnStampaClick();
    void btnPreventivoClick();
    void btnConfrontoClick();

    Classification m_classification;
    EnteData m_ente;
    std::unique_ptr<YearView> m_view;
    QList<QStandardItemModel *> m_models;
    QHash<QObject *, QString> m_hints;
};
