// The statement saved as PDF/A for the national register, from the statement
// screen's button: the file's name, its PDF/A identification, its embedded
// fonts and the filled-in place and date.
#include "books/StatementPdf.h"
#include "statement/StatementFixtures.h"
#include "statement/ui/TfrmRendiconto.h"
#include "support/Poppler.h"
#include "support/TestPlatform.h"

#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace StatementFixtures;

class TestStatementPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedFromTheScreenAsPdfA()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QFAIL("pdfinfo (poppler-utils) is not installed");
        TestPlatform p;
        writeYear(2025, workedYear());
        writeText(QStringLiteral("Rendiconto.ini"), workedClassification());
        const EnteData e{QStringLiteral("Circolo Culturale La Quinta"), QStringLiteral("12345678903"),
                         QStringLiteral("Via Roma 1, 20121 Milano (MI)"), QStringLiteral("4567"), QStringLiteral("APS"),
                         QStringLiteral("Anna Bianchi"), QStringLiteral("Luca Verdi")};
        QVERIFY(e.save(p.folder.path()));
        p.clock.date = QDate(2026, 5, 20);
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        p.messages.answers = {MessageBoxes::Answer::No}; // do not open it
        QTest::mouseClick(control<QPushButton>(&s, "btnPdf"), Qt::LeftButton);
        const QString pdf = p.file(QStringLiteral("Rendiconto_2025_12345678903.pdf"));
        QVERIFY2(QFileInfo::exists(pdf), qPrintable(p.messages.lastText()));
        QCOMPARE(p.messages.lastText(),
                 QStringLiteral("Il rendiconto è stato salvato in PDF/A nel file Rendiconto_2025_12345678903.pdf.") +
                     UiPlatform::kCrLfCrLf + QStringLiteral("Aprire il file adesso?"));

        // The XMP metadata names the part and conformance of PDF/A-1b.
        const QString meta = poppler(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), pdf});
        QVERIFY2(QRegularExpression(QStringLiteral("pdfaid:part(>|=\")1")).match(meta).hasMatch(), qPrintable(meta));
        QVERIFY2(QRegularExpression(QStringLiteral("pdfaid:conformance(>|=\")B")).match(meta).hasMatch(), qPrintable(meta));
        const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QStringLiteral("Rendiconto per cassa dell'esercizio 2025")), qPrintable(info));
        QVERIFY2(QRegularExpression(QStringLiteral("PDF version:\\s+1\\.4")).match(info).hasMatch(), qPrintable(info));

        // Every font is embedded.
        const QStringList fonts = poppler(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(fonts.size() >= 3, qPrintable(fonts.join(QLatin1Char('\n'))));
        const int emb = int(fonts[0].indexOf(QStringLiteral("emb")));
        for (qsizetype i = 2; i < fonts.size(); ++i)
            QVERIFY2(fonts[i].mid(emb, 3) == QLatin1String("yes"), qPrintable(fonts.join(QLatin1Char('\n'))));

        const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                                   QStringLiteral("-")}).simplified();
        for (const QString &w : {QStringLiteral("Circolo Culturale La Quinta"),
                                 QStringLiteral("Codice fiscale 12345678903 - RUNTS n. 4567 - APS"),
                                 QStringLiteral("Luogo e data: Milano, 20/05/2026"),
                                 QStringLiteral("Il Presidente (Anna Bianchi)"), QStringLiteral("Il Tesoriere (Luca Verdi)")})
            QVERIFY2(text.contains(w), qPrintable(w + QStringLiteral("\n---\n") + text));
    }

    void incompleteStatementAsksFirst()
    {
        TestPlatform p;
        writeYear(2025, workedYear()); // no classification: the statement is incomplete
        TfrmRendiconto s;
        QVERIFY(s.load());
        s.showYear(2025);
        p.messages.answers = {MessageBoxes::Answer::No};
        QTest::mouseClick(control<QPushButton>(&s, "btnPdf"), Qt::LeftButton);
        QCOMPARE(p.messages.lastText(), QStringLiteral("Attenzione: il rendiconto 2025 non è completo.") +
                                            UiPlatform::kCrLfCrLf + QStringLiteral("Salvare comunque il PDF?"));
        QVERIFY(!QFileInfo::exists(p.file(QStringLiteral("Rendiconto_2025.pdf"))));
    }

    void namesAndPlaces_data()
    {
        QTest::addColumn<QString>("taxCode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("place");
        QTest::newRow("digits") << "97000000001" << "Rendiconto_2025_97000000001.pdf"
                                << "Via Roma 1, 20121 Milano (MI)" << "Milano";
        QTest::newRow("letters in lower case, blanks") << " rss mra 80a01 f205x" << "Rendiconto_2025_RSSMRA80A01F205X.pdf"
                                                       << "Piazza Duomo 3, 00100 Roma" << "Roma";
        QTest::newRow("slashes are never part of a name") << "../12/34" << "Rendiconto_2025_1234.pdf"
                                                         << "Corso Italia, San Giovanni in Persiceto (BO)"
                                                         << "San Giovanni in Persiceto";
        QTest::newRow("no tax code, no town") << "" << "Rendiconto_2025.pdf" << "Via Roma 1" << "";
    }

    void namesAndPlaces()
    {
        QFETCH(QString, taxCode);
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(QString, place);
        QCOMPARE(StatementPdf::fileName(2025, taxCode), name);
        QCOMPARE(StatementPdf::place(address), place);
    }
};

QTEST_MAIN(TestStatementPdf)
#include "tst_statement_pdf.moc"
