// Renders every screen of the program, with sample data, to PNG files without a display:
//   quintara-screenshots <output folder>
#include "Shots.h"

#include "common/Platform.h"
#include "common/ui/Screens.h"
#include "common/ui/UiPlatform.h"
#include "members/ui/CameraLibrary.h"
#include "shell/ui/AppSetup.h"
#include "shell/ui/ScreenSet.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

class SampleFolder : public ProgramFolder
{
public:
    QString path() const override { return dir.path() + QLatin1Char('/'); }
    QTemporaryDir dir;
};

class FixedClock : public Clock
{
public:
    QDate today() const override { return {2024, 3, 15}; }
    QDateTime now() const override { return {today(), QTime(10, 30)}; }
};

// Dialogs opened while preparing a shot are shown without blocking and closed at once.
class NoModal : public ModalRunner
{
public:
    void run(QDialog *dialog) override { dialog->show(); }
};

class SilentMessages : public MessageBoxes
{
public:
    Answer show(QWidget *, Kind kind, const QString &) override
    {
        return kind == Kind::Question ? Answer::No : Answer::Ok;
    }
};

bool save(QWidget *w, const QString &folder, const QString &name)
{
    if (auto *panel = qobject_cast<PanelScreen *>(w)) {
        panel->showNormal();
        panel->resize(panel->panel()->size() + QSize(60, 60));
    } else {
        w->show();
    }
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool ok = w->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    w->hide();
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    AppSetup::beforeApplication();
    QApplication app(argc, argv);
    AppSetup::configure(app);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    CameraLibrary::addFolder(QStringLiteral(QUINTARA_BUILD_DIR));

    SampleFolder folder;
    FixedClock clock;
    NoModal modal;
    SilentMessages messages;
    Platform::setFolder(&folder);
    Platform::setClock(&clock);
    UiPlatform::setModal(&modal);
    UiPlatform::setMessages(&messages);
    writeSampleData();

    bool ok = true;
    {
        ScreenSet screens;
        int n = 0;
        for (QWidget *w : screens.creationOrder())
            ok &= save(w, out, QStringLiteral("%1_%2").arg(++n, 2, 10, QLatin1Char('0')).arg(
                                   QString::fromLatin1(w->metaObject()->className())));
        for (const Shot &shot : extraShots()) {
            QWidget *w = shot.prepare(screens);
            if (!w) {
                std::printf("FAILED %s (not prepared)\n", qPrintable(shot.name));
                ok = false;
                continue;
            }
            ok &= save(w, out, shot.name);
            if (shot.owned)
                delete w;
        }
    }
    Platform::setFolder(nullptr);
    return ok ? 0 : 1;
}
