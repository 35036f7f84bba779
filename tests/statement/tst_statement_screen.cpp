// The statement screens as the treasurer uses them: the association's data,
// the classification, the statement, its print and its export.
#include "balance/ui/TfrmMenuBilancio.h"
#include "output/ReportRenderer.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"
#include "statement/ui/TfrmEnte.h"
#include "statement/StatementReport.h"
#include "statement/ui/TfrmRendiconto.h"

#include "StatementFixtures.h"
#include "support/Poppler.h"
#include "support/TestPlatform.h"
#include "support/XlsxReader.h"

#include "common/ui/FieldEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <algorithm>

using namespace StatementFixtures;

namespace {

// The row of the reason table showing this reason.
int reasonRow(const TfrmRendiconto &s, const QString &causale)
{
    for (int r = 0; r < s.tblCausali->rowCount(); ++r)
        if (s.tblCausali->item(r, TfrmRendiconto::RcReason)->text() == causale)
            return r;
    return -1;
}

int paymentRow(const TfrmRendiconto &s, const QString &method)
{
    for (int r = 0; r < s.tblPagamenti->rowCount(); ++r)
        if (s.tblPagamenti->item(r, TfrmRendiconto::PcMethod)->text() == method)
            return r;
    return -1;
}

// The statement table's row of a line, as "current|previous".
QString shownLine(const TfrmRendiconto &s, const QString &text)
{
    for (int r = 0; r < s.tblRendiconto->rowCount(); ++r)
        if (s.tblRendiconto->item(r, TfrmRendiconto::ScText)->text() == text &&
            s.tblRendiconto->item(r, TfrmRendiconto::ScCurrent))
            return s.tblRendiconto->item(r, TfrmRendiconto::ScCurrent)->text() + QLatin1Char('|') +
                   s.tblRendiconto->item(r, TfrmRendiconto::ScPrevious)->text();
    return QStringLiteral("missing");
}

void choose(QComboBox *combo, const QString &data)
{
    const int i = combo->findData(data);
    QVERIFY2(i >= 0, qPrintable(data));
    combo->setCurrentIndex(i);
}

// The worked year classified through the screen, as the treasurer would.
void classifyWorkedYear(TfrmRendiconto &s)
{
    const QList<std::pair<const char *, const char *>> items{
        {"Quote associative", "A.E1"}, {"Donazioni", "A.E4"},        {"5 per mille", "A.E5"},
        {"Affitto sala", "A.U3"},      {"Stampa volantini", "A.U1"}, {"Spese bancarie", "D.U1"},
        {"Lotteria di primavera", "C.E2"}, {"Premi lotteria", "C.U2"}, {"Computer portatile", "F.U1"},
    };
    for (const auto &[reason, code] : items) {
        const int row = reasonRow(s, QString::fromUtf8(reason));
        QVERIFY2(row >= 0, reason);
        choose(s.itemCombo(row), QString::fromLatin1(code));
    }
    for (const char *method : {"Contanti"})
        s.accountCombo(paymentRow(s, QString::fromLatin1(method)))->setCurrentIndex(1);
    for (const char *method : {"Bonifico", "Addebito in conto", "Carta"})
        s.accountCombo(paymentRow(s, QString::fromLatin1(method)))->setCurrentIndex(2);
    s.txtSaldoCassa->setText(QStringLiteral("1000,00"));
    Q_EMIT s.txtSaldoCassa->enterPressed();
    // The other balance is left as the user left it, not filled in under the cursor.
    QCOMPARE(s.txtSaldoBanca->text(), QString());
    s.txtSaldoBanca->setText(QStringLiteral("5000"));
    Q_EMIT s.txtSaldoBanca->enterPressed();
}

} // namespace

class TestStatementScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void enteSavedThroughTheScreen_data()
    {
        QTest::addColumn<QString>("taxCode");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("entity, check digit wrong") << QStringLiteral("97012340158") << false;
        QTest::newRow("valid entity number") << QStringLiteral("12345678903") << true;
        QTest::newRow("person, check letter right") << QStringLiteral("rssmra80a01h501u") << true;
        QTest::newRow("person, check letter wrong") << QStringLiteral("RSSMRA80A01H501A") << false;
        QTest::newRow("too short") << QStringLiteral("1234") << false;
        QTest::newRow("none") << QString() << true;
    }

    void enteSavedThroughTheScreen()
    {
        QFETCH(QString, taxCode);
        QFETCH(bool, accepted);
        TestPlatform p;
        p.modal.handlers << [&](QDialog *d) {
            auto *e = qobject_cast<TfrmEnte *>(d);
            QVERIFY(e);
            QCOMPARE(d->windowTitle(), QStringLiteral(" Quintara - Dati dell'associazione"));
            // "Salva" refuses an association without a name.
            e->btnSalva->click();
            QCOMPARE(p.messages.lastText(), QStringLiteral("Attenzione: indicare la denominazione dell'associazione."));
            typeText(e->txtDenominazione, QStringLiteral("Circolo Età d'Oro"));
            typeText(e->txtCodiceFiscale, taxCode);
            e->cmbTipologia->setCurrentText(QStringLiteral("APS"));
            typeText(e->txtPresidente, QStringLiteral("Anna Bianchi"));
            p.messages.clear();
            e->btnSalva->click();
            if (!accepted) {
                QVERIFY(p.messages.lastText().startsWith(QStringLiteral("Attenzione: il codice fiscale")));
                QVERIFY(d->isVisible());
                e->btnAnnulla->click();
            }
        };
        const auto saved = TfrmEnte::edit(nullptr);
        QCOMPARE(saved.has_value(), accepted);
        QCOMPARE(QFileInfo::exists(p.file(QStringLiteral("Ente.ini"))), accepted);
        if (!accepted)
            return;
        const auto back = EnteData::load(p.folder.path());
        QCOMPARE(back->denominazione, QStringLiteral("Circolo Età d'Oro"));
        QCOMPARE(back->codiceFiscale, taxCode.toUpper());
        QCOMPARE(back->tipologia, QStringLiteral("APS"));
        QCOMPARE(*back, *saved);
    }

    void classifiedThroughTheScreen()
    {
        TestPlatform p;
        p.clock.date = QDate(2026, 3, 1);
        writeYear(2025, workedYear());
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(p.clock.date.year() - 1);
        QCOMPARE(s.txtAnno->text(), QStringLiteral("2025"));
        QCOMPARE(s.tblCausali->rowCount(), 9);
        // Income first: kind, count and total of each reason.
        const int fees = reasonRow(s, QStringLiteral("Quote associative"));
        QCOMPARE(s.tblCausali->item(fees, TfrmRendiconto::RcKind)->text(), QStringLiteral("Entrata"));
        QCOMPARE(s.tblCausali->item(fees, TfrmRendiconto::RcCount)->text(), QStringLiteral("1"));
        QCOMPARE(s.tblCausali->item(fees, TfrmRendiconto::RcTotal)->text(), QStringLiteral("3.200,00"));
        // A drop-down of the items of its kind, each with code and full name.
        QComboBox *combo = s.itemCombo(fees);
        QCOMPARE(combo->count(), 1 + 10 + 6 + 3 + 5 + 2 + 4);
        QCOMPARE(combo->itemText(1), QStringLiteral("A.E1 - Entrate da quote associative e apporti dei fondatori"));
        QCOMPARE(s.itemCombo(reasonRow(s, QStringLiteral("Affitto sala")))->findData(QStringLiteral("A.E1")), -1);
        // Unclassified: the statement says so.
        QVERIFY(!s.statement().complete());
        QVERIFY(s.lblStato->text().contains(QStringLiteral("INCOMPLETO")));
        QVERIFY(s.txtAvvisi->toPlainText().startsWith(QStringLiteral("RENDICONTO INCOMPLETO")));

        // Suggestions are shown, applied only when asked, and never saved unasked.
        QCOMPARE(s.tblCausali->item(fees, TfrmRendiconto::RcSuggestion)->text(), QStringLiteral("A.E1"));
        QCOMPARE(combo->currentIndex(), 0);
        s.btnSuggerimenti->click();
        QCOMPARE(combo->currentData().toString(), QStringLiteral("A.E1"));
        QCOMPARE(s.itemCombo(reasonRow(s, QStringLiteral("Spese bancarie")))->currentData().toString(),
                 QStringLiteral("D.U1"));
        QVERIFY(!QFileInfo::exists(p.file(QStringLiteral("Rendiconto.ini"))));

        classifyWorkedYear(s);
        QVERIFY(s.statement().complete());
        QCOMPARE(shownLine(s, QStringLiteral("Avanzo/disavanzo complessivo")), QStringLiteral("3.144,50 €|0,00 €"));
        // 2024 has no file: it closed with the balances 2025 opens with.
        QCOMPARE(shownLine(s, QStringLiteral("Cassa")), QStringLiteral("4.420,00 €|1.000,00 €"));
        QCOMPARE(shownLine(s, QStringLiteral("Depositi bancari e postali")), QStringLiteral("4.724,50 €|5.000,00 €"));
        QCOMPARE(shownLine(s, QStringLiteral("Erogazioni liberali")), QStringLiteral("1.500,00 €|0,00 €"));
        QVERIFY(s.txtAvvisi->toPlainText().contains(QStringLiteral("i conti tornano")));
        QVERIFY(!QFileInfo::exists(p.file(QStringLiteral("Rendiconto.ini"))));

        s.btnSalva->click();
        const QString saved = QString::fromUtf8(readBytes(p.file(QStringLiteral("Rendiconto.ini"))));
        for (const char *line : {"Quote associative=A.E1\r\n", "Computer portatile=F.U1\r\n", "Carta=Banca\r\n",
                                 "2025.Cassa=1000,00\r\n", "2025.Banca=5000,00\r\n"})
            QVERIFY2(saved.contains(QString::fromUtf8(line)), line);

        // A fresh screen reads the same classification back: the same statement.
        TfrmRendiconto again;
        QVERIFY(again.load());
        again.showYear(2025);
        QVERIFY(again.statement().complete());
        QCOMPARE(shownLine(again, QStringLiteral("Avanzo/disavanzo complessivo")), QStringLiteral("3.144,50 €|0,00 €"));
    }

    void leavingWithChangesAsks()
    {
        TestPlatform p;
        writeYear(2025, workedYear());
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        s.btnSuggerimenti->click();
        p.messages.answers << MessageBoxes::Answer::No;
        s.show();
        s.btnEsci->click();
        QVERIFY(p.messages.lastText().contains(QStringLiteral("Salvarla nel file Rendiconto.ini")));
        QVERIFY(!QFileInfo::exists(p.file(QStringLiteral("Rendiconto.ini"))));
    }

    void unreadableClassificationIsReported()
    {
        TestPlatform p;
        QVERIFY(QDir(p.folder.path()).mkdir(QStringLiteral("Rendiconto.ini")));
        TfrmRendiconto s;
        QVERIFY(!s.load());
        QVERIFY(p.messages.lastText().startsWith(QStringLiteral("Attenzione: non è possibile leggere il file "
                                                                "Rendiconto.ini")));
    }

    void printedStatementAsPdf()
    {
        TestPlatform p;
        writeYear(2025, workedYear());
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        EnteData e{QStringLiteral("Circolo Culturale La Quinta"), QStringLiteral("12345678903"), QStringLiteral("Via Roma 1, Milano"),
                   QStringLiteral("4567"), QStringLiteral("APS"), QStringLiteral("Anna Bianchi"), QStringLiteral("Luca Verdi")};
        QVERIFY(e.save(p.folder.path()));
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        s.btnStampa->click();
        QCOMPARE(p.printer.jobs.size(), 1);
        const PreparedReport report = p.printer.jobs.first().report;
        QCOMPARE(report.documentTitle, QStringLiteral("Rendiconto per cassa dell'esercizio 2025"));
        QCOMPARE(report.orientation, QPageLayout::Portrait);
        QVERIFY(report.pages.size() >= 2);

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("rendiconto.pdf"));
        QVERIFY(ReportRenderer::writePdf(report, pdf));
        const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")}).simplified();
        QStringList wanted{
            QStringLiteral("Circolo Culturale La Quinta"),
            QStringLiteral("Codice fiscale 12345678903 - RUNTS n. 4567 - APS"),
            QStringLiteral("Rendiconto per cassa dell'esercizio 2025"),
            QStringLiteral("A) Uscite da attività di interesse generale"),
            QStringLiteral("A) Entrate da attività di interesse generale"),
            QStringLiteral("B) Uscite da attività diverse"),
            QStringLiteral("B) Entrate da attività diverse"),
            QStringLiteral("C) Uscite da attività di raccolta fondi"),
            QStringLiteral("C) Entrate da attività di raccolta fondi"),
            QStringLiteral("D) Uscite da attività finanziarie e patrimoniali"),
            QStringLiteral("D) Entrate da attività finanziarie e patrimoniali"),
            QStringLiteral("E) Uscite di supporto generale"),
            QStringLiteral("E) Entrate di supporto generale"),
            QStringLiteral("Uscite da investimenti in immobilizzazioni o da deflussi di capitale di terzi"),
            QStringLiteral("Entrate da disinvestimenti in immobilizzazioni o da flussi di capitale di terzi"),
            QStringLiteral("Cassa e banca"),
            QStringLiteral("Avanzo/disavanzo complessivo 3.144,50"),
            QStringLiteral("Il Presidente (Anna Bianchi)"),
            QStringLiteral("Il Tesoriere (Luca Verdi)"),
            QStringLiteral("Pagina 1 di %1").arg(report.pages.size()),
            QStringLiteral("Pagina %1 di %1").arg(report.pages.size()),
        };
        for (const QString &w : wanted)
            QVERIFY2(text.contains(w), qPrintable(w + QStringLiteral("\n---\n") + text));
        QVERIFY(!text.contains(QStringLiteral("INCOMPLETO")));
        if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES"))
            ReportRenderer::pageImage(report, 0, 100).save(qEnvironmentVariable("QUINTARA_SAVE_PAGES") +
                                                           QStringLiteral("/rendiconto.png"));
    }

    // The green status is given only when every settled movement of the year
    // was read, dated in the year and classified, and both opening balances
    // are known; otherwise the screen says why not.
    void greenOnlyWhenEverythingIsKnown_data()
    {
        QTest::addColumn<QList<Move>>("moves"); // 2025.eur; none: no file
        QTest::addColumn<QByteArray>("classification");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("holds"); // the balance check can be made and holds
        QTest::newRow("no file, no balances") << QList<Move>() << QByteArray() << 2030
                                              << QStringLiteral("Rendiconto 2030 INCOMPLETO")
                                              << QStringLiteral("l'archivio 2030.eur non esiste") << false;
        QTest::newRow("empty Rendiconto.ini") << workedYear() << QByteArray("") << 2025
                                              << QStringLiteral("Rendiconto 2025 INCOMPLETO")
                                              << QStringLiteral("i saldi iniziali del 2025 non sono indicati") << false;
        QTest::newRow("a movement of the year before")
            << (workedYear() + QList<Move>{{QStringLiteral("Quote associative"), QStringLiteral("30/12/2024"),
                                            QStringLiteral("+50,00"), QStringLiteral("Contanti")}})
            << workedClassification() << 2025 << QStringLiteral("Rendiconto 2025 INCOMPLETO")
            << QStringLiteral("l'archivio 2025.eur contiene 1 movimento con la data di un altro anno") << true;
        QTest::newRow("everything known") << workedYear() << workedClassification() << 2025
                                          << QStringLiteral("Rendiconto 2025 completo")
                                          << QStringLiteral("i conti tornano") << true;
    }

    void greenOnlyWhenEverythingIsKnown()
    {
        QFETCH(QList<Move>, moves);
        QFETCH(QByteArray, classification);
        QFETCH(int, year);
        QFETCH(QString, status);
        QFETCH(QString, reason);
        QFETCH(bool, holds);
        TestPlatform p;
        if (!moves.isEmpty())
            writeYear(2025, moves);
        if (!classification.isNull())
            writeText(QStringLiteral("Rendiconto.ini"), classification);
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(year);
        QCOMPARE(s.lblStato->text(), status);
        const QString notes = s.txtAvvisi->toPlainText();
        QVERIFY2(notes.contains(reason), qPrintable(notes));
        const bool green = status.endsWith(QStringLiteral("completo"));
        QCOMPARE(notes.contains(QStringLiteral("i conti tornano")), holds);
        QCOMPARE(notes.startsWith(QStringLiteral("RENDICONTO INCOMPLETO")), !green);
    }

    // A classification file full of lines the program does not understand
    // opens at once, and the message names the first few and counts the rest.
    void manyLinesNotUnderstood()
    {
        TestPlatform p;
        QByteArray ini = "[Entrate]\r\nQuota=A.E1\r\n";
        ini.reserve(300'000 * 24);
        for (int i = 0; i < 300'000; ++i)
            ini += "Voce " + QByteArray::number(i) + "=Z.E9\r\n";
        writeText(QStringLiteral("Rendiconto.ini"), ini);
        TfrmRendiconto s;
        QVERIFY(s.load());
        QCOMPARE(s.classification().incomeItemOf(QStringLiteral("quota")), QStringLiteral("A.E1"));
        const QStringList lines = p.messages.lastText().split(QRegularExpression(QStringLiteral("[\r\n]+")));
        QVERIFY2(lines.size() <= 16, qPrintable(QString::number(lines.size())));
        QVERIFY(lines.contains(QStringLiteral("[Entrate] Voce 0=Z.E9")));
        QVERIFY(lines.contains(QStringLiteral("[Entrate] Voce 9=Z.E9")));
        QVERIFY(!lines.contains(QStringLiteral("[Entrate] Voce 10=Z.E9")));
        QCOMPARE(lines.last(), QStringLiteral("... e altre 299990 righe."));
    }

    // The printout a treasurer files: column heads on every page, each section
    // on one page with its heading, the signatures with the last lines, every
    // page number in the same letters, no box taller than its text; the
    // control notes only when asked for, on pages of their own.
    void printoutAsFiled_data()
    {
        QTest::addColumn<bool>("notes");
        QTest::newRow("without the notes") << false;
        QTest::newRow("with the notes") << true;
    }

    void printoutAsFiled()
    {
        QFETCH(bool, notes);
        TestPlatform p;
        writeYear(2024, workedYear());
        QList<Move> year = workedYear();
        for (Move &m : year)
            m.data.replace(QStringLiteral("2025"), QStringLiteral("2026"));
        year.append({QStringLiteral("Vendita torte"), QStringLiteral("01/05/2026"), QStringLiteral("+80,00"), QStringLiteral("Contanti")});
        writeYear(2026, year);
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2026);
        if (notes)
            s.chkNote->click();
        s.btnStampa->click();
        QCOMPARE(p.printer.jobs.size(), 1);
        const QList<PreparedPage> pages = p.printer.jobs.first().report.pages;

        // The pages of the statement, then (when asked) those of the notes.
        qsizetype statementPages = 0;
        while (statementPages < pages.size() &&
               !pages[statementPages].texts().contains(StatementReport::notesTitle(2026)))
            ++statementPages;
        QVERIFY(statementPages >= 2);
        QCOMPARE(statementPages < pages.size(), notes);
        // The first page from `from` on that holds a line of that text.
        const auto where = [&](const QString &text, qsizetype from) {
            for (qsizetype i = std::max<qsizetype>(from, 0); i < statementPages; ++i)
                for (const PreparedItem *it : pages[i].findAll(QStringLiteral("txtVoce")) + pages[i].findAll(QStringLiteral("txtSezione")))
                    if (it->lines.join(u' ') == text)
                        return i;
            return qsizetype(-1);
        };
        // Each heading on the page of the lines under it.
        const QList<CashStatement::Line> &lines = s.statement().lines();
        qsizetype page = -1;
        for (const CashStatement::Line &l : lines) {
            const QString text = l.kind == CashStatement::Line::Kind::Item ? l.id + QStringLiteral("  ") + l.text : l.text;
            const qsizetype at = where(text, page);
            QVERIFY2(at >= 0, qPrintable(text));
            if (l.kind != CashStatement::Line::Kind::Heading)
                QVERIFY2(at == page, qPrintable(text));
            page = at;
        }
        QCOMPARE(where(QStringLiteral("Cassa e banca"), 0), statementPages - 1);
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const PreparedPage &pg = pages[i];
            const QStringList texts = pg.texts();
            if (i < statementPages) {
                QVERIFY2(texts.contains(QStringLiteral("Voce")) && texts.contains(QStringLiteral("2026")) &&
                             texts.contains(QStringLiteral("2025")),
                         qPrintable(QString::number(i)));
                QVERIFY(!texts.join(u' ').contains(QStringLiteral("Verifica:")));
                QVERIFY(!texts.join(u' ').contains(QStringLiteral("non classificate")));
                QCOMPARE(pg.find(QStringLiteral("txtPagina"))->lines,
                         QStringList{QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(statementPages)});
            } else {
                QCOMPARE(pg.find(QStringLiteral("txtPagina"))->lines,
                         QStringList{QStringLiteral("Note di controllo - Pagina %1 di %2")
                                         .arg(i - statementPages + 1)
                                         .arg(pages.size() - statementPages)});
            }
            const PreparedItem *foot = pg.find(QStringLiteral("txtPagina"));
            QCOMPARE(foot->fontFamily, QStringLiteral("Arial"));
            QCOMPARE(foot->fontSize, 8.0);
            QVERIFY(!foot->bold);
            for (const PreparedItem *it : pg.findAll(QStringLiteral("txtVoce")))
                QVERIFY2(it->rect.height() < (it->lines.size() + 0.5) * it->pitch, qPrintable(it->lines.join(u' ')));
        }
        // The signatures with the last lines.
        const QStringList last = pages[statementPages - 1].texts();
        QVERIFY(last.contains(QStringLiteral("Il Presidente")));
        QVERIFY(last.contains(QStringLiteral("Il Tesoriere")));
        if (notes) {
            QString noted;
            for (qsizetype i = statementPages; i < pages.size(); ++i)
                noted += pages[i].texts().join(u' ') + u' ';
            QVERIFY(noted.contains(s.statement().checkText()));
            for (const QString &w : s.statement().warnings())
                QVERIFY2(noted.simplified().contains(w.simplified()), qPrintable(w));
        }
    }

    void incompleteStatementSaysSoOnPaper()
    {
        TestPlatform p;
        writeYear(2025, workedYear());
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        s.btnStampa->click();
        QStringList printed;
        for (const PreparedPage &page : p.printer.jobs.first().report.pages)
            printed += page.texts();
        QVERIFY(printed.join(u' ').contains(QStringLiteral("RENDICONTO INCOMPLETO")));
    }

    // The workbook holds the same rows as the sheet, the column heads as its
    // frozen header and the year columns' amounts as numbers; the sheet of an
    // earlier export stays as it was.
    void exportedWorkbookReadsBack()
    {
        TestPlatform p;
        writeYear(2025, workedYear());
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        p.messages.answers << MessageBoxes::Answer::No;
        s.btnEsporta->click();
        const QByteArray sheetBytes = readBytes(p.file(QStringLiteral("Rendiconto2025.xls")));
        QVERIFY(!sheetBytes.isEmpty());

        s.optXlsx->click();
        p.messages.answers << MessageBoxes::Answer::No;
        s.btnEsporta->click();
        QCOMPARE(readBytes(p.file(QStringLiteral("Rendiconto2025.xls"))), sheetBytes);
        const XlsxReader::Sheet book = XlsxReader::read(p.file(QStringLiteral("Rendiconto2025.xlsx")));
        QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
        QCOMPARE(book.name, QStringLiteral("Rendiconto 2025"));
        // The association's heading first, in bold; the column heads below it are the frozen header.
        QCOMPARE(book.rows.first().first().text, QStringLiteral("(denominazione non indicata)"));
        QVERIFY(book.rows.first().first().bold);
        qsizetype headRow = 0;
        while (headRow < book.rows.size() && book.rows[headRow].first().text != QStringLiteral("Codice"))
            ++headRow;
        QVERIFY(headRow > 0 && headRow < book.rows.size());
        QCOMPARE(book.frozenRows, int(headRow) + 1);
        QCOMPARE(book.rows[headRow].at(2).text, QStringLiteral("2025"));
        QVERIFY(book.rows[headRow].at(2).bold);

        // Every other row of the sheet, in order, cell by cell.
        QList<QStringList> sheet = XlsxReader::readDocument(sheetBytes);
        const auto heads = std::find_if(sheet.begin(), sheet.end(),
                                        [](const QStringList &r) { return r.value(0) == QStringLiteral("Codice"); });
        QVERIFY(heads != sheet.end());
        sheet.erase(heads);
        QList<QStringList> bookRows;
        for (qsizetype i = 0; i < book.rows.size(); ++i) {
            if (i == headRow)
                continue;
            QStringList cells;
            for (const XlsxReader::Cell &c : book.rows[i])
                cells.append(c.type == XlsxReader::Cell::Type::Number ? QStringLiteral("#") + QString::number(c.number, 'f', 2)
                                                                    : c.text);
            while (!cells.isEmpty() && cells.last().isEmpty())
                cells.removeLast();
            bookRows.append(cells);
        }
        QList<QStringList> sheetRows;
        for (const QStringList &r : sheet) {
            QStringList cells = r;
            // The sheet shows amounts in the Italian form; the workbook keeps the number.
            for (qsizetype c = 2; c < cells.size(); ++c)
                if (!cells[c].isEmpty())
                    cells[c] = QStringLiteral("#") + QString::number(
                                   cells[c].remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(), 'f', 2);
            while (!cells.isEmpty() && cells.last().isEmpty())
                cells.removeLast();
            if (!cells.isEmpty())
                sheetRows.append(cells);
        }
        bookRows.removeAll(QStringList());
        QCOMPARE(bookRows, sheetRows);
        const auto overall = std::find_if(book.rows.begin(), book.rows.end(), [](const QList<XlsxReader::Cell> &r) {
            return r.size() > 2 && r[1].text == QStringLiteral("Avanzo/disavanzo complessivo");
        });
        QVERIFY(overall != book.rows.end());
        QCOMPARE((*overall)[2].type, XlsxReader::Cell::Type::Number);
        QCOMPARE((*overall)[2].number, 3144.5);
        // Bold where the sheet is bold: titles, headings, totals and results, not the items.
        const auto rowOf = [&](const QString &text) {
            for (const QList<XlsxReader::Cell> &r : book.rows)
                if (r.size() > 1 && r[1].text == text)
                    return r;
            return QList<XlsxReader::Cell>();
        };
        QVERIFY((*overall)[1].bold && (*overall)[2].bold && (*overall)[3].bold);
        QVERIFY(rowOf(QStringLiteral("A) Uscite da attività di interesse generale")).at(1).bold);
        QVERIFY(rowOf(QStringLiteral("Totale entrate della gestione")).at(2).bold);
        const QList<XlsxReader::Cell> rent = rowOf(QStringLiteral("Godimento beni di terzi"));
        QVERIFY(!rent.at(0).bold && !rent.at(1).bold && !rent.at(2).bold);
        QCOMPARE(rent.at(2).number, 1800.0);
        QVERIFY(book.rows.at(headRow - 2).first().bold); // the title
    }

    // A text longer than a workbook's cell holds is cut there, and says so in
    // Italian; the export goes through.
    void longTextCutInTheWorkbook()
    {
        TestPlatform p;
        QList<Move> moves;
        for (int i = 0; i < 400; ++i)
            moves.append({QStringLiteral("Causale ancora da classificare numero %1 con una descrizione lunga").arg(i, 3, 10, QLatin1Char('0')),
                          QStringLiteral("02/03/2025"), QStringLiteral("+1,00"), QStringLiteral("Contanti")});
        writeYear(2025, moves);
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        const QString listed = s.statement().warnings().filter(QStringLiteral("non classificate")).value(0);
        QVERIFY(listed.size() > 32767);
        s.optXlsx->click();
        p.messages.answers << MessageBoxes::Answer::No;
        s.btnEsporta->click();
        QCOMPARE(p.messages.lastText(), QStringLiteral("Il rendiconto è stato esportato nel file Rendiconto2025.xlsx.\r\n\r\nAprire il file adesso?"));
        const XlsxReader::Sheet book = XlsxReader::read(p.file(QStringLiteral("Rendiconto2025.xlsx")));
        QVERIFY2(book.error.isEmpty(), qPrintable(book.error));
        QString cut;
        for (const QList<XlsxReader::Cell> &r : book.rows)
            if (r.size() > 1 && r[1].text.startsWith(QStringLiteral("Attenzione: causali del 2025 non classificate")))
                cut = r[1].text;
        QCOMPARE(cut.size(), 32767);
        QVERIFY(cut.endsWith(QStringLiteral("(testo tagliato: una cella del foglio di calcolo contiene al massimo 32.767 caratteri)")));
        QVERIFY(listed.startsWith(cut.left(32000)));
    }

    void exportedSheetReadsBack()
    {
        TestPlatform p;
        writeYear(2025, workedYear());
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        p.messages.answers << MessageBoxes::Answer::Yes;
        s.btnEsporta->click();
        const QString path = p.file(QStringLiteral("Rendiconto2025.xls"));
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(p.shell.opened.size(), 1);
        QCOMPARE(p.shell.opened.first(), QUrl::fromLocalFile(path));

        // Read back: every row with its cells, the amounts as numbers.
        const QByteArray bytes = readBytes(path);
        QVERIFY(bytes.contains("charset=windows-1252"));
        const QString html = QString::fromLatin1(bytes);
        QList<QStringList> rows;
        QList<QStringList> numbers;
        const QRegularExpression rowRe(QStringLiteral("<tr>(.*?)</tr>"));
        const QRegularExpression cellRe(QStringLiteral("<td( x:num=\"([^\"]*)\")?[^>]*>(.*?)</td>"));
        for (auto r = rowRe.globalMatch(html); r.hasNext();) {
            QStringList cells;
            QStringList nums;
            for (auto c = cellRe.globalMatch(r.next().captured(1)); c.hasNext();) {
                const auto m = c.next();
                cells.append(m.captured(3));
                nums.append(m.captured(2));
            }
            rows.append(cells);
            numbers.append(nums);
        }
        const auto find = [&](const QString &second) {
            for (qsizetype i = 0; i < rows.size(); ++i)
                if (rows[i].size() > 1 && rows[i][1] == second)
                    return i;
            return qsizetype(-1);
        };
        const qsizetype head = find(QStringLiteral("Voce"));
        QVERIFY(head > 0);
        QCOMPARE(rows[head], (QStringList{"Codice", "Voce", "2025", "2024"}));
        const qsizetype overall = find(QStringLiteral("Avanzo/disavanzo complessivo"));
        QVERIFY(overall > head);
        QCOMPARE(numbers[overall], (QStringList{"", "", "3144.50", "0.00"}));
        QCOMPARE(rows[overall][2], QStringLiteral("3.144,50"));
        const qsizetype rent = find(QStringLiteral("Godimento beni di terzi"));
        QCOMPARE(rows[rent][0], QStringLiteral("A.U3"));
        QCOMPARE(numbers[rent][2], QStringLiteral("1800.00"));
        // One row per line of the form, in its order.
        QCOMPARE(rows.size() - head - 1 >= s.statement().lines().size(), true);
        for (qsizetype i = 0; i < s.statement().lines().size(); ++i)
            QCOMPARE(rows[head + 1 + i].value(1), s.statement().lines().at(i).text);
    }

    void openedFromThePeriodChooser()
    {
        TestApp app;
        ScreenSet::handOver(app.screens->password(), app.screens->avvio());
        ScreenSet::handOver(app.screens->avvio(), app.screens->menuBilancio());
        bool seen = false;
        app.platform.modal.handlers << [&](QDialog *d) {
            seen = qobject_cast<TfrmRendiconto *>(d) != nullptr;
            QCOMPARE(d->windowTitle(), QStringLiteral(" Quintara - Rendiconto per cassa"));
            // Last year by default.
            QCOMPARE(control<FieldEdit>(d, "txtAnno")->text(), QString::number(app.platform.clock.date.year() - 1));
        };
        app.screens->menuBilancio()->btnRendiconto->click();
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestStatementScreen)
#include "tst_statement_screen.moc"
