#pragma once

#include "bank/ImportSession.h"
#include "common/ui/Screens.h"

#include <memory>

class FieldEdit;
class QLabel;
class RowList;
class QPushButton;
class QTableView;
class QTableWidget;
class ProposalModel;

// "Importa estratto conto": a bank statement read into the year's register.
// The user chooses the file, checks (and for an unknown bank names) its
// columns, sees every row with its proposal and changes any of them; "Registra"
// writes the accepted ones together. The statement's balance is set beside the
// program's bank balance on the same day.
class TfrmImportaEstratto : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmImportaEstratto(QWidget *parent = nullptr);
    ~TfrmImportaEstratto() override;

    // The year's register the import writes into.
    void setYear(int year, const QString &yearFile);
    // Opens the screen over owner for the year.
    static void open(QWidget *owner, int year, const QString &yearFile);
    // Reads the statement at path, as "Scegli il file..." does with the file chosen.
    void openFile(const QString &path);

    QPushButton *btnScegli;
    QLabel *lblFile;
    QTableWidget *tblColonne;
    QPushButton *btnColonne;
    QTableView *tblProposte;
    QLabel *lblRiepilogo;
    FieldEdit *txtDataSaldo;
    FieldEdit *txtSaldo;
    QPushButton *btnRiconcilia;
    QLabel *lblRiconciliazione;
    RowList *lstSpiegazioni;
    QPushButton *btnRegistra;
    QPushButton *btnChiudi;

    ProposalModel *proposals() const { return m_model; }

private:
    void btnScegliClick();
    void btnColonneClick();
    void btnRegistraClick();
    void btnRiconciliaClick();
    void showColumns();
    void showRows();
    void showProblems();

    std::unique_ptr<ImportSession> m_session;
    ProposalModel *m_model = nullptr;
    QLabel *m_lblAnno = nullptr;
};
