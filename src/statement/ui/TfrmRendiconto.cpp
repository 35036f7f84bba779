#include "TfrmRendiconto.h"

#include "StatementLook.h"

#include "TfrmEnte.h"
#include "books/StatementPdf.h"
#include "common/Platform.h"
#include "common/TextRules.h"
#include "common/ui/FieldEdit.h"
#include "common/ui/Palette.h"
#include "common/ui/UiPlatform.h"
#include "output/ui/PrinterOutput.h"
#include "statement/StatementReport.h"
#include "statement/StatementSheet.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QUrl>

#include <memory>

using StatementLook::cell;
using Side = StatementItems::Side;

namespace {

const QString kAdvice = QStringLiteral("Accertarsi di possedere i privilegi di lettura e scrittura nella cartella di "
                                       "installazione del programma.");

QString sideText(Side s) { return s == Side::Income ? QStringLiteral("Entrata") : QStringLiteral("Uscita"); }

QString accountText(Classification::Account a)
{
    return a == Classification::Account::Cassa   ? QStringLiteral("Cassa")
           : a == Classification::Account::Banca ? QStringLiteral("Banca")
                                                  : QString();
}

QString centsForEdit(qint64 cents) { return CashStatement::amount(cents).remove(QLatin1Char('.')); }

} // namespace

void TfrmRendiconto::open(QWidget *opener)
{
    // A file that cannot be read has been reported: the screen does not open.
    const auto screen = std::make_unique<TfrmRendiconto>(opener);
    if (!screen->load())
        return;
    screen->showYear(Platform::clock().today().year() - 1);
    UiPlatform::modal().run(screen.get());
}

bool TfrmRendiconto::load()
{
    const QString folder = Platform::folder().path();
    QString error;
    const auto refuse = [&](const QString &name) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è possibile leggere il file %1 (%2).").arg(name, error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return false;
    };
    const auto c = Classification::load(folder, &error);
    if (!c)
        return refuse(Classification::fileName());
    const auto e = EnteData::load(folder, &error);
    if (!e)
        return refuse(EnteData::fileName());
    m_classification = *c;
    m_ente = *e;
    if (!c->problems().isEmpty())
        UiPlatform::warning(this, QStringLiteral("Attenzione: alcune righe del file %1 non sono state comprese e "
                                                 "non vengono usate:")
                                          .arg(Classification::fileName()) +
                                      UiPlatform::kLfCrLfCr + c->problemSummary());
    m_cache = std::make_unique<YearCache>(folder);
    showEnte();
    return true;
}

void TfrmRendiconto::showEnte()
{
    lblEnte->setText(m_ente.denominazione.isEmpty()
                         ? QStringLiteral("Dati dell'associazione non indicati")
                         : m_ente.denominazione +
                               (m_ente.codiceFiscale.isEmpty() ? QString() : QStringLiteral("\nC.F. ") + m_ente.codiceFiscale));
}

void TfrmRendiconto::showYear(int year)
{
    m_year = year;
    txtAnno->setText(QString::number(year));
    if (!m_cache)
        m_cache = std::make_unique<YearCache>(Platform::folder().path());
    m_cache->clear();
    tblRendiconto->setHorizontalHeaderLabels({QStringLiteral("Codice"), QStringLiteral("Voce"), QString::number(year),
                                              QString::number(year - 1)});
    tblCausali->setHorizontalHeaderItem(RcTotal, new QTableWidgetItem(QStringLiteral("Totale %1").arg(year)));
    tblCausali->setHorizontalHeaderItem(RcPrevious, new QTableWidgetItem(QStringLiteral("Totale %1").arg(year - 1)));
    fillClassification();
    fillOpening();
    recompute();
}

QComboBox *TfrmRendiconto::itemCombo(int row) const
{
    return qobject_cast<QComboBox *>(tblCausali->cellWidget(row, RcItem));
}

QComboBox *TfrmRendiconto::accountCombo(int row) const
{
    return qobject_cast<QComboBox *>(tblPagamenti->cellWidget(row, PcAccount));
}

void TfrmRendiconto::fillClassification()
{
    m_rows = ClassificationRows::of(m_cache->get(m_year), m_cache->get(m_year - 1));
    m_filling = true;
    tblCausali->setRowCount(0);
    tblCausali->setRowCount(int(m_rows.reasons.size()));
    for (int row = 0; row < m_rows.reasons.size(); ++row) {
        const ClassificationRows::Reason &r = m_rows.reasons.at(row);
        const auto right = Qt::AlignRight | Qt::AlignVCenter;
        tblCausali->setItem(row, RcKind, cell(sideText(r.side)));
        tblCausali->setItem(row, RcReason, cell(r.causale));
        tblCausali->item(row, RcReason)->setToolTip(r.causale);
        tblCausali->setItem(row, RcCount, cell(QString::number(r.count), right));
        tblCausali->setItem(row, RcTotal, cell(CashStatement::amount(r.current), right));
        tblCausali->setItem(row, RcPrevious, cell(CashStatement::amount(r.previous), right));
        auto *combo = new QComboBox;
        // The list opens wide enough for the items' full names.
        combo->view()->setMinimumWidth(600);
        combo->addItem(QStringLiteral("- da classificare -"), QString());
        for (const StatementItems::Item &i : StatementItems::ofSide(r.side))
            combo->addItem(StatementItems::label(i), i.code);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, row] { itemChosen(row); });
        tblCausali->setCellWidget(row, RcItem, combo);
        auto *s = cell(r.suggestion);
        if (const auto *item = StatementItems::find(r.suggestion))
            s->setToolTip(StatementItems::label(*item));
        tblCausali->setItem(row, RcSuggestion, s);
    }
    tblPagamenti->setRowCount(0);
    tblPagamenti->setRowCount(int(m_rows.payments.size()));
    for (int row = 0; row < m_rows.payments.size(); ++row) {
        const ClassificationRows::Payment &p = m_rows.payments.at(row);
        tblPagamenti->setItem(row, PcMethod, cell(p.pagamento.isEmpty() ? QStringLiteral("(non indicata)") : p.pagamento));
        tblPagamenti->setItem(row, PcCount, cell(QString::number(p.count), Qt::AlignRight | Qt::AlignVCenter));
        auto *combo = new QComboBox;
        for (const auto a : {Classification::Account::None, Classification::Account::Cassa, Classification::Account::Banca})
            combo->addItem(a == Classification::Account::None ? QStringLiteral("-") : accountText(a), int(a));
        connect(combo, &QComboBox::currentIndexChanged, this, [this, row] { accountChosen(row); });
        tblPagamenti->setCellWidget(row, PcAccount, combo);
        tblPagamenti->setItem(row, PcSuggestion, cell(accountText(p.suggestion)));
    }
    m_filling = false;
    showChoices();
}

void TfrmRendiconto::showChoices()
{
    m_filling = true;
    for (int row = 0; row < m_rows.reasons.size(); ++row) {
        const ClassificationRows::Reason &r = m_rows.reasons.at(row);
        itemCombo(row)->setCurrentIndex(std::max(0, itemCombo(row)->findData(m_classification.itemOf(r.side, r.causale))));
    }
    for (int row = 0; row < m_rows.payments.size(); ++row)
        accountCombo(row)->setCurrentIndex(
            std::max(0, accountCombo(row)->findData(int(m_classification.accountOf(m_rows.payments.at(row).pagamento)))));
    m_filling = false;
}

void TfrmRendiconto::fillOpening()
{
    m_filling = true;
    const auto own = m_classification.opening(m_year);
    txtSaldoCassa->setText(own ? centsForEdit(own->cassa) : QString());
    txtSaldoBanca->setText(own ? centsForEdit(own->banca) : QString());
    m_filling = false;
}

void TfrmRendiconto::itemChosen(int row)
{
    if (m_filling || row >= m_rows.reasons.size())
        return;
    const ClassificationRows::Reason &r = m_rows.reasons.at(row);
    m_classification.setItem(r.side, r.causale, itemCombo(row)->currentData().toString());
    m_dirty = true;
    recompute();
}

void TfrmRendiconto::accountChosen(int row)
{
    if (m_filling || row >= m_rows.payments.size())
        return;
    m_classification.setAccount(m_rows.payments.at(row).pagamento,
                                Classification::Account(accountCombo(row)->currentData().toInt()));
    m_dirty = true;
    recompute();
}

void TfrmRendiconto::openingLeft(bool warn)
{
    if (m_filling)
        return;
    const auto cassa = Classification::typedBalance(txtSaldoCassa->text());
    const auto banca = Classification::typedBalance(txtSaldoBanca->text());
    for (const auto &[edit, ok] : {std::pair{txtSaldoCassa, cassa.has_value()}, std::pair{txtSaldoBanca, banca.has_value()}})
        edit->setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { color: %1; }").arg(Palette::red.name()));
    if (!cassa || !banca) {
        if (!warn)
            return;
        UiPlatform::warning(this, QStringLiteral("Attenzione: il saldo iniziale indicato non è un importo valido.") +
                                      UiPlatform::kLfCrLfCr +
                                      QStringLiteral("Scrivere l'importo con la virgola prima dei decimali e senza "
                                                     "punti, per esempio 1250,50."));
        (cassa ? txtSaldoBanca : txtSaldoCassa)->setFocus();
        return;
    }
    std::optional<Classification::Opening> opening;
    if (*cassa || *banca)
        opening = Classification::Opening{cassa->value_or(0), banca->value_or(0)};
    if (opening != m_classification.opening(m_year)) {
        m_classification.setOpening(m_year, opening);
        m_dirty = true;
    }
    // The edits keep what was typed: rewriting one while the other is being
    // filled would put its text under the user's cursor.
    recompute();
}

void TfrmRendiconto::recompute()
{
    m_statement = CashStatement::compute(m_year, m_classification, m_cache->source());
    StatementLook::showLines(tblRendiconto, m_statement.lines());
    QStringList notes{m_statement.checkText()};
    notes += m_statement.warnings();
    if (!m_statement.complete())
        notes.prepend(StatementSheet::incompleteNotice());
    txtAvvisi->setPlainText(notes.join(QStringLiteral("\n")));
    lblStato->setText(m_statement.complete() ? QStringLiteral("Rendiconto %1 completo").arg(m_year)
                                             : QStringLiteral("Rendiconto %1 INCOMPLETO").arg(m_year));
    lblStato->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; border-radius: 6px; }")
                                .arg(m_statement.complete() ? Palette::green.name() : Palette::red.name()));

    lblSaldi->setText(m_statement.openingNote());
}

void TfrmRendiconto::btnAggiornaClick()
{
    const QString typed = TextRules::trim(txtAnno->text());
    if (typed.size() != 4) {
        UiPlatform::warning(this, QStringLiteral("Attenzione: indicare l'anno con quattro cifre."));
        txtAnno->setFocus();
        return;
    }
    showYear(typed.toInt());
}

void TfrmRendiconto::btnEnteClick()
{
    if (const auto saved = TfrmEnte::edit(this)) {
        m_ente = *saved;
        showEnte();
    }
}

void TfrmRendiconto::btnSuggerimentiClick()
{
    if (m_rows.applySuggestions(m_classification) == 0)
        return;
    m_dirty = true;
    showChoices();
    recompute();
}

bool TfrmRendiconto::btnSalvaClick()
{
    QString error;
    if (!m_classification.save(Platform::folder().path(), &error)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile salvare il file %1 (%2).")
                                        .arg(Classification::fileName(), error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return false;
    }
    m_dirty = false;
    UiPlatform::information(this, QStringLiteral("La classificazione è stata salvata nel file %1.")
                                      .arg(Classification::fileName()));
    return true;
}

void TfrmRendiconto::btnStampaClick()
{
    PrinterOutput::current().preview(this, StatementReport::prepare(m_statement, m_ente, chkNote->isChecked()));
}

void TfrmRendiconto::btnEsportaClick()
{
    const bool workbook = optXlsx->isChecked();
    const QString name = workbook ? StatementSheet::workbookFileName(m_year) : StatementSheet::fileName(m_year);
    const QString path = Platform::folder().file(name);
    QString error;
    if (!(workbook ? StatementSheet::saveWorkbook(path, m_statement, m_ente, &error)
                   : StatementSheet::save(path, m_statement, m_ente, &error))) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(name, error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return;
    }
    if (UiPlatform::ask(this, QStringLiteral("Il rendiconto è stato esportato nel file %1.").arg(name) +
                                  UiPlatform::kCrLfCrLf + QStringLiteral("Aprire il file adesso?")))
        Platform::shell().open(QUrl::fromLocalFile(path));
}

// The PDF/A the national register takes, named with the year and the tax code.
void TfrmRendiconto::btnPdfClick()
{
    const QString name = StatementPdf::fileName(m_year, m_ente.codiceFiscale);
    const QString path = Platform::folder().file(name);
    if (!m_statement.complete() &&
        !UiPlatform::ask(this, QStringLiteral("Attenzione: il rendiconto %1 non è completo.").arg(m_year) +
                                   UiPlatform::kCrLfCrLf + QStringLiteral("Salvare comunque il PDF?")))
        return;
    QString error;
    if (!StatementPdf::save(path, m_statement, m_ente, Platform::clock().today(), &error)) {
        UiPlatform::error(this, QStringLiteral("Attenzione: non è stato possibile scrivere il file %1 (%2).")
                                        .arg(name, error) +
                                    UiPlatform::kLfCrLfCr + kAdvice);
        return;
    }
    if (UiPlatform::ask(this, QStringLiteral("Il rendiconto è stato salvato in PDF/A nel file %1.").arg(name) +
                                  UiPlatform::kCrLfCrLf + QStringLiteral("Aprire il file adesso?")))
        Platform::shell().open(QUrl::fromLocalFile(path));
}

void TfrmRendiconto::closeEvent(QCloseEvent *e)
{
    if (m_dirty && UiPlatform::ask(this, QStringLiteral("La classificazione è stata modificata. Salvarla nel file "
                                                        "%1 prima di uscire?")
                                             .arg(Classification::fileName()))) {
        if (!btnSalvaClick()) {
            e->ignore();
            return;
        }
    }
    m_dirty = false;
    FixedDialog::closeEvent(e);
}
