#include "BackupNames.h"

#include <QRegularExpression>

namespace BackupNames {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd_hh-mm-ss");

bool isAttachment(const QString &relative)
{
    const QString prefix = attachmentFolder() + QLatin1Char('/');
    if (!relative.startsWith(prefix))
        return false;
    const QString file = relative.mid(prefix.size());
    // One flat folder: a plain file name, never a way out of it.
    return !file.isEmpty() && file != QLatin1String(".") && file != QLatin1String("..")
        && !file.contains(QLatin1Char('/')) && !file.contains(QLatin1Char('\\'))
        && !file.contains(QChar(0)) && !file.startsWith(QLatin1String(".~quintara-"));
}

} // namespace

bool isMemberArchive(const QString &relative) { return relative == QLatin1String("Soci.pro"); }

bool isMovementFile(const QString &relative)
{
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}\\.eur$"));
    return year.match(relative).hasMatch();
}

bool isRecordFile(const QString &relative) { return isMemberArchive(relative) || isMovementFile(relative); }

bool isDataName(const QString &relative)
{
    // Photos are named by the member's record position.
    static const QRegularExpression photo(QStringLiteral("^[1-9][0-9]{0,6}\\.jpg$"));
    static const QRegularExpression receipts(QStringLiteral("^Ricevute[0-9]{4}\\.ini$"));
    return isRecordFile(relative) || relative == QLatin1String("unins000.dll")
        || relative == QLatin1String("Ente.ini") || relative == QLatin1String("Rendiconto.ini")
        || relative == QLatin1String("Promemoria.ini") || relative == QLatin1String("LibroSoci.txt")
        || relative == QLatin1String("Adempimenti.ini") || relative == QLatin1String("Preventivo.ini")
        || relative == QLatin1String("Banche.ini") || relative == QLatin1String("BancaRegole.ini")
        || relative == QLatin1String("EstrattiImportati.txt") || receipts.match(relative).hasMatch()
        || photo.match(relative).hasMatch() || isAttachment(relative);
}

QString copyName(const QDateTime &when)
{
    return QStringLiteral("Quintara_") + when.toString(kTimeFormat) + QStringLiteral(".zip");
}

QDateTime timeOf(const QString &copyFileName)
{
    static const QRegularExpression name(
        QStringLiteral("^Quintara_([0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2})\\.zip$"));
    const auto m = name.match(copyFileName);
    if (!m.hasMatch())
        return {};
    return QDateTime::fromString(m.captured(1), kTimeFormat);
}

} // namespace BackupNames
