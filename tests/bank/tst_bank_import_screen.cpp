// "Importa estratto conto" driven as the treasurer drives it, from the year
// chooser: a month's CSV statement against a year with payments due, the
// proposals changed, "Registra", the same file again, the reconciliation, and
// what lands in the year file, also when the disk is full or the file has
// lines that cannot be read.
#include "support/FileFaults.h"
#include "support/ShownRows.h"
#include "support/TestPlatform.h"

#include "bank/ImportLedger.h"
#include "bank/ui/ProposalModel.h"
#include "bank/ui/TfrmImportaEstratto.h"
#include "common/ui/RowList.h"
#include "common/RecordFile.h"
#include "common/ui/FieldEdit.h"
#include "movements/MovementLists.h"
#include "movements/ui/TfrmMenuMovimenti.h"
#include "shell/ui/ScreenSet.h"
#include "shell/ui/TfrmAvvio.h"
#include "shell/ui/TfrmPassword.h"
#include "statement/Classification.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

TSchedaMovimento due(const QString &causale, const QString &amount, bool income, const QString &dueDate,
                     const QString &person)
{
    TSchedaMovimento m;
    m.Entrata = income ? kYes : kNo;
    m.Uscita = income ? kNo : kYes;
    m.Data = QStringLiteral("02/01/2026");
    m.Causale = causale;
    m.DataSca = dueDate;
    m.Preavviso = QStringLiteral("0");
    m.Importo = amount;
    m.Totale = (income ? QStringLiteral("+") : QStringLiteral("-")) + amount;
    (income ? m.Pagatore : m.Beneficiario) = person;
    m.Pagamento = QStringLiteral("Banca");
    m.Saldato = kNo;
    return m;
}

const QByteArray kJanuary = "Banca Esempio - Lista movimenti\r\n"
                            "Conto;IT60X0542811101000000123456\r\n"
                            "\r\n"
                            "Data contabile;Data valuta;Descrizione;Dare;Avere;Descrizione estesa\r\n"
                            "16/01/2026;16/01/2026;BONIFICO A VOSTRO FAVORE;;50,00;BONIFICO DA ROSSI MARIO QUOTA 2026\r\n"
                            "21/01/2026;21/01/2026;BONIFICO A VOSTRO FAVORE;;50,00;BONIFICO DA BIANCHI ANNA QUOTA\r\n"
                            "30/01/2026;30/01/2026;ADDEBITO;300,00;;AFFITTO SALA GENNAIO COMUNE DI MONTE\r\n"
                            "31/01/2026;31/01/2026;COMMISSIONI;2,50;;COMMISSIONI BONIFICI GENNAIO\r\n"
                            "Totale;;;302,50;100,00;\r\n";

class ImportFixture
{
public:
    ImportFixture()
    {
        app.platform.clock.date = QDate(2026, 2, 15);
        ScreenSet::handOver(app.screens->password(), app.screens->avvio());
        writeYear({due(QStringLiteral("Quota sociale"), QStringLiteral("50,00"), true, QStringLiteral("15/01/2026"),
                       QStringLiteral("Rossi Mario")),
                   due(QStringLiteral("Quota sociale"), QStringLiteral("50,00"), true, QStringLiteral("20/01/2026"),
                       QStringLiteral("Bianchi Anna")),
                   due(QStringLiteral("Affitto sala"), QStringLiteral("300,00"), false, QStringLiteral("31/01/2026"),
                       QStringLiteral("Comune")),
                   due(QStringLiteral("Quota sociale"), QStringLiteral("50,00"), true, QStringLiteral("10/01/2026"),
                       QStringLiteral("Verdi Luca"))});
        Classification c;
        c.setOpening(2026, Classification::Opening{0, 100000});
        c.setAccount(QStringLiteral("Banca"), Classification::Account::Banca);
        QVERIFY(c.save(app.platform.folder.path()));
    }

    QString yearFile() const { return app.platform.file(QStringLiteral("2026.eur")); }
    QByteArray bytes() const { return readBytes(yearFile()); }
    TSchedaMovimento stored(qint64 position1) const
    {
        const QByteArray raw = bytes().mid((position1 - 1) * TSchedaMovimento::Size, TSchedaMovimento::Size);
        return raw.size() == TSchedaMovimento::Size ? RecordCodec::decode<TSchedaMovimento>(raw.constData())
                                                    : TSchedaMovimento();
    }
    void writeYear(const QList<TSchedaMovimento> &records) const
    {
        RecordFile<TSchedaMovimento> file;
        QVERIFY(file.open(yearFile()));
        for (const auto &r : records)
            QVERIFY(file.append(r));
    }
    QString statementFile(const QByteArray &bytes, const QString &name = QStringLiteral("gennaio.csv")) const
    {
        const QString path = app.platform.file(name);
        FileFaults::writeBytes(path, bytes);
        return path;
    }
    qsizetype dueCount() const { return MovementLists::paymentsDue(yearFile(), app.platform.clock.date).rows.size(); }

    // Opens the import from the year chooser for 2026 and runs body while it is shown.
    void import(const std::function<void(TfrmImportaEstratto *)> &body)
    {
        TfrmMenuMovimenti *chooser = app.screens->menuMovimenti();
        ScreenSet::handOver(app.screens->avvio(), chooser);
        auto *anno = control<FieldEdit>(chooser, "txtAnnoPreventivi");
        anno->setText(QStringLiteral("2026"));
        bool shown = false;
        app.platform.modal.handlers << [&](QDialog *d) {
            shown = true;
            body(qobject_cast<TfrmImportaEstratto *>(d));
        };
        QTest::mouseClick(control<QPushButton>(chooser, "btnImporta"), Qt::LeftButton);
        QVERIFY(shown);
    }

    static void choose(TfrmImportaEstratto *d, TestPlatform &platform, const QString &path)
    {
        platform.files.openAnswers = {path};
        QTest::mouseClick(d->btnScegli, Qt::LeftButton);
    }

    // Each row as "line date amount | proposal | reason".
    static QStringList rows(TfrmImportaEstratto *d)
    {
        QStringList out;
        const ProposalModel *m = d->proposals();
        for (int r = 0; r < m->rowCount(); ++r) {
            const auto cell = [&](int c) { return m->index(r, c).data().toString(); };
            out.append(QStringLiteral("%1 %2 %3 | %4 | %5")
                           .arg(cell(ProposalModel::Line), cell(ProposalModel::Date), cell(ProposalModel::Amount),
                                cell(ProposalModel::Action), cell(ProposalModel::Causale)));
        }
        return out;
    }

    TestApp app;
};

} // namespace

class TestBankImportScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void januaryStatementSettlesTheDuePayments()
    {
        ImportFixture f;
        const QString path = f.statementFile(kJanuary);
        const QByteArray before = f.bytes();
        QCOMPARE(f.dueCount(), 4);
        f.import([&](TfrmImportaEstratto *d) {
            ImportFixture::choose(d, f.app.platform, path);
            QCOMPARE(ImportFixture::rows(d),
                     (QStringList{QStringLiteral("5 16/01/2026 50,00 | Segna come saldato | Quota sociale"),
                                  QStringLiteral("6 21/01/2026 50,00 | Segna come saldato | Quota sociale"),
                                  QStringLiteral("7 30/01/2026 -300,00 | Segna come saldato | Affitto sala"),
                                  QStringLiteral("8 31/01/2026 -2,50 | Nuova uscita | COMMISSIONI")}));
            QCOMPARE(f.bytes(), before); // nothing is written before "Registra"
            // The reason of the new movement is changed where the list shows it.
            QVERIFY(d->proposals()->setData(d->proposals()->index(3, ProposalModel::Causale),
                                            QStringLiteral("Spese bancarie"), Qt::EditRole));
            QCOMPARE(d->lblRiepilogo->text(),
                     QStringLiteral("Righe: 4. Da segnare come saldate: 3; nuovi movimenti: 1; non registrate: 0; già importate: 0."));
            QVERIFY(d->btnRegistra->isEnabled());
            f.app.platform.messages.clear();
            QTest::mouseClick(d->btnRegistra, Qt::LeftButton);
            QCOMPARE(f.app.platform.messages.shown.size(), 2);
            QCOMPARE(f.app.platform.messages.shown[0].text,
                     QStringLiteral("Registrare le proposte?\n\nPagamenti da segnare come saldati: 3\nNuovi movimenti: 1"));
            QCOMPARE(f.app.platform.messages.lastText(),
                     QStringLiteral("Registrazione completata.\n\nPagamenti segnati come saldati: 3\nNuovi movimenti: 1"));
            // What was written is now shown as imported.
            QCOMPARE(d->lblRiepilogo->text(),
                     QStringLiteral("Righe: 4. Da segnare come saldate: 0; nuovi movimenti: 0; non registrate: 0; già importate: 4."));
            QVERIFY(!d->btnRegistra->isEnabled());
        });
        QCOMPARE(f.bytes().size(), 5 * TSchedaMovimento::Size);
        for (qint64 settled : {1, 2, 3}) {
            QCOMPARE(f.stored(settled).Saldato, kYes);
            QCOMPARE(f.stored(settled).Pagamento, QStringLiteral("Banca"));
            QCOMPARE(f.stored(settled).Causale, settled == 3 ? QStringLiteral("Affitto sala") : QStringLiteral("Quota sociale"));
        }
        QCOMPARE(f.bytes().mid(3 * TSchedaMovimento::Size, TSchedaMovimento::Size),
                 before.mid(3 * TSchedaMovimento::Size, TSchedaMovimento::Size));
        const TSchedaMovimento added = f.stored(5);
        QCOMPARE(added.Causale, QStringLiteral("Spese bancarie"));
        QCOMPARE(added.Uscita, kYes);
        QCOMPARE(added.Entrata, kNo);
        QCOMPARE(added.Data, QStringLiteral("31/01/2026"));
        QCOMPARE(added.Importo, QStringLiteral("2,50"));
        QCOMPARE(added.Totale, QStringLiteral("-2,50"));
        QCOMPARE(added.Saldato, kYes);
        QCOMPARE(f.dueCount(), 1); // only Verdi's fee is still due

        // The same file again proposes nothing and writes nothing.
        const QByteArray after = f.bytes();
        f.import([&](TfrmImportaEstratto *d) {
            ImportFixture::choose(d, f.app.platform, path);
            QCOMPARE(ImportFixture::rows(d),
                     (QStringList{QStringLiteral("5 16/01/2026 50,00 | Già importato | "),
                                  QStringLiteral("6 21/01/2026 50,00 | Già importato | "),
                                  QStringLiteral("7 30/01/2026 -300,00 | Già importato | "),
                                  QStringLiteral("8 31/01/2026 -2,50 | Già importato | ")}));
            QVERIFY(!d->btnRegistra->isEnabled());
            QVERIFY(!(d->proposals()->flags(d->proposals()->index(0, ProposalModel::Action)) & Qt::ItemIsEditable));
        });
        QCOMPARE(f.bytes(), after);

        // February's commissions get the reason chosen in January.
        const QString february = f.statementFile("Data contabile;Descrizione;Importo;Descrizione estesa\n"
                                                 "27/02/2026;COMMISSIONI;-2,50;COMMISSIONI BONIFICI FEBBRAIO\n",
                                                 QStringLiteral("febbraio.csv"));
        f.import([&](TfrmImportaEstratto *d) {
            ImportFixture::choose(d, f.app.platform, february);
            QCOMPARE(ImportFixture::rows(d),
                     QStringList{QStringLiteral("2 27/02/2026 -2,50 | Nuova uscita | Spese bancarie")});
        });
    }

    void reconciliation_data()
    {
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("explaining");
        // Opening 1.000,00 + 50 + 50 - 300 - 2,50 settled through the bank by 31/01.
        QTest::newRow("agrees") << "797,50"
                                << "Saldo dell'estratto conto: € 797,50\nSaldo della banca nel programma: € 797,50\n"
                                   "Differenza: € 0,00"
                                << QStringList{QStringLiteral("I saldi coincidono.")};
        QTest::newRow("fifty more at the bank")
            << "847,50"
            << "Saldo dell'estratto conto: € 847,50\nSaldo della banca nel programma: € 797,50\nDifferenza: € 50,00"
            << QStringList{QStringLiteral("n. 4  02/01/2026  Quota sociale  € 50,00  non saldato")};
    }
    void reconciliation()
    {
        QFETCH(QString, balance);
        QFETCH(QString, text);
        QFETCH(QStringList, explaining);
        ImportFixture f;
        const QString path = f.statementFile(kJanuary);
        f.import([&](TfrmImportaEstratto *d) {
            ImportFixture::choose(d, f.app.platform, path);
            QTest::mouseClick(d->btnRegistra, Qt::LeftButton);
            QCOMPARE(d->txtDataSaldo->text(), QStringLiteral("31/01/2026"));
            d->txtSaldo->setText(balance);
            QTest::mouseClick(d->btnRiconcilia, Qt::LeftButton);
            QCOMPARE(d->lblRiconciliazione->text(), text);
            QStringList shown;
            shown.append(ShownRows::texts(d->lstSpiegazioni));
            QCOMPARE(shown, explaining);
        });
    }

    // A disk that takes no more: the message, and the year file as it was.
    void fullDiskWritesNothing()
    {
        ImportFixture f;
        const QString path = f.statementFile(kJanuary);
        const QByteArray before = f.bytes();
        f.import([&](TfrmImportaEstratto *d) {
            ImportFixture::choose(d, f.app.platform, path);
            f.app.platform.messages.clear();
            {
                FileFaults::SizeLimit limit(before.size() + TSchedaMovimento::Size / 2);
                if (!limit.active())
                    QSKIP("the file size limit cannot be set here");
                QTest::mouseClick(d->btnRegistra, Qt::LeftButton);
            }
            QVERIFY(f.app.platform.messages.lastText().startsWith(
                QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\nNon è stato registrato nulla.")));
            QCOMPARE(f.bytes(), before);
            QVERIFY(!QFile::exists(f.app.platform.file(ImportLedger::fileName())));
            QVERIFY(d->btnRegistra->isEnabled());
            // With room again the same proposals land whole.
            QTest::mouseClick(d->btnRegistra, Qt::LeftButton);
        });
        QCOMPARE(f.bytes().size(), 5 * TSchedaMovimento::Size);
        QCOMPARE(f.dueCount(), 1);
    }

    void unreadableLinesWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("an amount with one decimal")
            << QByteArray("Data;Descrizione;Importo\n16/01/2026;BONIFICO DA ROSSI MARIO;50,00\n17/01/2026;X;1.234,5\n")
            << "Riga 3: importo non valido: \"1.234,5\".";
        QTest::newRow("31 February") << QByteArray("Data;Descrizione;Importo\n31/02/2026;X;5,00\n16/01/2026;ROSSI MARIO;50,00\n")
                                     << "Riga 2: data non valida: \"31/02/2026\".";
        QTest::newRow("dollars") << QByteArray("Data;Descrizione;Importo;Divisa\n16/01/2026;ROSSI MARIO;50,00;USD\n")
                                 << "Riga 2: movimento in USD: si importano solo movimenti in euro.";
    }
    void unreadableLinesWriteNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        ImportFixture f;
        const QString path = f.statementFile(bytes);
        const QByteArray before = f.bytes();
        f.import([&](TfrmImportaEstratto *d) {
            f.app.platform.messages.clear();
            ImportFixture::choose(d, f.app.platform, path);
            QCOMPARE(f.app.platform.messages.shown.size(), 1);
            QVERIFY2(f.app.platform.messages.lastText().endsWith(message), qPrintable(f.app.platform.messages.lastText()));
            QVERIFY(!d->btnRegistra->isEnabled());
        });
        QCOMPARE(f.bytes(), before);
    }

    // A bank whose header names nothing known: the columns are chosen once and
    // the next import of that bank asks nothing.
    void columnsChosenOnceAreKept()
    {
        ImportFixture f;
        const QString path = f.statementFile("Giorno;Testo;Movimento\n16/01/2026;BONIFICO DA ROSSI MARIO;50,00\n",
                                             QStringLiteral("altra.csv"));
        f.import([&](TfrmImportaEstratto *d) {
            f.app.platform.messages.clear();
            ImportFixture::choose(d, f.app.platform, path);
            QVERIFY(f.app.platform.messages.lastText().contains(QStringLiteral("Usa queste colonne")));
            QCOMPARE(d->proposals()->rowCount(), 0);
            QCOMPARE(d->tblColonne->columnCount(), 3);
            const auto role = [&](int col, const QString &name) {
                auto *combo = qobject_cast<QComboBox *>(d->tblColonne->cellWidget(0, col));
                QVERIFY(combo);
                combo->setCurrentIndex(combo->findText(name));
            };
            role(0, QStringLiteral("Data contabile"));
            role(1, QStringLiteral("Descrizione"));
            role(2, QStringLiteral("Importo"));
            QTest::mouseClick(d->btnColonne, Qt::LeftButton);
            QCOMPARE(ImportFixture::rows(d),
                     QStringList{QStringLiteral("2 16/01/2026 50,00 | Segna come saldato | Quota sociale")});
        });
        f.import([&](TfrmImportaEstratto *d) {
            f.app.platform.messages.clear();
            ImportFixture::choose(d, f.app.platform, path);
            QCOMPARE(f.app.platform.messages.shown.size(), 0);
            QCOMPARE(ImportFixture::rows(d),
                     QStringList{QStringLiteral("2 16/01/2026 50,00 | Segna come saldato | Quota sociale")});
        });
    }
};

QTEST_MAIN(TestBankImportScreen)
#include "tst_bank_import_screen.moc"
