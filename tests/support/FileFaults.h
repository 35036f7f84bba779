#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// Faults that the file system itself produces, for tests that must see the
// program's files fail for real: a disk that takes no more bytes, a folder the
// user may not write, links and special files planted in the folder, a sparse
// file of absurd size. POSIX only.
namespace FileFaults {

// A photo whose JPEG takes at least bytes: noise does not compress, so the
// encoded size grows with the picture's area.
QImage noisyPhoto(qint64 bytes);

// While alive, no file of this process grows beyond the limit: a write past it
// fails (as on a full disk or a quota) instead of killing the process.
class SizeLimit
{
public:
    explicit SizeLimit(qint64 bytes);
    ~SizeLimit();
    SizeLimit(const SizeLimit &) = delete;
    SizeLimit &operator=(const SizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    unsigned long long m_soft = 0;
    void (*m_previous)(int) = nullptr;
};

// While alive, a process running as root acts as the unprivileged user 65534,
// so that folder and file permissions bind it as they bind any user; an ordinary
// user is bound by them already and stays as it is. active() is false when the
// switch was refused.
class AsUnprivileged
{
public:
    AsUnprivileged();
    ~AsUnprivileged();
    AsUnprivileged(const AsUnprivileged &) = delete;
    AsUnprivileged &operator=(const AsUnprivileged &) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    bool m_switched = false;
};

// The user the unprivileged cases run as.
constexpr unsigned kNobody = 65534;

// Runs body in a child process and returns its result (0 to 255), or 1000 plus
// the signal that ended it. A child still running after timeoutSeconds is ended
// by SIGALRM: a call that blocks for good fails the test instead of holding it.
int inChild(const std::function<int()> &body, int timeoutSeconds = 20);

// In a child: becomes the unprivileged user for good; false when refused.
bool becomeUnprivileged();

bool makeFifo(const QString &path);
bool makeLink(const QString &target, const QString &link);
// A file of size bytes that takes no room on the disk.
bool makeSparse(const QString &path, qint64 size);
bool writeBytes(const QString &path, const QByteArray &bytes);
// Every name in the folder, hidden ones included, sorted.
QStringList namesIn(const QString &folder);
// Lets every user into the folder (temporary folders are private to their owner),
// with writes allowed or not.
bool openFolderToAll(const QString &folder, bool writable);

} // namespace FileFaults
