#pragma once

#include "common/ui/Screens.h"
#include "statement/CashStatement.h"
#include "statement/ClassificationRows.h"
#include "statement/Classification.h"
#include "common/EnteData.h"
#include "statement/YearCache.h"

#include <QHash>

#include <memory>

class FieldEdit;
class PictureButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QTextEdit;

// "Rendiconto per cassa": the association's yearly cash statement. The user
// chooses the year, classifies each reason of the year and of the year before
// under an item of the form and each payment method as cash or bank, gives the
// opening balances, and reads, prints and exports the statement. The
// classification is written to Rendiconto.ini only by "Salva classificazione";
// the year files are only read.
class TfrmRendiconto : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmRendiconto(QWidget *parent = nullptr);

    // Opens the screen over `opener` (after reading Rendiconto.ini and Ente.ini;
    // a file that cannot be read is reported and the screen is not opened).
    static void open(QWidget *opener);

    // Starts the screen on what the files hold; false when one cannot be read.
    bool load();
    // Reads the year's files (and the year before) and fills the tables.
    void showYear(int year);

    const CashStatement &statement() const { return m_statement; }
    const Classification &classification() const { return m_classification; }
    bool hasUnsavedChanges() const { return m_dirty; }

    // Table columns.
    enum ReasonColumn { RcKind, RcReason, RcCount, RcTotal, RcPrevious, RcItem, RcSuggestion, RcColumns };
    enum PaymentColumn { PcMethod, PcCount, PcAccount, PcSuggestion, PcColumns };
    enum StatementColumn { ScCode, ScText, ScCurrent, ScPrevious, ScColumns };

    FieldEdit *txtAnno;
    QPushButton *btnAggiorna;
    QPushButton *btnEnte;
    PictureButton *imgGuida;
    QTabWidget *tabPagine;
    QTableWidget *tblCausali;
    QTableWidget *tblPagamenti;
    FieldEdit *txtSaldoCassa;
    FieldEdit *txtSaldoBanca;
    QLabel *lblSaldi;
    QPushButton *btnSuggerimenti;
    QPushButton *btnSalva;
    QTableWidget *tblRendiconto;
    QLabel *lblStato;
    QTextEdit *txtAvvisi;
    QLabel *lblEnte;
    QLabel *panInfo;
    QCheckBox *chkNote; // the printout ends with the control notes on a page of their own
    QPushButton *btnStampa;
    QPushButton *btnEsporta;
    QRadioButton *optXls;  // the export's format: the program's spreadsheet document (chosen at first)
    QRadioButton *optXlsx; // or a workbook of the newer spreadsheet programs
    QPushButton *btnEsci;

    // The item combo of a reason row and the account combo of a payment row.
    QComboBox *itemCombo(int row) const;
    QComboBox *accountCombo(int row) const;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildControls();
    void fillClassification();
    void showChoices();
    void fillOpening();
    void recompute();
    void itemChosen(int row);
    void accountChosen(int row);
    void openingLeft(bool warn);
    void btnAggiornaClick();
    void btnEnteClick();
    void btnSuggerimentiClick();
    bool btnSalvaClick();
    void btnStampaClick();
    void btnEsportaClick();
    void btnPdfClick();
    void showEnte();

    Classification m_classification;
    EnteData m_ente;
    std::unique_ptr<YearCache> m_cache;
    CashStatement m_statement;
    ClassificationRows m_rows;
    int m_year = 0;
    bool m_dirty = false;
    bool m_filling = false;
    QHash<QObject *, QString> m_hints;
};
