// The user manual as it ships: the PDF the build prints from the manual's source,
// read back with the PDF tools a user's viewer would rely on.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString simplified(const QString &s) { return QString(s).simplified(); }

} // namespace

class TestManual : public QObject
{
    Q_OBJECT

    QString pdf = QStringLiteral(QUINTARA_MANUAL_PDF);
    QStringList pages; // the text of each page, whitespace folded

    int tocPageOf(const QString &title) const
    {
        // The contents start on the page headed "Indice" and may go on over the
        // next pages, up to the page where the first chapter begins.
        QString contents;
        for (const QString &page : pages) {
            if (page.startsWith(QStringLiteral("Indice")))
                contents = page;
            else if (!contents.isEmpty() && !page.startsWith(QStringLiteral("1. ")))
                contents += QLatin1Char(' ') + page;
            else if (!contents.isEmpty())
                break;
        }
        const QRegularExpression entry(QRegularExpression::escape(title) + QStringLiteral(" (\\d+)"));
        const auto m = entry.match(contents);
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(pdf), qPrintable(pdf));
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(5), QByteArray("%PDF-"));
        const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                               QStringLiteral("-")});
        QVERIFY2(!text.isEmpty(), "pdftotext gave no text");
        for (const QString &page : text.split(QLatin1Char('\f')))
            pages.append(simplified(page));
        if (pages.last().isEmpty())
            pages.removeLast();
    }

    void coverAndFooters()
    {
        QVERIFY(pages.size() >= 12);
        QVERIFY(pages[0].startsWith(QStringLiteral("Quintara Guida all'utilizzo del software")));
        // Every page after the cover names the manual and its place in it.
        for (int i = 1; i < pages.size(); ++i)
            QVERIFY2(pages[i].endsWith(QStringLiteral("Quintara - Guida all'utilizzo del software Pagina %1 di %2")
                                           .arg(i + 1)
                                           .arg(pages.size())),
                     qPrintable(pages[i].right(80)));
    }

    // Each chapter is listed in the contents with the page it starts on, and
    // tells what a new user needs about its subject.
    void chaptersStartWhereTheContentsSay_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QStringList>("phrases");
        const QStringList titles{"1. Primi passi",
                                 "2. La password",
                                 "3. L'archivio dei Soci",
                                 "4. Foto e allegati",
                                 "5. Il registro dei movimenti",
                                 "6. La primanota e il bilancio",
                                 "7. Stampa ed esportazione",
                                 "8. Lavorare in rete tra più postazioni",
                                 "9. La copia di sicurezza",
                                 "10. Il rendiconto per cassa",
                                 "11. L'andamento dell'anno e il preventivo",
                                 "12. Le ricevute",
                                 "13. Il libro soci e gli adempimenti",
                                 "14. Messaggi e soluzioni"};
        const QList<QStringList> phrases{
            {"menu iniziale", "benvenutissimo", "Archivio Soci", "Registrazione movimenti", "Primanota e Bilancio",
             "Importa", "In scadenza", "Non mostrare più oggi"},
            {"benvenutissimo", "Cambia password", "Vecchia password", "Conferma nuova password", "unins000.dll"},
            {"Nuovo", "Salva", "Duplica", "Scadenze", "Scaduti", "Giorni preavviso", "Cerca", "ufficio provinciale"},
            {"Carica foto", "JPEG", "bitmap", "Acquisisci foto", "Accendi webcam", "Cattura foto",
             "Importa foto in scheda", "Sfoglia...", "Applica e chiudi", "Apri", "Documenti_Allegati"},
            {"Apri", "Entrata", "Uscita", "Data operazione", "Causale", "Data scadenza", "Saldato", "orologio",
             "Duplica", "Trova", "Pagatore", "Beneficiario"},
            {"Visualizza riepilogo", "Causale", "ENTRATA", "USCITA", "TOTALE ENTRATE", "TOTALE USCITE",
             "BILANCIO ENTRATE E USCITE", "Stampa primanota", "non calcolato", "non risulta"},
            {"Anteprima", "con foto", "senza foto", "Soci.xls", "Movimenti.xls", "copie"},
            {"cartella condivisa", "postazion", "chiavetta USB"},
            {"cartella Backup", "Soci.pro", ".eur", "Documenti_Allegati", "unins000.dll", "Ripristinare"},
            {"Rendiconto per cassa", "Saldato", "Dati dell'associazione", "Ente.ini", "Rendiconto.ini",
             "Applica i suggerimenti", "INCOMPLETO", "Modello D"},
            {"Andamento", "Entrate e uscite", "Cassa e banca", "Voci maggiori", "Salva immagine", "Preventivo.ini",
             "Proponi dall'anno precedente", "Preventivo e consuntivo", "PreventivoConsuntivo", "oltre"},
            {"Ricevuta", "DUPLICATO", "Erogazione liberale", "centoventi/50", "art. 83 D.Lgs. 117/2017",
             "copia per il socio / donatore"},
            {"Iscrizione", "LibroSoci.txt", "Dalle qualifiche", "recesso", "Soci in carica", "Pagina n di N",
             "LibroSoci.xlsx", "Segna come fatto", "5 per mille", "Adempimenti.ini"},
            {"password errata", "il sistema non permette di accedere", "Guida.pdf"},
        };
        for (int i = 0; i < titles.size(); ++i)
            QTest::newRow(qPrintable(titles[i])) << titles[i] << titles.value(i + 1) << phrases[i];
    }
    void chaptersStartWhereTheContentsSay()
    {
        QFETCH(QString, title);
        QFETCH(QString, next);
        QFETCH(QStringList, phrases);
        const int first = tocPageOf(title);
        QVERIFY2(first > 2, qPrintable(QStringLiteral("not in the contents: ") + title));
        QVERIFY(first <= pages.size());
        QVERIFY2(pages[first - 1].startsWith(title), qPrintable(pages[first - 1].left(80)));
        const int end = next.isEmpty() ? pages.size() + 1 : tocPageOf(next);
        QVERIFY(end > first);
        QString chapter;
        for (int p = first; p < end; ++p)
            chapter += pages[p - 1] + QLatin1Char(' ');
        for (const QString &phrase : phrases)
            QVERIFY2(chapter.contains(phrase), qPrintable(QStringLiteral("missing: ") + phrase));
    }

    // Search and copy find every line once: the text of a page never starts
    // with the last line of the page before.
    void noLineRepeatsAcrossAPageBreak()
    {
        const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                               QStringLiteral("-")});
        QList<QStringList> lines;
        for (const QString &page : text.split(QLatin1Char('\f'))) {
            QStringList kept;
            for (const QString &line : page.split(QLatin1Char('\n'))) {
                const QString t = line.simplified();
                // The footer is the same on every page by design.
                if (t.isEmpty() || t.startsWith(QStringLiteral("Quintara - Guida all'utilizzo del software"))
                    || t.startsWith(QStringLiteral("Pagina ")))
                    continue;
                kept.append(t);
            }
            lines.append(kept);
        }
        QVERIFY(lines.size() >= pages.size());
        for (int i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i].isEmpty() || lines[i + 1].isEmpty())
                continue;
            const QString last = lines[i].last();
            QVERIFY2(last.size() <= 3 || !lines[i + 1].mid(0, 3).contains(last),
                     qPrintable(QStringLiteral("page %1 repeats: %2").arg(i + 2).arg(last)));
        }
    }

    // Every picture the source names is in the PDF.
    void picturesAreEmbedded()
    {
        QFile source(QStringLiteral(QUINTARA_MANUAL_SOURCE));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(source.readAll());
        QSet<QString> names;
        for (const auto &m : QRegularExpression(QStringLiteral("<img src=\"([^\"]+)\"")).globalMatch(html))
            names.insert(m.captured(1));
        QVERIFY(names.size() >= 15);
        const QStringList listed = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        // Two heading lines, then one line per image drawn.
        QVERIFY2(listed.size() - 2 >= names.size(), qPrintable(QString::number(listed.size())));
    }
};

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
