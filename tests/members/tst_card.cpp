// The member card: browsing, new, save, duplicate, code checks, e-mail, photo
// buttons and the way back to the start menu, driven through the screen.
#include "CardFixture.h"

#include "common/ui/Art.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

namespace {

const QString kAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                       "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                       "installazione del programma.");
const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kChanged = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

using Kind = MessageBoxes::Kind;

// Fills a card the user could store: name, expiry date from the picker, defaults elsewhere.
void fillValidCard(CardFixture &f, const QString &name)
{
    f.type("txtDipendente", name);
    f.field("txtDataSca")->setText(QStringLiteral("30/06/2025"));
}

QSize jpegSize(const QString &path)
{
    QImageReader r(path);
    return r.format() == "jpeg" ? r.size() : QSize();
}

} // namespace

class TestCard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyArchiveOnEveryArrow_data();
    void emptyArchiveOnEveryArrow();
    void previousOnRecordOneSaysNothingEvenOnEmptyArchive();
    void browsingVisitsRecordsAndStopsAtTheEnds();
    void loadingShowsStoredPhotoOrPlaceholder();
    void saveOfNewCardAppendsAndWritesPlaceholderPhoto();
    void secondSaveOverwritesAndLeavesOthersUntouched();
    void saveChecksInOrder_data();
    void saveChecksInOrder();
    void photoThatCannotBeWrittenStaysOnCardWithWarning();
    void duplicateOnNewCardWarnsAndChangesNothing();
    void duplicateThenSaveAppendsWithoutAttachments();
    void nuovoEmptiesTheCard();
    void positionThatIsNotANumberGivesAccessError();
    void archiveThatCannotBeOpenedGivesAccessError();
    void codeCheckRoutedByContent_data();
    void codeCheckRoutedByContent();
    void vatAndIbanButtonsOpenTheirChecks();
    void emailOpensMailtoBuiltAsUrl_data();
    void emailOpensMailtoBuiltAsUrl();
    void photoButtons();
    void helpOpensGuideOnTheCard();
    void closingReturnsToStartMenuAndReopensEmpty_data();
    void closingReturnsToStartMenuAndReopensEmpty();
};

void TestCard::emptyArchiveOnEveryArrow_data()
{
    QTest::addColumn<QString>("arrow");
    QTest::newRow("first") << "cmdPrimo";
    QTest::newRow("previous") << "cmdIndietro";
    QTest::newRow("next") << "cmdAvanti";
    QTest::newRow("last") << "cmdUltimo";
}

void TestCard::emptyArchiveOnEveryArrow()
{
    QFETCH(QString, arrow);
    CardFixture f;
    QVERIFY(!QFile::exists(f.file("Soci.pro")));
    f.click(arrow.toLatin1().constData());
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Information);
    QCOMPARE(f.messages().shown[0].text, kEmpty);
    QCOMPARE(f.position(), QString());
    // Looking into an absent archive creates it empty.
    QVERIFY(QFile::exists(f.file("Soci.pro")));
    QCOMPARE(QFileInfo(f.file("Soci.pro")).size(), 0);
}

void TestCard::previousOnRecordOneSaysNothingEvenOnEmptyArchive()
{
    CardFixture f;
    writeArchive({member("Alfa")});
    f.click("cmdPrimo");
    QCOMPARE(f.position(), QStringLiteral("1"));
    // The folder's archive is replaced by an empty one while the card shows record 1.
    QVERIFY(QFile::resize(f.file("Soci.pro"), 0));
    f.messages().clear();
    f.click("cmdIndietro");
    QVERIFY(f.messages().shown.isEmpty());
    QCOMPARE(f.position(), QStringLiteral("1"));
    f.click("cmdAvanti");
    QCOMPARE(f.messages().lastText(), kEmpty);
    QCOMPARE(f.position(), QString());
}

void TestCard::browsingVisitsRecordsAndStopsAtTheEnds()
{
    CardFixture f;
    writeArchive({member("Alfa"), member("Beta"), member("Gamma")});

    // From a card not stored, both Next and Previous show the first record.
    f.click("cmdAvanti");
    QCOMPARE(f.position(), QStringLiteral("1"));
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Alfa"));
    f.click("btnNuovo");
    f.click("cmdIndietro");
    QCOMPARE(f.position(), QStringLiteral("1"));

    f.click("cmdUltimo");
    QCOMPARE(f.position(), QStringLiteral("3"));
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Gamma"));
    QCOMPARE(f.field("txtCitta")->text(), QStringLiteral("Città di Gamma"));
    QCOMPARE(f.field("txtDataSca")->text(), QStringLiteral("31/12/2024"));

    // Next on the last record: nothing changes, nothing is said, typing survives.
    f.field("txtNote")->setText(QStringLiteral("scritto a mano"));
    f.click("cmdAvanti");
    QCOMPARE(f.position(), QStringLiteral("3"));
    QCOMPARE(f.field("txtNote")->text(), QStringLiteral("scritto a mano"));

    f.click("cmdIndietro");
    QCOMPARE(f.position(), QStringLiteral("2"));
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Beta"));
    QCOMPARE(f.field("txtNote")->text(), QString());
    f.click("cmdIndietro");
    QCOMPARE(f.position(), QStringLiteral("1"));

    // Previous on record 1: nothing changes.
    f.field("txtNote")->setText(QStringLiteral("resta"));
    f.click("cmdIndietro");
    QCOMPARE(f.position(), QStringLiteral("1"));
    QCOMPARE(f.field("txtNote")->text(), QStringLiteral("resta"));

    f.click("cmdPrimo");
    QCOMPARE(f.field("txtNote")->text(), QString());
    f.click("cmdAvanti");
    QCOMPARE(f.position(), QStringLiteral("2"));
    QVERIFY(f.messages().shown.isEmpty());
}

void TestCard::loadingShowsStoredPhotoOrPlaceholder()
{
    CardFixture f;
    TSchedaSocio withFiles = member("Alfa");
    withFiles.File01 = QStringLiteral("contratto.pdf");
    withFiles.Desc03 = QStringLiteral("Modulo privacy");
    writeArchive({withFiles, member("Beta"), member("Gamma")});
    QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(1)));
    QFile junk(ArchivePaths::photo(3));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();

    f.click("cmdPrimo");
    QVERIFY(isRedPhoto(f.card->photo()));
    QCOMPARE(f.label("lblFile01")->text(), QStringLiteral("contratto.pdf"));
    QCOMPARE(f.label("lblDesc03")->text(), QStringLiteral("Modulo privacy"));
    f.click("cmdAvanti"); // no photo file
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());
    QCOMPARE(f.label("lblFile01")->text(), QString());
    f.click("cmdAvanti"); // a photo file that is not a picture
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());
    QVERIFY(f.messages().shown.isEmpty());
}

void TestCard::saveOfNewCardAppendsAndWritesPlaceholderPhoto()
{
    CardFixture f;
    writeArchive({member("A"), member("B"), member("C"), member("D")});
    const QByteArray before = readBytes(f.file("Soci.pro"));

    fillValidCard(f, QStringLiteral("Rossi Mario"));
    f.type("txtProv", QStringLiteral("mi"));
    f.click("btnSalva");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Information);
    QCOMPARE(f.messages().shown[0].text, kInserted);
    QCOMPARE(f.position(), QStringLiteral("5"));
    const QByteArray after = readBytes(f.file("Soci.pro"));
    QCOMPARE(after.size(), 5 * TSchedaSocio::Size);
    QCOMPARE(after.left(before.size()), before);

    TSchedaSocio expected;
    expected.Dipendente = QStringLiteral("Rossi Mario");
    expected.Stipendio = QStringLiteral("0,00");
    expected.Prov = QStringLiteral("MI");
    expected.DataSca = QStringLiteral("30/06/2025");
    expected.Preavviso = QStringLiteral("0");
    QCOMPARE(storedBytes(5), RecordCodec::encode(expected));

    // A card without a photo of its own stores the placeholder picture.
    QCOMPARE(jpegSize(f.file("5.jpg")), QSize(366, 274));
    QVERIFY(!QFile::exists(f.file("6.jpg")));
}

void TestCard::secondSaveOverwritesAndLeavesOthersUntouched()
{
    CardFixture f;
    writeArchive({member("Alfa"), member("Beta"), member("Gamma")});
    const QByteArray first = storedBytes(1), third = storedBytes(3);

    f.click("cmdPrimo");
    f.click("cmdAvanti");
    f.field("txtDipendente")->setText(QStringLiteral("Beta Nuova"));
    f.click("btnSalva");
    QCOMPARE(f.messages().lastText(), kChanged);
    QCOMPARE(f.messages().shown.last().kind, Kind::Information);
    QCOMPARE(f.position(), QStringLiteral("2"));
    QCOMPARE(QFileInfo(f.file("Soci.pro")).size(), 3 * TSchedaSocio::Size);
    QCOMPARE(storedRecord(2).Dipendente, QStringLiteral("Beta Nuova"));
    QCOMPARE(storedBytes(1), first);
    QCOMPARE(storedBytes(3), third);
    QCOMPARE(jpegSize(f.file("2.jpg")), QSize(366, 274));

    // Saved again: still record 2.
    f.click("btnSalva");
    QCOMPARE(QFileInfo(f.file("Soci.pro")).size(), 3 * TSchedaSocio::Size);
    QCOMPARE(f.messages().lastText(), kChanged);
}

void TestCard::saveChecksInOrder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fee");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const int warning = int(Kind::Warning);
    const QString need = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ");
    QTest::newRow("everything missing: the name first")
        << "  " << "" << "" << "" << warning << need + "cognome e nome del Socio." << "txtDipendente";
    QTest::newRow("fee") << "Rossi" << " " << "" << "" << warning
                         << need + "l'importo della quota associativa." << "txtStipendio";
    QTest::newRow("expiry date") << "Rossi" << "10" << "" << "" << warning
                                 << need + "la data di scadenza dell'abbonamento." << "txtDataSca";
    QTest::newRow("31/02/2024 does not exist")
        << "Rossi" << "10" << " 31/02/2024 " << "" << int(Kind::Plain)
        << QStringLiteral("Attenzione: la data di scadenza 31/02/2024 non esiste.\n\r\n\rPer poter salvare la "
                          "scheda è necessario indicare una data valida nel formato gg/mm/aaaa.")
        << "txtDataSca";
    QTest::newRow("notice days") << "Rossi" << "10" << "29/02/2024" << "" << warning
                                 << need + "i giorni di preavviso." << "txtPreavviso";
}

void TestCard::saveChecksInOrder()
{
    QFETCH(QString, name);
    QFETCH(QString, fee);
    QFETCH(QString, expiry);
    QFETCH(QString, notice);
    QFETCH(int, kind);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    CardFixture f;
    f.field("txtDipendente")->setText(name);
    f.field("txtStipendio")->setText(fee);
    f.field("txtDataSca")->setText(expiry);
    f.field("txtPreavviso")->setText(notice);
    f.field("txtEmail")->setFocus();
    f.click("btnSalva");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(int(f.messages().shown[0].kind), kind);
    QCOMPARE(f.messages().shown[0].text, message);
    QCOMPARE(f.focused(), f.widget(focus.toLatin1().constData()));
    QCOMPARE(f.position(), QString());
    QVERIFY(!QFile::exists(f.file("Soci.pro")));
    QVERIFY(!QFile::exists(f.file("1.jpg")));
}

void TestCard::photoThatCannotBeWrittenStaysOnCardWithWarning()
{
    CardFixture f;
    QVERIFY(PhotoFiles::writeJpeg(redPhoto(), f.file("scelta.jpg")));
    QVERIFY(QDir(f.file(QString())).mkdir(QStringLiteral("1.jpg"))); // where the photo should go
    f.app.platform.files.openAnswers << f.file("scelta.jpg");
    f.click("btnCaricaFoto");
    QVERIFY(isRedPhoto(f.card->photo()));

    fillValidCard(f, QStringLiteral("Bianchi Anna"));
    f.click("btnSalva");

    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Warning);
    QVERIFY(f.messages().shown[0].text.startsWith(
        QStringLiteral("Attenzione: la scheda è stata salvata in archivio, ma non è stato possibile salvare la foto.")));
    QCOMPARE(f.position(), QStringLiteral("1"));
    QCOMPARE(storedRecord(1).Dipendente, QStringLiteral("Bianchi Anna"));
    QVERIFY(isRedPhoto(f.card->photo()));
    QVERIFY(QFileInfo(f.file("1.jpg")).isDir());

    // Once the way is clear, saving again overwrites the record and writes the photo.
    QVERIFY(QDir(f.file(QString())).rmdir(QStringLiteral("1.jpg")));
    f.click("btnSalva");
    QCOMPARE(f.messages().lastText(), kChanged);
    QCOMPARE(QFileInfo(f.file("Soci.pro")).size(), TSchedaSocio::Size);
    QVERIFY(isRedPhoto(PhotoFiles::read(f.file("1.jpg"))));
}

void TestCard::duplicateOnNewCardWarnsAndChangesNothing()
{
    CardFixture f;
    f.field("txtDipendente")->setText(QStringLiteral("Verdi"));
    f.label("lblFile02")->setText(QStringLiteral("doc.pdf"));
    f.click("btnDuplica");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Warning);
    QCOMPARE(f.messages().shown[0].text,
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è "
                            "stata inserita in archivio."));
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Verdi"));
    QCOMPARE(f.label("lblFile02")->text(), QStringLiteral("doc.pdf"));
    QVERIFY(!QFile::exists(f.file("Soci.pro")));
}

void TestCard::duplicateThenSaveAppendsWithoutAttachments()
{
    CardFixture f;
    TSchedaSocio third = member("Gamma");
    third.File01 = QStringLiteral("a.pdf");
    third.File03 = QStringLiteral("c.pdf");
    third.Desc02 = QStringLiteral("descrizione");
    third.Iban = QStringLiteral("IT60X0542811101000000123456");
    writeArchive({member("Alfa"), member("Beta"), third});
    QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(3)));
    const QByteArray original = storedBytes(3);

    f.click("cmdUltimo");
    QVERIFY(isRedPhoto(f.card->photo()));
    f.field("txtEmail")->setFocus();
    f.click("btnDuplica");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Information);
    QCOMPARE(f.messages().shown[0].text,
             QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                            "premere Salva per inserire la scheda in archivio."));
    QCOMPARE(f.position(), QString());
    QCOMPARE(f.label("lblFile01")->text(), QString());
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Gamma"));
    QCOMPARE(f.focused(), f.widget("txtDipendente"));

    f.click("btnSalva");
    QCOMPARE(f.messages().lastText(), kInserted);
    QCOMPARE(f.position(), QStringLiteral("4"));
    QCOMPARE(storedBytes(3), original);
    TSchedaSocio expected = third;
    expected.File01.clear();
    expected.File03.clear();
    expected.Desc02.clear();
    QCOMPARE(storedBytes(4), RecordCodec::encode(expected));
    QCOMPARE(jpegSize(f.file("4.jpg")), QSize(366, 274));
    QVERIFY(isRedPhoto(PhotoFiles::read(f.file("3.jpg"))));
}

void TestCard::nuovoEmptiesTheCard()
{
    CardFixture f;
    writeArchive({member("Alfa")});
    QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(1)));
    f.click("cmdPrimo");
    f.label("lblDesc01")->setText(QStringLiteral("x"));
    f.field("txtEmail")->setFocus();
    f.click("btnNuovo");
    QCOMPARE(f.position(), QString());
    QCOMPARE(f.field("txtDipendente")->text(), QString());
    QCOMPARE(f.field("txtEmail")->text(), QString());
    QCOMPARE(f.field("txtDataSca")->text(), QString());
    QCOMPARE(f.field("txtStipendio")->text(), QStringLiteral("0,00"));
    QCOMPARE(f.field("txtPreavviso")->text(), QStringLiteral("0"));
    QCOMPARE(f.label("lblDesc01")->text(), QString());
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());
    QCOMPARE(f.focused(), f.widget("txtDipendente"));
    QVERIFY(f.messages().shown.isEmpty());
}

void TestCard::positionThatIsNotANumberGivesAccessError()
{
    // The card's position is a number it holds, never text to parse; the one
    // stored position that can still be wrong is one beyond the archive's end,
    // when the archive was replaced by a shorter one while the card was shown.
    CardFixture f;
    writeArchive({member("Alfa"), member("Beta")});
    f.click("cmdUltimo");
    QCOMPARE(f.position(), QStringLiteral("2"));
    QVERIFY(QFile::resize(f.file("Soci.pro"), TSchedaSocio::Size));
    const QByteArray before = readBytes(f.file("Soci.pro"));
    f.field("txtDipendente")->setText(QStringLiteral("Rossi"));
    f.messages().clear();

    f.click("btnSalva");
    QCOMPARE(f.messages().shown.size(), 1);
    QCOMPARE(f.messages().shown[0].kind, Kind::Error);
    QCOMPARE(f.messages().shown[0].text, kAccess);
    QCOMPARE(f.position(), QStringLiteral("2"));
    QCOMPARE(readBytes(f.file("Soci.pro")), before);
    QVERIFY(!QFile::exists(f.file("2.jpg")));
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi"));

    // Previous still reaches the record before it.
    f.click("cmdIndietro");
    QCOMPARE(f.position(), QStringLiteral("1"));
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Alfa"));
}

void TestCard::archiveThatCannotBeOpenedGivesAccessError()
{
    CardFixture f;
    QVERIFY(QDir(f.file(QString())).mkdir(QStringLiteral("Soci.pro")));
    f.field("txtDipendente")->setText(QStringLiteral("Rossi"));
    f.click("cmdPrimo");
    QCOMPARE(f.messages().lastText(), kAccess);
    QCOMPARE(f.messages().shown.last().kind, Kind::Error);
    QCOMPARE(f.field("txtDipendente")->text(), QStringLiteral("Rossi"));

    fillValidCard(f, QStringLiteral(" e Bianchi"));
    f.click("btnSalva");
    QCOMPARE(f.messages().shown.size(), 2);
    QCOMPARE(f.messages().lastText(), kAccess);
    QCOMPARE(f.position(), QString());
    QVERIFY(!QFile::exists(f.file("1.jpg")));
}

void TestCard::codeCheckRoutedByContent_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("opened");
    QTest::newRow("eleven digits") << "01234567890" << "TfrmPartitaIva";
    QTest::newRow("letters") << "RSSMRA80A01H501U" << "TfrmCodFisc";
    QTest::newRow("empty") << "" << "TfrmCodFisc";
}

void TestCard::codeCheckRoutedByContent()
{
    QFETCH(QString, code);
    QFETCH(QString, opened);
    CardFixture f;
    f.type("txtCodFisc", code);
    QCOMPARE(f.field("txtCodFisc")->text(), code);
    f.click("btnCodFisc");
    QCOMPARE(f.app.platform.modal.opened, QStringList{opened});
}

void TestCard::vatAndIbanButtonsOpenTheirChecks()
{
    CardFixture f;
    f.click("btnPartitaIva");
    f.click("btnIban");
    QCOMPARE(f.app.platform.modal.opened, (QStringList{"TfrmPartitaIva", "TfrmIban"}));
}

void TestCard::emailOpensMailtoBuiltAsUrl_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("path");
    QTest::newRow("address") << "mario.rossi@example.it" << "mario.rossi@example.it";
    QTest::newRow("no address") << "" << "";
    QTest::newRow("query characters stay in the address") << "a@b.it?cc=x@y.it&body=hi" << "a@b.it?cc=x@y.it&body=hi";
}

void TestCard::emailOpensMailtoBuiltAsUrl()
{
    QFETCH(QString, typed);
    QFETCH(QString, path);
    CardFixture f;
    f.type("txtEmail", typed);
    f.click("btnEmail");
    const auto &opened = f.app.platform.shell.opened;
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened[0].scheme(), QStringLiteral("mailto"));
    QCOMPARE(opened[0].path(), path);
    QVERIFY(!opened[0].hasQuery());
    QVERIFY(!opened[0].toString().contains(QLatin1Char('"')));
}

void TestCard::photoButtons()
{
    CardFixture f;
    auto &files = f.app.platform.files;
    QVERIFY(PhotoFiles::writeJpeg(redPhoto(), f.file("foto.jpg")));
    QFile text(f.file("testo.jpg"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("solo testo");
    text.close();

    files.openAnswers << f.file("foto.jpg") << QString() << f.file("testo.jpg");
    f.click("btnCaricaFoto");
    QVERIFY(isRedPhoto(f.card->photo()));
    QCOMPARE(files.titles.last(), QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    f.click("btnCaricaFoto"); // cancelled
    QVERIFY(isRedPhoto(f.card->photo()));
    f.click("btnCaricaFoto"); // not a picture
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());
    QVERIFY(f.messages().shown.isEmpty());

    f.card->setPhoto(redPhoto());
    files.saveAnswers << f.file("copia");
    f.click("btnSalvaFoto");
    QVERIFY(isRedPhoto(PhotoFiles::read(f.file("copia.jpg"))));

    f.click("btnCancFoto");
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());

    f.click("btnZoomFoto");
    f.click("btnAcquisisciFoto");
    QCOMPARE(f.app.platform.modal.opened, (QStringList{"TfrmZoom", "TfrmWebCam"}));
    // None of them touches the archive.
    QVERIFY(!QFile::exists(f.file("Soci.pro")));
}

void TestCard::helpOpensGuideOnTheCard()
{
    CardFixture f;
    QString title;
    f.app.platform.modal.handlers << [&](QDialog *d) { title = control<QLabel>(d, "lblTitolo")->text(); };
    f.click("btnGuida");
    QCOMPARE(f.app.platform.modal.opened, QStringList{"TfrmGuida"});
    QCOMPARE(title, QStringLiteral("Applicazione Archivio Soci."));
}

void TestCard::closingReturnsToStartMenuAndReopensEmpty_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Esci") << false;
    QTest::newRow("close box") << true;
}

void TestCard::closingReturnsToStartMenuAndReopensEmpty()
{
    QFETCH(bool, closeBox);
    CardFixture f;
    writeArchive({member("Alfa")});
    QVERIFY(PhotoFiles::writeJpeg(redPhoto(), ArchivePaths::photo(1)));
    f.click("cmdPrimo");
    QCOMPARE(f.position(), QStringLiteral("1"));

    TfrmAnagrafica *before = f.card;
    if (closeBox)
        f.card->close();
    else
        f.click("btnEsci");
    QVERIFY(f.app.screens->avvio()->isVisible());
    QVERIFY(!f.card->isVisible());
    QCOMPARE(f.app.terminations, 0);

    f.openFromStartMenu();
    QCOMPARE(f.card, before);
    QVERIFY(!f.app.screens->avvio()->isVisible());
    QCOMPARE(f.position(), QString());
    QCOMPARE(f.field("txtDipendente")->text(), QString());
    QCOMPARE(f.field("txtStipendio")->text(), QStringLiteral("0,00"));
    QCOMPARE(f.field("txtPreavviso")->text(), QStringLiteral("0"));
    QCOMPARE(f.card->photo(), Art::photoPlaceholder());
    QCOMPARE(f.focused(), f.widget("txtDipendente"));
}

QTEST_MAIN(TestCard)
#include "tst_card.moc"
