#pragma once

#include "common/ui/Screens.h"
#include "statement/CashStatement.h"
#include "statement/Classification.h"
#include "common/EnteData.h"
#include "yearview/Budget.h"

#include <QHash>

class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

// "Preventivo": the budget of a year, item by item in the statement's form,
// typed or proposed from the year before's actual figures and kept in
// Preventivo.ini; and "Preventivo e consuntivo", the budget beside the actual
// figures to date with the difference and the percentage, the lines over
// budget marked. Both print; the comparison exports to a worksheet.
class TfrmPreventivo : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmPreventivo(QWidget *parent = nullptr);

    enum Page { BudgetPage, ComparisonPage };
    // Opens the screen over `opener` on `year` at `page`.
    static void open(QWidget *opener, int year, Page page);

    // Reads the files; false (after saying why) when the screen cannot open.
    bool load();
    void showYear(int year);
    bool hasUnsavedChanges() const { return m_dirty; }

    enum BudgetColumn { BcCode, BcText, BcBudget, BcPrevious, BcColumns };
    enum ComparisonColumn { CcCode, CcText, CcBudget, CcActual, CcDifference, CcPercent, CcOver, CcColumns };

    QLabel *lblAnno;
    QLabel *lblAvviso;
    QTabWidget *tabPagine;
    QTableWidget *tblPreventivo;
    QTableWidget *tblConfronto;
    QPushButton *btnProponi;
    QPushButton *btnSalva;
    QLabel *panInfo;
    QRadioButton *optXls;
    QRadioButton *optXlsx;
    QPushButton *btnStampa;
    QPushButton *btnEsporta;
    QPushButton *btnEsci;

    // The row of the budget table holding an item ("A.E1"), -1 when none.
    int rowOf(const QString &code) const;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildControls();
    void fillBudget();
    void refresh();
    void budgetTyped(int row, int column);
    void btnProponiClick();
    bool btnSalvaClick();
    void btnStampaClick();
    void btnEsportaClick();

    Classification m_classification;
    EnteData m_ente;
    Budget m_budget;
    bool m_damaged = false; // the file was damaged: it is overwritten only when the user says so
    QString m_problem;
    CashStatement m_statement;
    int m_year = 0;
    QMap<QString, qint64> m_items; // the year's budget as shown
    bool m_dirty = false;
    bool m_filling = false;
    QHash<QObject *, QString> m_hints;
};
