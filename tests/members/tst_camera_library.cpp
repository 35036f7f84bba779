// The camera code is a library of its own, loaded by the webcam screen when the
// camera is first switched on: starting the program and opening the screen
// load none of it.
#include "members/ui/FrameSource.h"
#include "members/ui/TfrmAnagrafica.h"
#include "members/ui/TfrmWebCam.h"
#include "shell/ui/ScreenSet.h"
#include "support/TestPlatform.h"

#include <QFile>
#include <QTest>

namespace {

// Whether a library whose file name holds `name` is mapped into this process.
bool mapped(const char *name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains(name);
}

} // namespace

class TestCameraLibrary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadedWhenTheCameraIsSwitchedOn()
    {
        FrameSource::setFactory({}); // the real camera
        TestApp app;
        // The program is up, its screens made and the login shown.
        QVERIFY(!mapped("quintara-camera"));
        QVERIFY(!mapped("libQt6Multimedia"));

        bool driven = false;
        app.platform.modal.handlers.append([&](QDialog *d) {
            auto *w = qobject_cast<TfrmWebCam *>(d);
            QVERIFY(w);
            driven = true;
            // The screen is open with its drawings, the camera still off.
            QVERIFY(!mapped("quintara-camera"));
            QVERIFY(!mapped("libQt6Multimedia"));

            QTest::mouseClick(control<QWidget>(w, "btnAccendi"), Qt::LeftButton);
            QVERIFY(mapped("quintara-camera"));
            QVERIFY(mapped("libQt6Multimedia"));
            // With a camera it is on; on a machine without one the screen says so.
            if (!w->cameraOn())
                QCOMPARE(app.platform.messages.lastText(),
                         QStringLiteral("Attenzione: nessuna webcam è stata trovata. Collegare una webcam e "
                                        "riprovare."));
            QTest::mouseClick(control<QWidget>(w, "btnSpegni"), Qt::LeftButton);
            QVERIFY(!w->cameraOn());
            QTest::mouseClick(control<QWidget>(w, "btnClose"), Qt::LeftButton);
        });
        QTest::mouseClick(control<QWidget>(app.screens->anagrafica(), "btnAcquisisciFoto"), Qt::LeftButton);
        QVERIFY(driven);
    }
};

QTEST_MAIN(TestCameraLibrary)
#include "tst_camera_library.moc"
