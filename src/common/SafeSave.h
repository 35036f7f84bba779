#pragma once

#include <QByteArray>
#include <QString>

// Saves a whole file by writing it beside the old one and putting it in its
// place only once every byte has been taken by the disk and synced: a full disk,
// a quota or a size limit leaves the old file byte for byte as it was, and the
// save reports failure. The program's files are its own, so a link, a folder or
// a special file where the file should be is refused, never written through.
//
//     SafeSave save(path);
//     if (!save.open() || !save.write(bytes) || !save.commit()) ... save.errorString()
//
// A save that is dropped before commit() removes what it wrote.
class SafeSave
{
public:
    explicit SafeSave(QString path);
    ~SafeSave();
    SafeSave(const SafeSave &) = delete;
    SafeSave &operator=(const SafeSave &) = delete;

    [[nodiscard]] bool open();
    [[nodiscard]] bool write(const char *data, qint64 size);
    [[nodiscard]] bool write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }
    // Syncs, closes and swaps; after a failure nothing of the new file remains.
    [[nodiscard]] bool commit();
    void cancel();

    // For a writer that takes only a file name (a library that opens and closes
    // the file itself): the name of the new file beside the old one, from open()
    // until commit() or cancel(). Once that writer has closed it, writtenByName()
    // checks that the name still names the file open() made, a regular file
    // nobody swapped for a link or another file meanwhile, and that it holds
    // something; commit() then syncs it and swaps it in as usual.
    QString temporaryPath() const { return m_temporary; }
    [[nodiscard]] bool writtenByName();

    QString errorString() const { return m_error; }

    // The whole of bytes as the file at path.
    [[nodiscard]] static bool saveBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

private:
    bool fail(const QString &why);

    QString m_path;
    QString m_temporary;
    QString m_error;
    int m_fd = -1;
};
