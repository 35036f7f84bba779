// The webcam screen with a camera double, and the photo zoom.
#include "common/ui/Art.h"
#include "common/ui/PictureButton.h"
#include "members/ui/FrameSource.h"
#include "members/ui/LatestFrameRelay.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmWebCam.h"
#include "members/ui/TfrmZoom.h"
#include "shell/ui/ScreenSet.h"
#include "support/TestPlatform.h"

#include <QFileInfo>
#include <QImageReader>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QVideoFrame>
#include <QVideoFrameFormat>

#include <thread>

namespace {

// A camera that shows what the test feeds it.
class FakeCamera : public FrameSource
{
public:
    bool start() override
    {
        ++starts;
        active = present;
        return present;
    }
    void stop() override { active = false; }
    bool isActive() const override { return active; }

    void feed(const QImage &frame) { Q_EMIT frameReady(frame); }
    void breakDown() { active = false, Q_EMIT failed(); }

    bool present = true;
    bool active = false;
    int starts = 0;
};

QImage filled(const QColor &colour, const QSize &size = QSize(640, 480))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void click(QWidget *screen, const char *name)
{
    auto *w = control<QWidget>(screen, name);
    QVERIFY2(w, name);
    QTest::mouseClick(w, Qt::LeftButton);
}

QImage pictureOf(QWidget *screen, const char *name)
{
    auto *p = control<Picture>(screen, name);
    return p ? p->image() : QImage();
}

// A camera frame as the camera backend hands it over.
QVideoFrame videoFrame(const QColor &colour, const QSize &size = QSize(64, 48))
{
    QVideoFrame frame(QVideoFrameFormat(size, QVideoFrameFormat::Format_BGRX8888));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    const QImage source = filled(colour, size);
    for (int y = 0; y < size.height(); ++y)
        memcpy(frame.bits(0) + y * frame.bytesPerLine(0), source.constScanLine(y), size_t(size.width()) * 4);
    frame.unmap();
    return frame;
}

bool samePixels(const QImage &a, const QImage &b)
{
    return !a.isNull() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

// Whether the member card on this build keeps the photo it is given.
bool cardKeepsPhotos(TfrmAnagrafica *card)
{
    card->setPhoto(filled(Qt::magenta, QSize(8, 8)));
    return !card->photo().isNull();
}

} // namespace

class TestWebCamZoom : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_camera = nullptr;
        m_present = true;
        FrameSource::setFactory([this] {
            auto camera = std::make_unique<FakeCamera>();
            camera->present = m_present;
            m_camera = camera.get();
            return camera;
        });
    }
    void cleanup() { FrameSource::setFactory({}); }

    void noCameraWarnsAndScreenKeepsWorking()
    {
        TestApp app;
        m_present = false;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            QCOMPARE(app.platform.messages.shown.size(), 1);
            QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Warning);
            QCOMPARE(app.platform.messages.shown.first().text,
                     QStringLiteral("Attenzione: nessuna webcam è stata trovata. Collegare una webcam e riprovare."));
            QVERIFY(!w->cameraOn());
            QVERIFY(w->isVisible());

            // The rest of the screen works on the drawings.
            click(w, "btnCattura");
            QVERIFY(samePixels(pictureOf(w, "imgTarget"), pictureOf(w, "imgBianco")));
            app.platform.files.saveAnswers << app.platform.file(QStringLiteral("Senza camera.jpg"));
            click(w, "btnSalvaFotogramma");
            QVERIFY(QFileInfo::exists(app.platform.file(QStringLiteral("Senza camera.jpg"))));
            QCOMPARE(app.platform.messages.shown.size(), 1);

            // Plugging a camera in afterwards and trying again works.
            m_camera->present = true;
            click(w, "btnAccendi");
            QVERIFY(w->cameraOn());
            QCOMPARE(app.platform.messages.shown.size(), 1);
        });
    }

    void framesAppearInLiveImage()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            const QImage drawing = pictureOf(w, "imgCamera");
            QVERIFY(samePixels(drawing, pictureOf(w, "imgBianco")));
            click(w, "btnAccendi");
            QVERIFY(m_camera && m_camera->active);
            QVERIFY(app.platform.messages.shown.isEmpty());

            m_camera->feed(filled(Qt::red));
            QVERIFY(samePixels(pictureOf(w, "imgCamera"), filled(Qt::red)));
            m_camera->feed(filled(Qt::blue, QSize(320, 240)));
            QVERIFY(samePixels(pictureOf(w, "imgCamera"), filled(Qt::blue, QSize(320, 240))));

            // Switched off, the last frame stays and nothing more is drawn.
            click(w, "btnSpegni");
            QVERIFY(!m_camera->active);
            m_camera->feed(filled(Qt::green));
            QVERIFY(samePixels(pictureOf(w, "imgCamera"), filled(Qt::blue, QSize(320, 240))));
        });
    }

    void catturaCopiesTheLastFrame()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::red));
            m_camera->feed(filled(Qt::yellow));
            click(w, "btnCattura");
            QVERIFY(samePixels(pictureOf(w, "imgTarget"), filled(Qt::yellow)));
            // A copy: later frames do not reach the captured picture.
            m_camera->feed(filled(Qt::cyan));
            QVERIFY(samePixels(pictureOf(w, "imgTarget"), filled(Qt::yellow)));
        });
    }

    void catturaWithCameraOffCopiesWebcamDrawing()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            const QImage cameraDrawing = pictureOf(w, "imgTarget");
            QVERIFY(samePixels(cameraDrawing, Art::pixmap(QStringLiteral("camera_shot"), {366, 274}).toImage()));
            click(w, "btnCattura");
            QVERIFY(samePixels(pictureOf(w, "imgTarget"), pictureOf(w, "imgBianco")));
            QVERIFY(!samePixels(pictureOf(w, "imgTarget"), cameraDrawing));
            QVERIFY(!m_camera);
        });
    }

    // "Importa foto in scheda" hands a copy of the captured picture to the card,
    // switches the camera off and closes.
    void importHandsCapturedPicture_data()
    {
        QTest::addColumn<bool>("capture");
        QTest::newRow("captured frame") << true;
        QTest::newRow("no capture: the camera drawing") << false;
    }
    void importHandsCapturedPicture()
    {
        QFETCH(bool, capture);
        TestApp app;
        QImage imported;
        int imports = 0;
        bool closed = false;
        runWebCam(app, [&](TfrmWebCam *w) {
            connect(w, &TfrmWebCam::photoImported, w, [&](const QImage &p) { imported = p, ++imports; });
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::darkGreen, QSize(200, 150)));
            if (capture)
                click(w, "btnCattura");
            click(w, "btnImportaFoto");
            closed = !w->isVisible();
            QVERIFY(!m_camera->active);
        });
        QVERIFY(closed);
        QCOMPARE(imports, 1);
        const QImage expected = capture ? filled(Qt::darkGreen, QSize(200, 150))
                                        : Art::pixmap(QStringLiteral("camera_shot"), {366, 274}).toImage();
        QVERIFY(samePixels(imported, expected));
    }

    // The same through the member card itself: it shows the captured picture.
    void importReachesMemberCard()
    {
        TestApp app;
        TfrmAnagrafica *card = app.screens->anagrafica();
        if (!cardKeepsPhotos(card))
            QSKIP("The member card of this build does not keep photos yet.");
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::darkRed, QSize(200, 150)));
            click(w, "btnCattura");
            click(w, "btnImportaFoto");
        });
        QVERIFY(samePixels(card->photo(), filled(Qt::darkRed, QSize(200, 150))));
    }

    void annullaAfterCaptureLeavesCardPhoto()
    {
        TestApp app;
        TfrmAnagrafica *card = app.screens->anagrafica();
        const bool keeps = cardKeepsPhotos(card);
        const QImage before = filled(Qt::gray, QSize(50, 40));
        card->setPhoto(before);
        int imports = 0;
        runWebCam(app, [&](TfrmWebCam *w) {
            connect(w, &TfrmWebCam::photoImported, w, [&] { ++imports; });
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::red));
            click(w, "btnCattura");
            click(w, "btnClose");
            QVERIFY(!w->isVisible());
            QVERIFY(!m_camera->active);
        });
        QCOMPARE(imports, 0);
        if (keeps)
            QVERIFY(samePixels(card->photo(), before));
    }

    // A name typed without extension is written as a JPEG file ending in .jpg.
    void saveFrameWithoutExtensionWritesJpeg()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::red, QSize(160, 120)));
            click(w, "btnCattura");
            app.platform.files.saveAnswers << app.platform.file(QStringLiteral("Mario"));
            click(w, "btnSalvaFotogramma");
        });
        const QString path = app.platform.file(QStringLiteral("Mario.jpg"));
        QVERIFY(readBytes(path).startsWith("\xFF\xD8\xFF"));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage saved = reader.read();
        QCOMPARE(saved.size(), QSize(160, 120));
        const QColor middle = saved.pixelColor(80, 60);
        QVERIFY2(middle.red() > 200 && middle.green() < 60 && middle.blue() < 60, qPrintable(middle.name()));
        QVERIFY(!QFileInfo::exists(app.platform.file(QStringLiteral("Mario"))));
        QVERIFY(app.platform.messages.shown.isEmpty());
        QCOMPARE(app.platform.files.suggestedNames, QStringList{QStringLiteral("Foto.jpg")});
        QCOMPARE(app.platform.files.titles,
                 QStringList{QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.")});
    }

    // A file that cannot be written is reported and the captured picture stays.
    void saveFailureKeepsCapturedPicture()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::red, QSize(160, 120)));
            click(w, "btnCattura");
            const QString path = app.platform.file(QStringLiteral("manca/Foto.jpg"));
            app.platform.files.saveAnswers << path;
            click(w, "btnSalvaFotogramma");
            QCOMPARE(app.platform.messages.shown.size(), 1);
            QCOMPARE(app.platform.messages.shown.first().kind, MessageBoxes::Kind::Warning);
            QVERIFY(app.platform.messages.shown.first().text.startsWith(QStringLiteral("Attenzione:")));
            QVERIFY(samePixels(pictureOf(w, "imgTarget"), filled(Qt::red, QSize(160, 120))));
            QVERIFY(!QFileInfo::exists(path));
        });
    }

    void cancelledSaveWritesNothing()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnSalvaFotogramma");
            QCOMPARE(app.platform.files.titles,
                     QStringList{QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.")});
        });
        QCOMPARE(QDir(app.platform.folder.path()).entryList(QDir::Files), QStringList());
        QVERIFY(app.platform.messages.shown.isEmpty());
    }

    // A camera that stops by itself is reported; the screen stays usable.
    void cameraBreakingDownIsReported()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            m_camera->feed(filled(Qt::red));
            m_camera->breakDown();
            QCOMPARE(app.platform.messages.shown.size(), 1);
            QVERIFY(app.platform.messages.lastText().startsWith(QStringLiteral("Attenzione: la webcam")));
            QVERIFY(!w->cameraOn());
            click(w, "btnCattura");
            QVERIFY(samePixels(pictureOf(w, "imgTarget"), filled(Qt::red)));
        });
    }

    // However the screen is closed, the camera goes off with it.
    void cameraOffWhenScreenCloses()
    {
        TestApp app;
        runWebCam(app, [&](TfrmWebCam *w) {
            click(w, "btnAccendi");
            QVERIFY(m_camera->active);
            w->close();
            QVERIFY(!m_camera->active);
        });
    }

    // Frames parked by the camera's thread reach the screen's thread as
    // pictures; while the screen is busy only the newest one is kept.
    void relayCarriesNewestFrameToScreenThread()
    {
        LatestFrameRelay relay;
        QList<QImage> delivered;
        QList<QThread *> threads;
        connect(&relay, &LatestFrameRelay::frameReady, &relay, [&](const QImage &frame) {
            delivered.append(frame);
            threads.append(QThread::currentThread());
        });
        const QVideoFrame red = videoFrame(Qt::red), green = videoFrame(Qt::green), blue = videoFrame(Qt::blue);
        QVERIFY(red.isValid() && green.isValid() && blue.isValid());

        std::thread camera([&] {
            relay.park(red);
            relay.park(green);
            relay.park(blue);
        });
        camera.join();
        QVERIFY(delivered.isEmpty());
        QCoreApplication::sendPostedEvents(&relay);
        QCOMPARE(delivered.size(), 1);
        QVERIFY(samePixels(delivered.first(), filled(Qt::blue, QSize(64, 48))));
        QCOMPARE(threads.first(), QThread::currentThread());

        // The next frame travels on its own; a dropped one never arrives.
        std::thread([&] { relay.park(red); }).join();
        QCoreApplication::sendPostedEvents(&relay);
        QCOMPARE(delivered.size(), 2);
        QVERIFY(samePixels(delivered.last(), filled(Qt::red, QSize(64, 48))));
        std::thread([&] { relay.park(green); }).join();
        relay.drop();
        QCoreApplication::sendPostedEvents(&relay);
        QCOMPARE(delivered.size(), 2);
    }

    void zoomArea_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("area");
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(1860, 990);
        QTest::newRow("1366 x 768") << QSize(1366, 768) << QSize(1306, 678);
        QTest::newRow("smaller than the margins") << QSize(50, 80) << QSize(0, 0);
    }
    void zoomArea()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, area);
        QCOMPARE(TfrmZoom::zoomArea(screen), area);
    }

    // Shown, the zoom is maximised with panel and photo centred at the zoom area,
    // and the photo is drawn whole, proportions kept.
    void zoomShowsPhotoCentredAndWhole()
    {
        TestPlatform platform;
        QWidget owner;
        const QImage wide = filled(Qt::red, QSize(400, 100));
        platform.modal.handlers.append([&](QDialog *d) {
            QVERIFY(d->isMaximized());
            QCOMPARE(d->windowTitle(), QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
            auto *panel = control<QWidget>(d, "panContainer");
            auto *foto = control<Picture>(d, "imgFoto");
            QVERIFY(panel && foto);
            const QSize area = TfrmZoom::zoomArea(d->screen()->geometry().size()).boundedTo(d->size());
            QCOMPARE(panel->size(), area);
            QCOMPARE(foto->size(), area);
            QCOMPARE(panel->geometry().center(), d->rect().center());
            QVERIFY(samePixels(foto->image(), wide));

            const QImage shown = foto->grab().toImage();
            const int h = area.width() / 4; // height of the photo scaled to the full width
            QVERIFY(h < area.height());
            const QColor middle = shown.pixelColor(area.width() / 2, area.height() / 2);
            const QColor top = shown.pixelColor(area.width() / 2, (area.height() - h) / 2 - 5);
            const QColor left = shown.pixelColor(2, area.height() / 2);
            QCOMPARE(middle, QColor(Qt::red));
            QCOMPARE(left, QColor(Qt::red));
            QVERIFY(top != QColor(Qt::red));
        });
        openDialog<TfrmZoom>(&owner, [&](TfrmZoom &z) { z.setPhoto(wide); });
        QCOMPARE(platform.modal.opened, QStringList{QStringLiteral("TfrmZoom")});
    }

    void clickClosesZoom_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("photo") << "imgFoto";
        QTest::newRow("panel") << "panContainer";
    }
    void clickClosesZoom()
    {
        QFETCH(QString, target);
        TestPlatform platform;
        QWidget owner;
        bool closed = false;
        platform.modal.handlers.append([&](QDialog *d) {
            QVERIFY(d->isVisible());
            QTest::mouseClick(d->findChild<QWidget *>(target), Qt::LeftButton, {}, QPoint(5, 5));
            closed = !d->isVisible();
        });
        openDialog<TfrmZoom>(&owner, [&](TfrmZoom &z) { z.setPhoto(filled(Qt::blue)); });
        QVERIFY(closed);
    }

private:
    void runWebCam(TestApp &app, const std::function<void(TfrmWebCam *)> &drive)
    {
        bool driven = false;
        app.platform.modal.handlers.append([&](QDialog *d) {
            auto *w = qobject_cast<TfrmWebCam *>(d);
            QVERIFY(w);
            QVERIFY(!w->cameraOn());
            driven = true;
            drive(w);
        });
        // Opened by the member card's own button, as the user does.
        click(app.screens->anagrafica(), "btnAcquisisciFoto");
        QVERIFY(driven);
    }

    FakeCamera *m_camera = nullptr;
    bool m_present = true;
};

QTEST_MAIN(TestWebCamZoom)
#include "tst_webcam_zoom.moc"
