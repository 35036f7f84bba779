#include "SafeSave.h"

#include "FileAccess.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

namespace {

constexpr int kNameTries = 16;

// A short name of its own beside the target: the target's name may already be
// as long as the folder allows, and a name left behind by a crash is plainly
// not a document.
QString temporaryBeside(const QString &path)
{
    const QString folder = QFileInfo(path).path();
    return folder + QStringLiteral("/.~quintara-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                              QLatin1Char('0'));
}

} // namespace

SafeSave::SafeSave(QString path)
    : m_path(std::move(path))
{
}

SafeSave::~SafeSave() { cancel(); }

bool SafeSave::fail(const QString &why)
{
    m_error = why;
    cancel();
    return false;
}

bool SafeSave::open()
{
    cancel();
    m_error.clear();
    switch (FileAccess::entryAt(m_path)) {
    case FileAccess::Entry::Missing:
    case FileAccess::Entry::File:
        break;
    case FileAccess::Entry::Folder:
        return fail(QStringLiteral("%1 is a folder").arg(m_path));
    case FileAccess::Entry::Link:
        return fail(QStringLiteral("%1 is a symbolic link").arg(m_path));
    case FileAccess::Entry::Other:
        return fail(QStringLiteral("%1 is not a regular file").arg(m_path));
    }
    QString why;
    for (int i = 0; i < kNameTries && m_fd < 0; ++i) {
        m_temporary = temporaryBeside(m_path);
        m_fd = FileAccess::createNew(m_temporary, m_path, &why);
        if (m_fd < 0 && FileAccess::entryAt(m_temporary) == FileAccess::Entry::Missing)
            break; // not a clash of names: the folder refuses new files
    }
    if (m_fd < 0) {
        m_temporary.clear();
        return fail(why);
    }
    return true;
}

bool SafeSave::write(const char *data, qint64 size)
{
    if (m_fd < 0)
        return fail(m_error.isEmpty() ? QStringLiteral("%1 is not open").arg(m_path) : m_error);
    QString why;
    if (!FileAccess::writeAll(m_fd, data, size, &why))
        return fail(QStringLiteral("%1: %2").arg(m_path, why));
    return true;
}

bool SafeSave::commit()
{
    if (m_fd < 0)
        return fail(m_error.isEmpty() ? QStringLiteral("%1 is not open").arg(m_path) : m_error);
    if (!FileAccess::sync(m_fd))
        return fail(QStringLiteral("%1: %2").arg(m_path, qt_error_string(errno)));
    const int fd = m_fd;
    m_fd = -1;
    if (!FileAccess::close(fd))
        return fail(QStringLiteral("%1: %2").arg(m_path, qt_error_string(errno)));
    QString why;
    if (!FileAccess::replace(m_temporary, m_path, &why))
        return fail(why);
    m_temporary.clear();
    return true;
}

bool SafeSave::writtenByName()
{
    if (m_fd < 0)
        return fail(m_error.isEmpty() ? QStringLiteral("%1 is not open").arg(m_path) : m_error);
    if (!FileAccess::sameFile(m_fd, m_temporary))
        return fail(QStringLiteral("%1 was replaced while it was written").arg(m_temporary));
    if (FileAccess::regularSize(m_fd) <= 0)
        return fail(QStringLiteral("%1 was left empty").arg(m_temporary));
    return true;
}

void SafeSave::cancel()
{
    if (m_fd >= 0) {
        FileAccess::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        FileAccess::remove(m_temporary);
        m_temporary.clear();
    }
}

bool SafeSave::saveBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    SafeSave save(path);
    const bool saved = save.open() && save.write(bytes) && save.commit();
    if (!saved && error)
        *error = save.errorString();
    return saved;
}
