#include "BankFile.h"

#include "BankReaders.h"

#include "common/FileAccess.h"

#include <QFile>
#include <QRegularExpression>

namespace {

BankFile failed(const QString &why)
{
    BankFile f;
    f.kind = BankFile::Kind::Cbi;
    f.statement.error = why;
    return f;
}

bool looksLikeCbi(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(512).trimmed();
    static const QRegularExpression first(QStringLiteral("^ ?(RH|61|62)[ 0-9A-Z]"));
    return first.match(QString::fromLatin1(head.left(8))).hasMatch() && !head.contains(';') && !head.contains('\t');
}

} // namespace

BankFile BankFile::fromBytes(const QByteArray &bytes, const QString &path)
{
    BankFile f;
    if (bytes.trimmed().isEmpty())
        return failed(QStringLiteral("Il file è vuoto."));
    if (bytes.startsWith("PK\x03\x04")) {
        f.grid = BankReaders::readXlsx(bytes);
    } else if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        if (path.isEmpty())
            return failed(QStringLiteral("Il file Excel (.xls) va letto dal disco."));
        f.grid = BankReaders::readXls(path);
    } else if (bytes.left(1024).contains("<?xml") || bytes.left(1024).contains("<Document")) {
        f.kind = Kind::Camt;
        f.statement = BankReaders::readCamt(bytes);
    } else if (looksLikeCbi(bytes)) {
        f.kind = Kind::Cbi;
        f.statement = BankReaders::readCbi(bytes);
    } else {
        f.grid = BankReaders::readCsv(bytes);
    }
    return f;
}

BankFile BankFile::load(const QString &path)
{
    switch (FileAccess::entryAt(path)) {
    case FileAccess::Entry::File:
        break;
    case FileAccess::Entry::Missing:
        return failed(QStringLiteral("Il file %1 non esiste.").arg(path));
    case FileAccess::Entry::Link:
        return failed(QStringLiteral("%1 è un collegamento a un altro file: scegliere il file dell'estratto conto.").arg(path));
    case FileAccess::Entry::Folder:
        return failed(QStringLiteral("%1 è una cartella, non un estratto conto.").arg(path));
    case FileAccess::Entry::Other:
        return failed(QStringLiteral("%1 non è un file ordinario: non può essere un estratto conto.").arg(path));
    }
    QFile file;
    QString why;
    if (!FileAccess::openForReading(file, path, FileAccess::Links::Refuse, &why))
        return failed(QStringLiteral("Il file %1 non può essere letto: %2").arg(path, why));
    if (file.size() > kMaxBytes)
        return failed(QStringLiteral("Il file %1 è di %2 MB: troppo grande per un estratto conto (al massimo %3 MB).")
                          .arg(path)
                          .arg(file.size() / (1024 * 1024))
                          .arg(kMaxBytes / (1024 * 1024)));
    const QByteArray bytes = file.read(kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("Il file %1 non può essere letto: %2").arg(path, file.errorString()));
    if (bytes.size() > kMaxBytes)
        return failed(QStringLiteral("Il file %1 è troppo grande per un estratto conto.").arg(path));
    return fromBytes(bytes, path);
}

BankStatement BankFile::rows(const ColumnMapping &mapping) const
{
    if (kind != Kind::Table)
        return statement;
    BankStatement s;
    if (!grid.error.isEmpty()) {
        s.error = grid.error;
        return s;
    }
    return readTable(grid, mapping);
}
