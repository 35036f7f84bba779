// The register of members as the secretary reaches it: the "Iscrizione" dialog
// from the member card, and the "Libro soci" screen with its filters, search,
// printout and export.
#include "members/CardFixture.h"
#include "support/Poppler.h"
#include "support/XlsxReader.h"

#include "books/MemberRegister.h"
#include "books/ui/TfrmIscrizione.h"
#include "books/ui/TfrmLibroSoci.h"
#include "output/ReportRenderer.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using MemberRegister::Cause;
using MemberRegister::Entry;

namespace {

void setText(FieldEdit *edit, const QString &text)
{
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

QString registerText() { return QString::fromUtf8(readBytes(MemberRegister::path())); }

// Three members in the archive; the second left on 15/06/2024 by recesso.
void threeMembersOneLeft()
{
    TSchedaSocio a = member(QStringLiteral("Rossi Anna"));
    a.Luogo = QStringLiteral("Pavia");
    a.DataNasc = QStringLiteral("02/03/1970");
    a.Indirizzo = QStringLiteral("Via Roma 1");
    a.Cap = QStringLiteral("27100");
    a.CodFisc = QStringLiteral("RSSNNA70C42G388X");
    writeArchive({a, member(QStringLiteral("Bianchi Carlo")), member(QStringLiteral("Verdi Dario"))});
    const QString reg = MemberRegister::path();
    const QString soci = ArchivePaths::members();
    auto store = [&](qint64 pos, QDate admitted, QDate left = {}, Cause cause = Cause::None) {
        Entry e;
        e.position = pos;
        e.admitted = admitted;
        e.left = left;
        e.cause = cause;
        e.category = QStringLiteral("ordinario");
        QVERIFY(MemberRegister::store(reg, soci, e));
    };
    store(1, QDate(2024, 1, 10));
    store(2, QDate(2024, 2, 1), QDate(2024, 6, 15), Cause::Recesso);
    store(3, QDate(2024, 7, 1));
}

} // namespace

class TestRegisterScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newCardProposesNextNumberAndTodayAndStoresWithTheCard()
    {
        CardFixture f;
        TSchedaSocio founder = member(QStringLiteral("Rossi Anna"));
        founder.Qualifiche = QStringLiteral("socio fondatore");
        writeArchive({founder});
        f.app.platform.clock.date = QDate(2024, 9, 20);
        {
            Entry first;
            first.position = 1;
            first.admitted = QDate(2024, 1, 10);
            QVERIFY(MemberRegister::store(MemberRegister::path(), ArchivePaths::members(), first));
        }
        // A new card, made as a copy of the first one under another name.
        f.click("cmdPrimo");
        f.click("btnDuplica");
        setText(f.field("txtDipendente"), QStringLiteral("Neri Elena"));
        QString proposedNumber, proposedDay;
        f.app.platform.modal.handlers << [&](QDialog *d) {
            auto *w = qobject_cast<TfrmIscrizione *>(d);
            QVERIFY(w);
            proposedNumber = w->txtNumero->text();
            proposedDay = w->txtAmmissione->text();
            QTest::mouseClick(w->btnQualifiche, Qt::LeftButton);
            QTest::mouseClick(w->btnApplica, Qt::LeftButton);
        };
        f.click("btnIscrizione");
        QCOMPARE(proposedNumber, QStringLiteral("2"));
        QCOMPARE(proposedDay, QStringLiteral("20/09/2024"));
        // Nothing lands before the card is stored.
        QVERIFY(!registerText().contains(QStringLiteral("20/09/2024")));
        f.click("btnSalva");
        QCOMPARE(storedRecord(2).Dipendente, QStringLiteral("Neri Elena"));
        const auto book = MemberRegister::read(MemberRegister::path());
        QVERIFY(book);
        QVERIFY(book->at(2));
        QCOMPARE(book->at(2)->number, 2);
        QCOMPARE(book->at(2)->admitted, QDate(2024, 9, 20));
        QCOMPARE(book->at(2)->category, QStringLiteral("socio fondatore"));
        QVERIFY(f.label("panInfo")->text().contains(QStringLiteral("numero 2")));
    }

    void dialogRefusals_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("left");
        QTest::addColumn<int>("cause"); // index in MemberRegister::causes(), -1 for none
        QTest::addColumn<QString>("message");
        QTest::newRow("leaving before admission") << "2" << "09/01/2024" << 1 << MemberRegister::leftBeforeAdmittedText();
        QTest::newRow("number of another member") << "1" << "" << -1 << MemberRegister::numberTakenText(1);
        QTest::newRow("day without cause") << "2" << "01/09/2024" << -1
                                           << "Attenzione: la data e la causa di uscita vanno indicate insieme.";
    }

    void dialogRefusals()
    {
        QFETCH(QString, number);
        QFETCH(QString, left);
        QFETCH(int, cause);
        QFETCH(QString, message);
        CardFixture f;
        writeArchive({member(QStringLiteral("Rossi Anna")), member(QStringLiteral("Bianchi Carlo"))});
        Entry first;
        first.position = 1;
        first.admitted = QDate(2024, 1, 10);
        QVERIFY(MemberRegister::store(MemberRegister::path(), ArchivePaths::members(), first));
        const QByteArray before = readBytes(MemberRegister::path());
        f.click("cmdUltimo");
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Bianchi Carlo"));
        bool stillOpen = false;
        f.app.platform.modal.handlers << [&](QDialog *d) {
            auto *w = qobject_cast<TfrmIscrizione *>(d);
            setText(w->txtNumero, number);
            setText(w->txtAmmissione, QStringLiteral("10/01/2024"));
            setText(w->txtUscita, left);
            if (cause >= 0)
                w->optCausa[cause]->setChecked(true);
            QTest::mouseClick(w->btnApplica, Qt::LeftButton);
            stillOpen = w->isVisible();
        };
        f.click("btnIscrizione");
        QCOMPARE(f.messages().lastText(), message);
        QVERIFY(stillOpen);
        QCOMPARE(readBytes(MemberRegister::path()), before);
    }

    void damagedRegisterLeavesTheArchiveUsable()
    {
        CardFixture f;
        writeArchive({member(QStringLiteral("Rossi Anna"))});
        QFile bad(MemberRegister::path());
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("Quintara libro soci 1\nUltimo\t1\n1\t1\t10/0");
        bad.close();
        f.click("cmdPrimo");
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi Anna"));
        f.click("btnIscrizione");
        QCOMPARE(f.messages().lastText(),
                 QStringLiteral("Attenzione: il libro soci non si può leggere (LibroSoci.txt: la riga 3 è danneggiata)."));
        QString status;
        f.app.platform.modal.handlers << [&](QDialog *d) {
            status = control<QLabel>(d, "lblStato")->text();
        };
        f.click("btnLibro");
        QCOMPARE(status, QStringLiteral("Il libro soci non si può leggere: LibroSoci.txt: la riga 3 è danneggiata."));
        QCOMPARE(readBytes(MemberRegister::path()), QByteArray("Quintara libro soci 1\nUltimo\t1\n1\t1\t10/0"));
    }

    void filtersAndSearch_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("everyone, who left included") << "optTutti" << "" << ""
                                                   << QStringList{"Rossi Anna", "Bianchi Carlo", "Verdi Dario"};
        QTest::newRow("members on 01/06/2024") << "optInCarica" << "01/06/2024" << ""
                                               << QStringList{"Rossi Anna", "Bianchi Carlo"};
        QTest::newRow("members on 15/06/2024") << "optInCarica" << "15/06/2024" << "" << QStringList{"Rossi Anna"};
        QTest::newRow("those who left") << "optUsciti" << "" << "" << QStringList{"Bianchi Carlo"};
        QTest::newRow("search by tax code") << "optTutti" << "" << "rssnna" << QStringList{"Rossi Anna"};
    }

    void filtersAndSearch()
    {
        QFETCH(QString, filter);
        QFETCH(QString, day);
        QFETCH(QString, search);
        QFETCH(QStringList, names);
        CardFixture f;
        threeMembersOneLeft();
        QStringList shown;
        f.app.platform.modal.handlers << [&](QDialog *d) {
            auto *w = qobject_cast<TfrmLibroSoci *>(d);
            if (!day.isEmpty())
                setText(w->txtData, day);
            setText(w->txtTrova, search);
            control<QRadioButton>(d, filter.toLatin1().constData())->setChecked(true);
            QTest::mouseClick(w->btnTrova, Qt::LeftButton);
            for (int r = 0; r < w->tblSoci->rowCount(); ++r)
                shown << w->tblSoci->item(r, 1)->text();
        };
        f.click("btnLibro");
        QCOMPARE(shown, names);
    }

    void printoutHasEveryRowAndNumberedPages()
    {
        CardFixture f;
        // Enough members for more than one page, the second of whom left.
        QList<TSchedaSocio> many;
        for (int i = 1; i <= 40; ++i)
            many << member(QStringLiteral("Socio%1 Prova").arg(i, 2, 10, QLatin1Char('0')));
        writeArchive(many);
        for (int i = 1; i <= 40; ++i) {
            Entry e;
            e.position = i;
            e.admitted = QDate(2024, 1, 1).addDays(i);
            if (i == 2) {
                e.left = QDate(2024, 5, 1);
                e.cause = Cause::Decesso;
            }
            QVERIFY(MemberRegister::store(MemberRegister::path(), ArchivePaths::members(), e));
        }
        QFile ente(f.file(QStringLiteral("Ente.ini")));
        QVERIFY(ente.open(QIODevice::WriteOnly));
        ente.write("[Ente]\r\nDenominazione=Circolo Aurora APS\r\nCodiceFiscale=97000000001\r\n");
        ente.close();
        f.app.platform.modal.handlers << [&](QDialog *d) {
            QTest::mouseClick(qobject_cast<TfrmLibroSoci *>(d)->btnStampa, Qt::LeftButton);
        };
        f.click("btnLibro");
        QCOMPARE(f.app.platform.printer.jobs.size(), 1);
        const PreparedReport &report = f.app.platform.printer.jobs.first().report;
        const int pages = int(report.pages.size());
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
        const QString pdf = f.file(QStringLiteral("libro.pdf"));
        QVERIFY(ReportRenderer::writePdf(report, pdf));
        const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(!text.isEmpty());
        const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        for (int p = 1; p <= pages; ++p) {
            QVERIFY2(pageTexts.value(p - 1).contains(QStringLiteral("Pagina %1 di %2").arg(p).arg(pages)),
                     qPrintable(pageTexts.value(p - 1)));
        }
        QVERIFY(text.contains(QStringLiteral("Circolo Aurora APS")));
        for (int i = 1; i <= 40; ++i)
            QVERIFY2(text.contains(QStringLiteral("Socio%1 Prova").arg(i, 2, 10, QLatin1Char('0'))), qPrintable(QString::number(i)));
        // The member who left is printed with the day and cause of leaving.
        QVERIFY(text.contains(QStringLiteral("01/05/2024")));
        QVERIFY(text.contains(QStringLiteral("decesso")));
    }

    void exportsBothFormats()
    {
        CardFixture f;
        threeMembersOneLeft();
        f.app.platform.modal.handlers << [&](QDialog *d) {
            auto *w = qobject_cast<TfrmLibroSoci *>(d);
            QTest::mouseClick(w->btnEsporta, Qt::LeftButton);
            w->optXlsx->setChecked(true);
            QTest::mouseClick(w->btnEsporta, Qt::LeftButton);
        };
        f.click("btnLibro");
        const QList<QStringList> xls = XlsxReader::readDocument(readBytes(f.file(QStringLiteral("LibroSoci.xls"))));
        QCOMPARE(xls.size(), 4);
        QCOMPARE(xls[0].value(0), QStringLiteral("N."));
        QCOMPARE(xls[1].value(4), QStringLiteral("RSSNNA70C42G388X"));
        QCOMPARE(xls[2].value(1), QStringLiteral("Bianchi Carlo"));
        QCOMPARE(xls[2].value(8), QStringLiteral("15/06/2024"));
        QCOMPARE(xls[2].value(9), QStringLiteral("recesso"));
        const XlsxReader::Sheet sheet = XlsxReader::read(f.file(QStringLiteral("LibroSoci.xlsx")));
        QVERIFY2(sheet.error.isEmpty(), qPrintable(sheet.error));
        QCOMPARE(sheet.rows.size(), 4);
        QCOMPARE(sheet.rows[2].value(1).text, QStringLiteral("Bianchi Carlo"));
        QCOMPARE(sheet.rows[2].value(9).text, QStringLiteral("recesso"));
    }

    void doubleClickShowsTheMemberOnTheCard()
    {
        CardFixture f;
        threeMembersOneLeft();
        f.app.platform.modal.handlers << [&](QDialog *d) {
            auto *w = qobject_cast<TfrmLibroSoci *>(d);
            const QRect cell = w->tblSoci->visualItemRect(w->tblSoci->item(2, 1));
            QTest::mousePress(w->tblSoci->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseRelease(w->tblSoci->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(w->tblSoci->viewport(), Qt::LeftButton, {}, cell.center());
        };
        f.click("btnLibro");
        QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Verdi Dario"));
        QCOMPARE(f.position(), QStringLiteral("3"));
    }
};

QTEST_MAIN(TestRegisterScreens)
#include "tst_register_screens.moc"
