#include "ReceiptArchive.h"

#include "ReceiptBook.h"
#include "common/FileAccess.h"
#include "common/SafeSave.h"
#include "common/Win1252.h"
#include "common/IniText.h"

#include <QDir>
#include <QFileInfo>

namespace ReceiptArchive {

namespace {

// A year of receipts is a few hundred kilobytes; anything far larger is not ours.
constexpr qint64 kMaxSize = 64 * 1024 * 1024;

const QString kNumber = QStringLiteral("Numero");
const QString kDonation = QStringLiteral("Erogazione");
const QString kNotes = QStringLiteral("Note");

const struct
{
    const char *key;
    QString ReceiptContent::*field;
} kTexts[] = {
    {"Ente", &ReceiptContent::association},
    {"IndirizzoEnte", &ReceiptContent::associationAddress},
    {"CodiceFiscaleEnte", &ReceiptContent::associationTaxCode},
    {"Tesoriere", &ReceiptContent::treasurer},
    {"Data", &ReceiptContent::date},
    {"Pagatore", &ReceiptContent::payer},
    {"CodicePagatore", &ReceiptContent::payerCode},
    {"RecapitoPagatore", &ReceiptContent::payerAddress},
    {"Importo", &ReceiptContent::amount},
    {"InLettere", &ReceiptContent::amountWords},
    {"Causale", &ReceiptContent::reason},
    {"Pagamento", &ReceiptContent::payment},
};

// The file holds text the way the archives do, one Windows-1252 byte per
// character; a value is one line.
QString encoded(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return QString::fromLatin1(Win1252::encode(text));
}

QString decoded(const QString &stored) { return Win1252::decode(stored.toLatin1()); }

} // namespace

QString pathFor(const QString &yearFile)
{
    const QFileInfo info(yearFile);
    const auto year = ReceiptBook::yearOfFile(yearFile);
    const QString name = QStringLiteral("Ricevute%1.ini").arg(year ? QString::number(*year) : info.completeBaseName());
    return info.dir().filePath(name);
}

std::optional<QByteArray> read(const QString &path, QString *error)
{
    auto bytes = FileAccess::readSmallFile(path, kMaxSize);
    if (!bytes && error)
        *error = QStringLiteral("%1 non è leggibile").arg(QDir::toNativeSeparators(path));
    return bytes;
}

bool holds(const QByteArray &content, const QString &number)
{
    return !IniText::parse(content).value(number, kNumber).isNull();
}

std::optional<ReceiptContent> find(const QByteArray &content, const QString &number)
{
    const IniText ini = IniText::parse(content);
    if (ini.value(number, kNumber).isNull())
        return std::nullopt;
    ReceiptContent c;
    c.number = number;
    for (const auto &t : kTexts)
        c.*t.field = decoded(ini.value(number, QString::fromLatin1(t.key)));
    c.donation = ini.value(number, kDonation) == QLatin1String("1");
    const int notes = ini.value(number, kNotes).toInt();
    for (int i = 1; i <= notes; ++i)
        c.gift.append(decoded(ini.value(number, kNotes + QString::number(i))));
    return c;
}

QByteArray with(const QByteArray &content, const ReceiptContent &receipt)
{
    IniText ini = IniText::parse(content);
    const QString &section = receipt.number;
    ini.setValue(section, kNumber, receipt.number);
    for (const auto &t : kTexts)
        ini.setValue(section, QString::fromLatin1(t.key), encoded(receipt.*t.field));
    ini.setValue(section, kDonation, receipt.donation ? QStringLiteral("1") : QStringLiteral("0"));
    ini.setValue(section, kNotes, QString::number(receipt.gift.size()));
    for (qsizetype i = 0; i < receipt.gift.size(); ++i)
        ini.setValue(section, kNotes + QString::number(i + 1), encoded(receipt.gift[i]));
    return ini.toBytes();
}

bool save(const QString &path, const QByteArray &content, QString *error)
{
    if (!SafeSave::saveBytes(path, content, error))
        return false;
    // The save is checked: what the disk gives back is what was written.
    const auto back = read(path, error);
    if (back && *back == content)
        return true;
    if (error && back)
        *error = QStringLiteral("il file riletto non corrisponde a quello scritto");
    return false;
}

} // namespace ReceiptArchive
