// The export of a year's movements: the grid the window shows, the bytes of
// "Movimenti.xls", typed-over cells, and the window opened from the card.
#include "MovementFixture.h"

#include "common/ui/TfrmGuida.h"
#include "movements/ui/TfrmExpMovimenti.h"
#include "output/ui/ExportProcedure.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

TSchedaMovimento income()
{
    TSchedaMovimento m;
    m.Entrata = kYes;
    m.Uscita = kNo;
    m.Data = QStringLiteral("05/03/2014");
    m.Causale = QStringLiteral("Quota sociale & iscrizione <2014>");
    m.Promemoria = QStringLiteral("rata unica");
    m.DataSca = QStringLiteral("15/03/2014");
    m.Preavviso = QStringLiteral("5");
    m.Importo = QStringLiteral("150,00");
    m.Totale = QStringLiteral("+150,00");
    m.Pagatore = QStringLiteral("Rossi Mario");
    m.RecapitoPag = QStringLiteral("075 123456");
    m.CodFisc = QStringLiteral("RSSMRA80A01H501U");
    m.Categoria = QStringLiteral("0001");
    m.Email = QStringLiteral("mario@example.it");
    m.Pagamento = QStringLiteral("Contanti");
    m.Beneficiario = QStringLiteral("Circolo Quintara");
    m.RecapitoBen = QStringLiteral("075 5771");
    m.Ricevuta = QStringLiteral("Ricevuta n. 12");
    m.Note = QStringLiteral("Pagato in sede");
    m.Tariffa = QStringLiteral("Ordinaria");
    m.Saldato = kYes;
    m.File01 = QStringLiteral("ricevuta.pdf");
    m.Desc01 = QStringLiteral("Ricevuta firmata");
    return m;
}

TSchedaMovimento expense()
{
    TSchedaMovimento m;
    m.Entrata = kNo;
    m.Uscita = kYes;
    m.Data = QStringLiteral("10/03/2014");
    m.Causale = QStringLiteral("Affitto palestra");
    m.DataSca = QStringLiteral("31/03/2014");
    m.Preavviso = QStringLiteral("7");
    m.Importo = QStringLiteral("42,50");
    m.Totale = QStringLiteral("-42,50");
    m.Pagatore = QStringLiteral("Circolo Quintara");
    m.PartitaIva = QStringLiteral("01234567890");
    m.Pagamento = QStringLiteral("Bonifico bancario");
    m.Beneficiario = QStringLiteral("Comune di Forlì");
    m.Ricevuta = QStringLiteral("CRO 0042");
    m.Tariffa = QStringLiteral("Ridotta");
    m.Saldato = kNo;
    return m;
}

QByteArray fixture(const char *name)
{
    return readBytes(QStringLiteral(QUINTARA_TESTS_DIR "/movements/fixtures/") + QLatin1String(name));
}

// The export window as the card opens it, driven while it is shown.
void openExport(MovementFixture &f, const std::function<void(TfrmExpMovimenti *)> &drive)
{
    f.app.platform.modal.handlers.append([&drive](QDialog *d) {
        auto *w = qobject_cast<TfrmExpMovimenti *>(d);
        QVERIFY(w);
        drive(w);
    });
    f.click("cmdEsporta");
    QCOMPARE(f.app.platform.modal.opened.value(0), QStringLiteral("TfrmExpMovimenti"));
}

QString cell(QTableView *grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    return index.isValid() ? index.data().toString() : QStringLiteral("<none>");
}

} // namespace

class TestMovementExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gridColumns();
    void smallYearShownAndExportedExactly();
    void emptyYearExportsTheHeaderAlone();
    void typedOverCellsAreExportedAndTheYearStays();
    void helpPage();
};

void TestMovementExport::gridColumns()
{
    TestPlatform p;
    TfrmExpMovimenti w;
    QCOMPARE(w.windowTitle(), QStringLiteral(" Esporta archivio movimenti in Microsoft Excel"));
    auto *grid = control<QTableView>(&w, "grdRecords");
    const struct
    {
        const char *header;
        int width;
        bool editable;
    } expected[] = {
        {"N.", 60, false},
        {"Tipo movimento", 150, false},
        {"Data operazione", 150, false},
        {"Causale", 300, false},
        {"Promemoria", 300, false},
        {"Data scadenza", 150, false},
        {"Giorni preavviso", 120, false},
        {"Importo in euro", 150, false},
        {"Pagatore", 250, false},
        {"Recapito", 250, false},
        {"Codice fiscale", 200, false},
        {"Partita IVA", 180, false},
        {"Tessera n.", 200, false},
        {"E-mail", 200, false},
        {"Modalità pagamento", 250, false},
        {"Beneficiario", 250, false},
        {"Recapito", 250, false},
        {"CRO o Ricevuta n.", 250, false},
        {"Note", 300, true},
        {"Tariffa applicata", 250, false},
        {"Saldato", 100, true},
    };
    QCOMPARE(grid->model()->columnCount(), 21);
    for (int c = 0; c < 21; ++c) {
        QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(expected[c].header));
        QCOMPARE(grid->columnWidth(c), expected[c].width);
    }
    // Only the notes and the settled flag take typing.
    w.setYearFile(p.file(QStringLiteral("2014.eur")));
    {
        RecordFile<TSchedaMovimento> file;
        QVERIFY(file.open(p.file(QStringLiteral("2014.eur"))));
        QVERIFY(file.append(income()));
        file.close();
    }
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(grid->model()->rowCount(), 1);
    for (int c = 0; c < 21; ++c)
        QCOMPARE(bool(grid->model()->flags(grid->model()->index(0, c)) & Qt::ItemIsEditable), expected[c].editable);
}

void TestMovementExport::smallYearShownAndExportedExactly()
{
    MovementFixture f;
    f.writeYear({income(), expense(), TSchedaMovimento()});
    const QByteArray before = f.bytes();
    openExport(f, [&f](TfrmExpMovimenti *w) {
        auto *grid = control<QTableView>(w, "grdRecords");
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(cell(grid, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(grid, 2, 0), QStringLiteral("3"));
        QCOMPARE(cell(grid, 0, 1), QStringLiteral("Entrata"));
        QCOMPARE(cell(grid, 0, 7), QStringLiteral("+150,00"));
        QCOMPARE(cell(grid, 1, 1), QStringLiteral("Uscita"));
        QCOMPARE(cell(grid, 1, 7), QStringLiteral("-42,50"));
        QCOMPARE(cell(grid, 1, 15), QStringLiteral("Comune di Forlì"));
        QCOMPARE(cell(grid, 2, 1), QString());
        QCOMPARE(cell(grid, 0, 20), QStringLiteral("Sì"));
        QTest::mouseClick(control<PictureButton>(w, "cmdEsporta"), Qt::LeftButton);
        QVERIFY(w->isVisible()); // the window stays open after an export
        QCOMPARE(f.messages().shown.size(), 2);
        QCOMPARE(f.messages().shown[0].text, ExportProcedure::askText());
        QCOMPARE(f.messages().shown[1].text, ExportProcedure::successText());
    });
    const QByteArray expected = fixture("movimenti_tre.xls");
    QVERIFY(!expected.isEmpty());
    QCOMPARE(readBytes(f.app.platform.file(QStringLiteral("Movimenti.xls"))), expected);
    QCOMPARE(f.app.platform.shell.opened,
             QList<QUrl>{QUrl::fromLocalFile(f.app.platform.file(QStringLiteral("Movimenti.xls")))});
    QCOMPARE(f.bytes(), before);
}

void TestMovementExport::emptyYearExportsTheHeaderAlone()
{
    MovementFixture f;
    QVERIFY(!QFile::exists(f.yearFile()));
    openExport(f, [](TfrmExpMovimenti *w) {
        QCOMPARE(control<QTableView>(w, "grdRecords")->model()->rowCount(), 0);
        QTest::mouseClick(control<PictureButton>(w, "cmdEsporta"), Qt::LeftButton);
    });
    QCOMPARE(readBytes(f.app.platform.file(QStringLiteral("Movimenti.xls"))), fixture("movimenti_vuoto.xls"));
    // Opening the window created the year, empty.
    QVERIFY(QFileInfo(f.yearFile()).isFile());
    QCOMPARE(f.bytes().size(), 0);
}

void TestMovementExport::typedOverCellsAreExportedAndTheYearStays()
{
    MovementFixture f;
    f.writeYear({income(), expense(), TSchedaMovimento()});
    const QByteArray before = f.bytes();
    openExport(f, [](TfrmExpMovimenti *w) {
        auto *grid = control<QTableView>(w, "grdRecords");
        // Typing over a selected cell opens its editor with the typed text.
        const auto typeOver = [grid](int row, int column, const QString &text) -> bool {
            grid->setFocus();
            grid->setCurrentIndex(grid->model()->index(row, column));
            QTest::keyClick(grid, text.at(0).toLatin1());
            QLineEdit *editor = nullptr;
            for (QLineEdit *e : grid->viewport()->findChildren<QLineEdit *>())
                if (e->isVisible())
                    editor = e;
            if (!editor)
                return false;
            typeText(editor, text.mid(1));
            QTest::keyClick(editor, Qt::Key_Return);
            return true;
        };
        QVERIFY(typeOver(1, 18, QStringLiteral("pagato il 12/03")));
        QVERIFY(typeOver(1, 20, QStringLiteral("Sì")));
        // A column that takes no typing keeps its text.
        QVERIFY(!typeOver(1, 3, QStringLiteral("Altro")));
        QCOMPARE(cell(grid, 1, 3), QStringLiteral("Affitto palestra"));
        QCOMPARE(cell(grid, 1, 18), QStringLiteral("pagato il 12/03"));
        QTest::mouseClick(control<PictureButton>(w, "cmdEsporta"), Qt::LeftButton);
    });
    const QByteArray written = readBytes(f.app.platform.file(QStringLiteral("Movimenti.xls")));
    QByteArray expected = fixture("movimenti_tre.xls");
    // The second row's notes and settled flag, as the fixture holds them and as typed.
    const QByteArray row2 = expected.mid(expected.indexOf("<td style=\"text-align: left;\">Uscita</td>"));
    const QByteArray oldTail = QByteArray("<td style=\"text-align: left;\"></td>") +
                               "<td style=\"text-align: left;\">Ridotta</td>" +
                               "<td style=\"text-align: left;\">No</td>";
    const QByteArray newTail = QByteArray("<td style=\"text-align: left;\">pagato il 12/03</td>") +
                               "<td style=\"text-align: left;\">Ridotta</td>" +
                               "<td style=\"text-align: left;\">S\xec</td>";
    QVERIFY(row2.contains(oldTail));
    expected.replace(expected.indexOf(oldTail, expected.indexOf("Uscita")), oldTail.size(), newTail);
    QCOMPARE(written, expected);
    QCOMPARE(f.bytes(), before);
}

void TestMovementExport::helpPage()
{
    MovementFixture f;
    QString title, body;
    openExport(f, [&](TfrmExpMovimenti *w) {
        f.app.platform.modal.handlers.append([&](QDialog *d) {
            title = control<QLabel>(d, "lblTitolo")->text();
            body = control<QPlainTextEdit>(d, "txtGuida")->toPlainText();
        });
        QTest::mouseClick(control<PictureButton>(w, "cmdGuida"), Qt::LeftButton);
        QTest::mouseClick(control<PictureButton>(w, "cmdEsci"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
    });
    QCOMPARE(f.app.platform.modal.opened, QStringList({"TfrmExpMovimenti", "TfrmGuida"}));
    QCOMPARE(title, QStringLiteral("Esportazione archivio movimenti in Microsoft Excel."));
    const QStringList paragraphs = body.split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.size(), 3);
    QVERIFY(paragraphs[0].contains(QStringLiteral("anno solare")));
    QVERIFY(paragraphs[0].contains(QStringLiteral("Libre Office")));
}

QTEST_MAIN(TestMovementExport)
#include "tst_movement_export.moc"
