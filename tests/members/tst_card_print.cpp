// The member card's print and preview screens and the two forms they fill.
#include "support/Poppler.h"
#include "support/TestPlatform.h"

#include "common/ui/PictureButton.h"
#include "members/MemberCardReport.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmAnteprimaAna.h"
#include "members/ui/TfrmStampaAna.h"
#include "output/ReportRenderer.h"
#include "shell/ui/ScreenSet.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using ReportUnits::mm;

namespace {

const QStringList kTitles = {
    QStringLiteral("Cognome e nome:"), QStringLiteral("Tessera n."), QStringLiteral("Quota associativa:"),
    QStringLiteral("Luogo di nascita:"), QStringLiteral("Data di nascita:"), QStringLiteral("Codice fiscale:"),
    QStringLiteral("Partita IVA:"), QStringLiteral("Indirizzo di residenza:"), QStringLiteral("Città:"),
    QStringLiteral("Provincia:"), QStringLiteral("CAP:"), QStringLiteral("Qualifiche:"),
    QStringLiteral("Incarico ricoperto:"), QStringLiteral("IBAN:"), QStringLiteral("Note:"),
    QStringLiteral("Scadenza abbonamento:"), QStringLiteral("Recapito telefonico:"), QStringLiteral("E-mail:"),
};

TSchedaSocio sampleCard()
{
    TSchedaSocio c;
    c.Dipendente = QStringLiteral("  Rossi Maria Grazia  ");
    c.Cittadinanza = QStringLiteral("0042");
    c.Stipendio = QStringLiteral("25,00 ");
    c.Luogo = QStringLiteral("Città di Castello");
    c.DataNasc = QStringLiteral("07/05/1961");
    c.CodFisc = QStringLiteral("RSSMGR61E47C745X");
    c.PartitaIva = QStringLiteral("01234567890");
    c.Indirizzo = QStringLiteral("Via dei Mille 12");
    c.Citta = QStringLiteral("Perugia");
    c.Prov = QStringLiteral("PG");
    c.Cap = QStringLiteral("06121");
    c.Qualifiche = QStringLiteral("Istruttrice");
    c.Familiari = QStringLiteral("Tesoriera");
    c.Iban = QStringLiteral("IT60X0542811101000000123456");
    c.Note = QStringLiteral("[socia fondatrice] quota  pagata");
    c.DataSca = QStringLiteral("31/12/2024");
    c.Preavviso = QStringLiteral("30");
    c.Recapito = QStringLiteral("075 123456");
    c.Email = QStringLiteral("maria.rossi@example.org");
    return c;
}

QStringList expectedValues(const TSchedaSocio &c)
{
    const auto t = [](const QString &s) { return s.trimmed(); };
    return {t(c.Dipendente), t(c.Cittadinanza), QStringLiteral("€ ") + t(c.Stipendio), t(c.Luogo), t(c.DataNasc),
            t(c.CodFisc), t(c.PartitaIva), t(c.Indirizzo), t(c.Citta), t(c.Prov), t(c.Cap), t(c.Qualifiche),
            t(c.Familiari), t(c.Iban), t(c.Note), t(c.DataSca), t(c.Recapito), t(c.Email)};
}

QString rowName(const char *prefix, int n)
{
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString single(const PreparedPage &page, const QString &name)
{
    const PreparedItem *item = page.find(name);
    if (!item)
        return QStringLiteral("<missing %1>").arg(name);
    return item->lines.join(QLatin1Char('|'));
}

// Checks the title, the 18 rows and the footer of a prepared card page.
void verifyCardPage(const PreparedPage &page, const QStringList &values)
{
    QCOMPARE(single(page, QStringLiteral("txtTitolo")), QStringLiteral("SCHEDA DATI ANAGRAFICI SOCIO"));
    for (int n = 1; n <= 18; ++n) {
        QCOMPARE(single(page, rowName("titCampo", n)), kTitles[n - 1]);
        QCOMPARE(single(page, rowName("txtCampo", n)), values[n - 1]);
    }
    QCOMPARE(single(page, QStringLiteral("txtCalce")), QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00"));
}

QImage portraitPhoto()
{
    QImage img(240, 320, QImage::Format_RGB32);
    img.fill(QColor(0x2F, 0x6D, 0xB5));
    return img;
}

MemberPrintScreen *makeScreen(bool preview, QWidget *parent)
{
    if (preview)
        return new TfrmAnteprimaAna(parent);
    return new TfrmStampaAna(parent);
}

} // namespace

class TestCardPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formsHoldTheRowsAtTheirPlaces_data();
    void formsHoldTheRowsAtTheirPlaces();
    void emptyCardPrintsTitlesAndEuroSign();
    void longValueIsCutOnOneLine();
    void pdfTextOfThePrintout();
    void screensDriveTheOutput_data();
    void screensDriveTheOutput();
    void cancelPrintsNothing();
    void tabOrder();
    void photoOfTheCardIsFittedAndCentred();
    void missingPhotoPrintsThePlaceholder();
    void loadedCardIsPrinted();
};

void TestCardPrint::formsHoldTheRowsAtTheirPlaces_data()
{
    QTest::addColumn<bool>("withPhoto");
    QTest::addColumn<qreal>("firstRow");
    QTest::addColumn<qreal>("step");
    QTest::newRow("repScheda") << false << 24.0 << 10.0;
    QTest::newRow("repFoto") << true << 104.0 << 9.0;
}

void TestCardPrint::formsHoldTheRowsAtTheirPlaces()
{
    QFETCH(bool, withPhoto);
    QFETCH(qreal, firstRow);
    QFETCH(qreal, step);
    TestPlatform platform;
    auto report = withPhoto ? MemberCardReport::createFoto() : MemberCardReport::createScheda();
    QCOMPARE(report->name(), withPhoto ? QStringLiteral("repFoto") : QStringLiteral("repScheda"));
    QCOMPARE(report->documentTitle(), QStringLiteral("Scheda informativa"));
    MemberCardReport::fill(*report, sampleCard(), portraitPhoto(), platform.clock.now());
    const PreparedReport &r = report->PrepareReport(true);
    QCOMPARE(r.pages.size(), 1);
    QCOMPARE(r.orientation, QPageLayout::Portrait);
    const PreparedPage &page = r.pages.first();
    verifyCardPage(page, expectedValues(sampleCard()));
    for (int n = 1; n <= 18; ++n) {
        const QRectF value = page.find(rowName("txtCampo", n))->rect;
        QVERIFY(qAbs(value.top() - mm(firstRow + step * (n - 1))) < 0.01);
        QVERIFY(qAbs(value.left() - mm(60)) < 0.01);
        QVERIFY(qAbs(page.find(rowName("titCampo", n))->rect.top() - value.top()) < 0.01);
    }
    QCOMPARE(page.find(QStringLiteral("imgFoto")) != nullptr, withPhoto);
    QCOMPARE(page.texts().contains(QStringLiteral("SPAZIO PER APPUNTI:")), !withPhoto);
}

void TestCardPrint::emptyCardPrintsTitlesAndEuroSign()
{
    TestPlatform platform;
    auto report = MemberCardReport::createScheda();
    MemberCardReport::fill(*report, TSchedaSocio{}, QImage(), platform.clock.now());
    QStringList values(18);
    values[2] = QStringLiteral("€ ");
    verifyCardPage(report->PrepareReport(true).pages.first(), values);
}

void TestCardPrint::longValueIsCutOnOneLine()
{
    TestPlatform platform;
    TSchedaSocio card = sampleCard();
    card.Indirizzo = QStringLiteral("Località Case Sparse di San Martino in Campo, strada vicinale del Molino "
                                    "vecchio, podere Le Querce, scala B, interno 14");
    auto report = MemberCardReport::createFoto();
    MemberCardReport::fill(*report, card, portraitPhoto(), platform.clock.now());
    const PreparedItem *item = report->PrepareReport(true).pages.first().find(QStringLiteral("txtCampo08"));
    QCOMPARE(item->lines.size(), 1);
    QVERIFY(item->lines.first().size() < card.Indirizzo.size());
    QVERIFY(card.Indirizzo.startsWith(item->lines.first()));
    QVERIFY(item->lines.first().size() > 40);
}

void TestCardPrint::pdfTextOfThePrintout()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF text cannot be checked");
    TestPlatform platform;
    auto report = MemberCardReport::createScheda();
    MemberCardReport::fill(*report, sampleCard(), QImage(), platform.clock.now());
    const PreparedReport &r = report->PrepareReport(true);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("scheda.pdf"));
    QVERIFY(ReportRenderer::writePdf(r, pdf));

    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Scheda informativa"))), qPrintable(info));
    QVERIFY2(info.contains(QStringLiteral("595 x 842 pts (A4)")), qPrintable(info));

    const QString text = poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QStringList lines;
    for (const QString &l : text.split(QLatin1Char('\n')))
        lines.append(l.simplified());
    QVERIFY(lines.contains(QStringLiteral("SCHEDA DATI ANAGRAFICI SOCIO")));
    const QStringList values = expectedValues(sampleCard());
    qsizetype at = 0;
    for (int n = 0; n < 18; ++n) {
        // Each row reads as its caption followed by its value, rows in order.
        const QString row = (kTitles[n] + QLatin1Char(' ') + values[n]).simplified();
        const qsizetype found = lines.indexOf(row, at);
        QVERIFY2(found >= 0, qPrintable(row + QStringLiteral("\n") + text));
        at = found + 1;
    }
    QVERIFY(lines.indexOf(QStringLiteral("SPAZIO PER APPUNTI:"), at) >= 0);
    QVERIFY(lines.indexOf(QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00"), at) >= 0);

    if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES")) {
        const QString to = qEnvironmentVariable("QUINTARA_SAVE_PAGES");
        ReportRenderer::pageImage(r, 0, 100).save(to + QStringLiteral("/scheda_senza_foto.png"));
        auto foto = MemberCardReport::createFoto();
        MemberCardReport::fill(*foto, sampleCard(), portraitPhoto(), platform.clock.now());
        ReportRenderer::pageImage(foto->PrepareReport(true), 0, 100).save(to + QStringLiteral("/scheda_con_foto.png"));
    }
}

void TestCardPrint::screensDriveTheOutput_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("withPhoto");
    for (bool preview : {false, true}) {
        const char *screen = preview ? "anteprima" : "stampa";
        QTest::addRow("%s as opened", screen) << preview << QStringList{} << true;
        QTest::addRow("%s senza", screen) << preview << QStringList{QStringLiteral("optDue")} << false;
        QTest::addRow("%s senza then con", screen)
            << preview << QStringList{QStringLiteral("optDue"), QStringLiteral("optUno")} << true;
    }
}

void TestCardPrint::screensDriveTheOutput()
{
    QFETCH(bool, preview);
    QFETCH(QStringList, clicks);
    QFETCH(bool, withPhoto);
    TestApp app;
    std::unique_ptr<MemberPrintScreen> screen(makeScreen(preview, app.screens->anagrafica()));
    screen->setMember(sampleCard());
    screen->setPhoto(portraitPhoto());
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));

    QCOMPARE(screen->windowTitle(), preview ? QStringLiteral(" Anteprima di stampa") : QStringLiteral(" Stampa scheda"));
    QCOMPARE(screen->size(), QSize(364, 361));
    auto *optUno = control<QRadioButton>(screen.get(), "optUno");
    auto *optDue = control<QRadioButton>(screen.get(), "optDue");
    auto *memory = control<QLabel>(screen.get(), "lblMemory");
    auto *confirm = control<QPushButton>(screen.get(), "btnStampa");
    QVERIFY(optUno && optDue && memory && confirm && control<QPushButton>(screen.get(), "btnAnnulla"));
    QCOMPARE(optUno->text(), preview ? QStringLiteral("Anteprima dati con foto.") : QStringLiteral("Stampa dati con foto."));
    QCOMPARE(optDue->text(), preview ? QStringLiteral("Anteprima dati senza foto.") : QStringLiteral("Stampa dati senza foto."));
    QCOMPARE(confirm->text(), preview ? QStringLiteral("Mostra anteprima") : QStringLiteral("Stampa"));
    QVERIFY(optUno->isChecked());
    QCOMPARE(memory->text(), QStringLiteral("con"));

    if (qEnvironmentVariableIsSet("QUINTARA_SAVE_PAGES") && clicks.isEmpty())
        screen->grab().save(qEnvironmentVariable("QUINTARA_SAVE_PAGES")
                            + (preview ? QStringLiteral("/TfrmAnteprimaAna.png") : QStringLiteral("/TfrmStampaAna.png")));
    for (const QString &name : clicks)
        QTest::mouseClick(control<QRadioButton>(screen.get(), name.toLatin1().constData()), Qt::LeftButton);
    QCOMPARE(memory->text(), withPhoto ? QStringLiteral("con") : QStringLiteral("senza"));
    QVERIFY(app.platform.printer.jobs.isEmpty());

    QTest::mouseClick(confirm, Qt::LeftButton);
    QCOMPARE(app.platform.printer.jobs.size(), 1);
    const PrintJob &job = app.platform.printer.jobs.first();
    QCOMPARE(job.preview, preview);
    QCOMPARE(job.documentTitle, QStringLiteral("Scheda informativa"));
    QCOMPARE(job.report.pages.size(), 1);
    const PreparedPage &page = job.report.pages.first();
    QCOMPARE(page.find(QStringLiteral("imgFoto")) != nullptr, withPhoto);
    verifyCardPage(page, expectedValues(sampleCard()));
    QVERIFY(!screen->isVisible());
}

void TestCardPrint::cancelPrintsNothing()
{
    TestApp app;
    for (bool preview : {false, true}) {
        std::unique_ptr<MemberPrintScreen> screen(makeScreen(preview, app.screens->anagrafica()));
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        QTest::mouseClick(control<QRadioButton>(screen.get(), "optDue"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(screen.get(), "btnAnnulla"), Qt::LeftButton);
        QVERIFY(!screen->isVisible());
    }
    QVERIFY(app.platform.printer.jobs.isEmpty());
    QVERIFY(app.platform.messages.shown.isEmpty());
}

void TestCardPrint::tabOrder()
{
    TestApp app;
    TfrmStampaAna screen(app.screens->anagrafica());
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    // The two buttons first, then the choice in its panel.
    QStringList chain;
    QWidget *w = control<QWidget>(&screen, "btnAnnulla");
    for (int i = 0; i < 4; ++i) {
        chain.append(w->objectName());
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible());
    }
    QCOMPARE(chain, QStringList({QStringLiteral("btnAnnulla"), QStringLiteral("btnStampa"), QStringLiteral("optUno"),
                                 QStringLiteral("optDue")}));
}

void TestCardPrint::photoOfTheCardIsFittedAndCentred()
{
    TestApp app;
    TfrmStampaAna screen(app.screens->anagrafica());
    screen.setPhoto(portraitPhoto());
    const PreparedPage &page = screen.prepareCard(sampleCard()).prepared().pages.first();
    const PreparedItem *photo = page.find(QStringLiteral("imgFoto"));
    QVERIFY(photo);
    QCOMPARE(photo->picture.size(), QSize(240, 320));
    QVERIFY(qAbs(photo->pictureRect.height() - mm(79)) < 0.01);
    QVERIFY(qAbs(photo->pictureRect.width() - mm(79) * 0.75) < 0.01);
    QVERIFY(qAbs(photo->pictureRect.center().x() - mm(4 + 183 / 2.0)) < 0.01);
    verifyCardPage(page, expectedValues(sampleCard()));

    // The photo is drawn where it was fitted: the middle of the box is the
    // photo's blue, its sides are white paper.
    const QImage image = ReportRenderer::pageImage(screen.repFoto().prepared(), 0, 96);
    const QPointF origin(page.margin, page.margin);
    const QPoint middle = (photo->rect.center() + origin).toPoint();
    const QPoint side = (QPointF(photo->rect.left() + 10, photo->rect.center().y()) + origin).toPoint();
    QCOMPARE(image.pixelColor(middle), QColor(0x2F, 0x6D, 0xB5));
    QCOMPARE(image.pixelColor(side), QColor(Qt::white));
}

void TestCardPrint::missingPhotoPrintsThePlaceholder()
{
    TestApp app;
    TfrmAnteprimaAna screen(app.screens->anagrafica());
    screen.setPhoto(QImage());
    const QImage placeholder = control<Picture>(&screen, "imgBianco")->image();
    QVERIFY(!placeholder.isNull());
    QCOMPARE(screen.photo(), placeholder);
    const PreparedItem *photo = screen.prepareCard(TSchedaSocio{}).prepared().pages.first().find(QStringLiteral("imgFoto"));
    QCOMPARE(photo->picture, placeholder);
    QVERIFY(qAbs(photo->pictureRect.height() - mm(79)) < 0.01);
}

// The card hands the screen the member it shows and its photo; the screen
// tells the card what it printed, and nothing when cancelled.
void TestCardPrint::loadedCardIsPrinted()
{
    TestApp app;
    TfrmAnagrafica *card = app.screens->anagrafica();
    card->loadRecord(1, sampleCard());
    card->setPhoto(portraitPhoto());
    bool seenPhoto = false;
    app.platform.modal.handlers.append([&](QDialog *d) {
        seenPhoto = static_cast<MemberPrintScreen *>(d)->photo() == card->photo();
        QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QWidget>(card, "btnStampa"), Qt::LeftButton);
    QVERIFY(seenPhoto);
    QCOMPARE(app.platform.printer.jobs.size(), 1);
    verifyCardPage(app.platform.printer.jobs.first().report.pages.first(), expectedValues(sampleCard()));

    // No handler: the screen is closed without printing.
    QVERIFY(!MemberPrintScreen::run<TfrmStampaAna>(card, sampleCard(), QImage()));
    app.platform.modal.handlers.append([](QDialog *d) {
        QTest::mouseClick(control<QRadioButton>(d, "optDue"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(d, "btnStampa"), Qt::LeftButton);
    });
    QCOMPARE(MemberPrintScreen::run<TfrmAnteprimaAna>(card, sampleCard(), QImage()),
             std::optional(MemberPrintScreen::Choice::WithoutPhoto));
    QCOMPARE(app.platform.printer.jobs.size(), 2);
    QVERIFY(app.platform.printer.jobs.last().preview);
}

QTEST_MAIN(TestCardPrint)
#include "tst_card_print.moc"
