#include "FileFaults.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRandomGenerator>

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace FileFaults {

QImage noisyPhoto(qint64 bytes)
{
    QRandomGenerator rng(7);
    for (int height = 24;; height += 6) {
        QImage img(height * 4 / 3, height, QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                img.setPixel(x, y, rng.generate() | 0xff000000u);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(90);
        if (writer.write(img) && jpeg.size() >= bytes)
            return img;
    }
}

SizeLimit::SizeLimit(qint64 bytes)
{
    rlimit current;
    if (getrlimit(RLIMIT_FSIZE, &current) != 0)
        return;
    m_soft = current.rlim_cur;
    // Past the limit the system sends SIGXFSZ, which would end the test; ignored,
    // the write fails with EFBIG instead.
    m_previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = current;
    limited.rlim_cur = rlim_t(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
}

SizeLimit::~SizeLimit()
{
    rlimit current;
    if (m_active && getrlimit(RLIMIT_FSIZE, &current) == 0) {
        current.rlim_cur = rlim_t(m_soft);
        setrlimit(RLIMIT_FSIZE, &current);
    }
    std::signal(SIGXFSZ, m_previous);
}

AsUnprivileged::AsUnprivileged()
{
    if (geteuid() != 0) {
        m_active = true;
        return;
    }
    // The group first, while still allowed to change it; both come back in the
    // destructor because the saved ids stay root's.
    if (setegid(gid_t(kNobody)) != 0)
        return;
    if (seteuid(uid_t(kNobody)) != 0) {
        (void)setegid(0);
        return;
    }
    m_switched = m_active = true;
}

AsUnprivileged::~AsUnprivileged()
{
    if (!m_switched)
        return;
    if (seteuid(0) != 0 || setegid(0) != 0)
        qFatal("cannot return to the superuser after an unprivileged test step");
}

int inChild(const std::function<int()> &body, int timeoutSeconds)
{
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        alarm(unsigned(timeoutSeconds));
        _exit(body() & 0xff);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFSIGNALED(status))
        return 1000 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

bool becomeUnprivileged()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(gid_t(kNobody)) == 0 && setuid(uid_t(kNobody)) == 0;
}

bool makeFifo(const QString &path) { return mkfifo(QFile::encodeName(path).constData(), 0666) == 0; }

bool makeLink(const QString &target, const QString &link)
{
    return symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

bool makeSparse(const QString &path, qint64 size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool sized = ftruncate(fd, off_t(size)) == 0;
    ::close(fd);
    return sized;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

bool openFolderToAll(const QString &folder, bool writable)
{
    const mode_t mode = writable ? 0777 : 0555;
    return chmod(QFile::encodeName(folder).constData(), mode) == 0;
}

} // namespace FileFaults
