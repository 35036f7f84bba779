// One libFuzzer entry for every place where bytes from outside the program are
// parsed: the two record layouts, the record files on arbitrary contents, the
// password file with its scrambled value (also past the size the program reads),
// the date, amount and fee rules, and a year file of any contents through what
// the treasurer sees of it: the movement lists, the prima nota with its totals,
// the export grid with the document written from it, and the year as the cash
// statement sums it; and the bank statement readers (CSV, XLSX, XLS, CBI,
// camt.053) with the column mapping of tables.
// The first byte of an input chooses the target; the rest is the payload.
// Besides not crashing, each target checks a property that must always hold.
#include "balance/PrimaNota.h"
#include "bank/BankFile.h"
#include "bank/BankReaders.h"
#include "common/IniText.h"
#include "common/RecordFile.h"
#include "common/TSchedaMovimento.h"
#include "common/TSchedaSocio.h"
#include "common/TextRules.h"
#include "movements/MovementExport.h"
#include "movements/MovementLists.h"
#include "output/ExportDocument.h"
#include "output/ExportTableModel.h"
#include "shell/Crypt.h"
#include "shell/PasswordStore.h"
#include "statement/YearMovements.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

#define CHECK(cond)                                                                                                    \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                          \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

// A folder of this run's own for the files the targets write; removed at exit.
struct Scratch
{
    Scratch()
        : path(QDir::tempPath() + QStringLiteral("/quintara-fuzz-%1/").arg(QCoreApplication::applicationPid()))
    {
        QDir().mkpath(path);
    }
    ~Scratch() { QDir(path).removeRecursively(); }
    const QString path;
};

const QString &scratch()
{
    static const Scratch dir;
    return dir.path;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    CHECK(f.write(bytes) == bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// Decoding never reads past the record, and what it reads survives a round trip.
template <class R>
void recordLayout(const QByteArray &payload)
{
    QByteArray bytes = payload.left(R::Size);
    bytes.append(QByteArray(R::Size - bytes.size(), '\0'));
    const R once = RecordCodec::decode<R>(bytes.constData());
    const QByteArray encoded = RecordCodec::encode(once);
    CHECK(encoded.size() == R::Size);
    CHECK(RecordCodec::decode<R>(encoded.constData()) == once);
    int offset = 0;
    for (const auto &f : R::fields()) {
        CHECK(quint8(encoded.at(offset)) <= f.capacity);
        offset += f.capacity + 1;
    }
}

// Any file contents: scanning reads exactly the whole records; an append adds
// one record after them and leaves those records untouched.
template <class R>
void recordFile(const QByteArray &payload)
{
    const QString path = scratch() + QStringLiteral("archive.dat");
    writeFile(path, payload);
    const qint64 whole = payload.size() / R::Size;
    RecordFile<R> file;
    CHECK(file.open(path, RecordFileBase::Access::Read));
    CHECK(file.count() == whole);
    qint64 read = 0;
    R last;
    while (!file.atEnd()) {
        CHECK(file.readNext(last));
        ++read;
    }
    CHECK(read == whole);
    CHECK(!file.readNext(last));
    CHECK(!file.read(whole + 1, last));
    CHECK(!file.read(0, last));
    file.close();

    CHECK(file.open(path));
    R first;
    if (whole > 0) {
        CHECK(file.read(1, first));
        CHECK(file.overwrite(1, first));
    }
    qint64 pos = 0;
    CHECK(file.append(last, &pos));
    CHECK(pos == whole + 1);
    file.close();
    const QByteArray after = readFile(path);
    CHECK(after.size() == (whole + 1) * R::Size);
    // Records 2.. are byte for byte as they were; record 1 was rewritten from
    // its own decoding, so it reads back the same.
    CHECK(after.mid(R::Size, (whole - 1 > 0 ? whole - 1 : 0) * R::Size)
          == payload.mid(R::Size, (whole - 1 > 0 ? whole - 1 : 0) * R::Size));
    if (whole > 0)
        CHECK(RecordCodec::decode<R>(after.constData()) == first);
}

// The password file: reading never fails on contents alone (only on a value
// that is not hexadecimal), and writing a value makes it readable at once.
void passwordFile(const QByteArray &payload)
{
    const QString path = scratch() + QStringLiteral("unins000.dll");
    writeFile(path, payload);
    const auto stored = PasswordStore(path).read();
    const IniText ini = IniText::parse(payload);
    const QString hex = ini.value(PasswordStore::section(), PasswordStore::key());
    CHECK(stored.has_value() == Crypt::unscramble(hex).has_value());

    const QString password = PasswordStore::canonical(QString::fromLatin1(payload.left(40)));
    CHECK(PasswordStore(path).write(password));
    const auto back = PasswordStore(path).read();
    CHECK(back.has_value());
    CHECK(*back == TextRules::trim(password.left(255)));

    IniText edited = IniText::parse(payload);
    edited.setValue(QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("0A1B"));
    CHECK(edited.value(QStringLiteral("accesso"), QStringLiteral("VALORE")) == QStringLiteral("0A1B"));
}

// A password file past the size the program reads, made of the payload over and
// over: it is unreadable, a change is refused and leaves it byte for byte as it
// was. The INI reader itself copes with such a text: a value set is read back.
void passwordFileBeyondCap(const QByteArray &payload)
{
    const QByteArray unit = payload.isEmpty() ? QByteArray("\n") : payload;
    QByteArray big;
    const qint64 extra = payload.isEmpty() ? 1 : 1 + quint8(payload.at(0)) * 16;
    while (big.size() < PasswordStore::kMaxFileSize + extra)
        big.append(unit);
    const QString path = scratch() + QStringLiteral("unins000.dll");
    writeFile(path, big);
    const PasswordStore store(path);
    CHECK(!store.read().has_value());
    CHECK(!store.write(QStringLiteral("NUOVA")));
    CHECK(readFile(path) == big);

    IniText ini = IniText::parse(big);
    (void)ini.value(PasswordStore::section(), PasswordStore::key());
    ini.setValue(PasswordStore::section(), PasswordStore::key(), QStringLiteral("0A1B"));
    CHECK(ini.value(PasswordStore::section(), PasswordStore::key()) == QStringLiteral("0A1B"));
    CHECK(ini.toBytes().size() <= big.size() + 64);
}

// The scrambler: any text is unscrambled or refused, and every Latin-1 text of
// up to 255 characters comes back from its scrambled form.
void scrambler(const QByteArray &payload)
{
    (void)Crypt::unscramble(QString::fromUtf8(payload));
    const QString plain = QString::fromLatin1(payload.left(255));
    const QString hex = Crypt::scramble(plain);
    CHECK(hex.size() == 2 * plain.size());
    CHECK(Crypt::unscramble(hex) == plain);
}

bool isDigits(const QString &s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !s.isEmpty();
}

// Dates, amounts and fees typed or pasted by the user.
void textRules(const QByteArray &payload)
{
    const QString text = QString::fromUtf8(payload);
    if (const auto date = TextRules::parseDate(text))
        CHECK(TextRules::formatDate(*date) == text);
    const auto value = TextRules::parseDecimal(text);
    const QString fee = TextRules::normaliseFee(text);
    const QString amount = TextRules::normaliseAmount(text);
    CHECK(!fee.isEmpty() && !amount.isEmpty());
    if (!value) {
        CHECK(fee == QStringLiteral("0,00"));
        CHECK(amount == QStringLiteral("0,00"));
    }
    // What the fields let through by typing (digits and one comma, up to the
    // field's length) always becomes digits, a comma and two decimals.
    const QString typed = text.left(15);
    bool onlyTyped = !typed.isEmpty();
    for (QChar c : typed)
        onlyTyped = onlyTyped && ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(','));
    if (onlyTyped) {
        const QString a = TextRules::normaliseAmount(typed);
        const qsizetype comma = a.indexOf(QLatin1Char(','));
        CHECK(comma > 0 && comma == a.size() - 3);
        CHECK(isDigits(a.left(comma)) && isDigits(a.mid(comma + 1)));
        CHECK(TextRules::normaliseAmount(a) == a);
        const QString f = TextRules::normaliseFee(typed.left(12));
        const qsizetype fc = f.indexOf(QLatin1Char(','));
        CHECK(fc > 0 && f.size() - fc - 1 >= 2 && f.size() - fc - 1 <= 4);
        CHECK(TextRules::normaliseFee(f) == f);
    }
}

// The year file the treasurer's targets read: the payload as it is.
QString yearFile(const QByteArray &payload)
{
    const QString path = scratch() + QStringLiteral("2024.eur");
    writeFile(path, payload);
    return path;
}

// Rows of a list: each names a whole record of the file, and no record twice.
void checkRows(const RowTable &rows, qint64 whole)
{
    CHECK(rows.size() <= whole);
    QSet<qint64> seen;
    for (const ListRow &row : rows) {
        CHECK(row.position >= 1 && row.position <= whole);
        CHECK(!seen.contains(row.position));
        seen.insert(row.position);
    }
}

// The movement search and the payments-due list: rows of whole records, each
// once, in the lists' order; a movement left out as unreadable is counted, and
// a file that opened is read to its end.
void movementLists(const QByteArray &payload)
{
    const QString path = yearFile(payload);
    const qint64 whole = payload.size() / TSchedaMovimento::Size;
    const MovementLists::Criteria criteria{{&TSchedaMovimento::Causale, QStringLiteral("a")}};
    for (const ListScan &scan : {MovementLists::search(path, criteria), MovementLists::search(path, {}),
                                 MovementLists::paymentsDue(path, QDate(2024, 6, 15))}) {
        CHECK(scan.opened && scan.complete);
        checkRows(scan.rows, whole);
        CHECK(scan.rows.size() + scan.skipped <= whole);
        for (qsizetype i = 1; i < scan.rows.size(); ++i)
            CHECK(TextRules::compareRows(scan.rows.text(i - 1), scan.rows.text(i)) <= 0);
    }
}

// The prima nota of the whole year and of one day: rows in file order; when
// the listing is complete every total is a plain number (digits, a comma,
// the euro sign: never "inf", "nan" or an exponent), the income never below
// zero and the expense never above; when it stopped, no total is shown at all.
void primaNota(const QByteArray &payload)
{
    static const QRegularExpression plain(QStringLiteral("^(-?)([0-9]{1,15}),([0-9]+) €$"));
    const QString path = yearFile(payload);
    const qint64 whole = payload.size() / TSchedaMovimento::Size;
    const auto valueOf = [](const QString &total) {
        const auto m = plain.match(total);
        CHECK(m.hasMatch());
        const auto v = TextRules::parseAmount(QString(m.captured(1) + m.captured(2) + QLatin1Char(',') + m.captured(3)));
        CHECK(v.has_value());
        return *v;
    };
    for (const PrimaNota::Request &request :
         {PrimaNota::Request{QString(), QStringLiteral("01/01/2024"), QStringLiteral("31/12/2024"), path},
          PrimaNota::Request{QStringLiteral("a"), QStringLiteral("15/06/2024"), QStringLiteral("15/06/2024"), path}}) {
        const PrimaNota::Result r = PrimaNota::list(request);
        checkRows(r.rows, whole);
        for (qsizetype i = 1; i < r.rows.size(); ++i)
            CHECK(r.rows.position(i - 1) < r.rows.position(i));
        if (!r.complete()) {
            for (const QString &total : {r.income, r.expense, r.balance})
                CHECK(total == PrimaNota::notCalculated());
            CHECK(!PrimaNota::stopWarning(r, QStringLiteral("2024.eur")).isEmpty());
            continue;
        }
        // The balance also holds amounts without a sign, so it is not always
        // the income plus the expense; each total is a plain number all the same.
        CHECK(valueOf(r.income) >= 0);
        CHECK(valueOf(r.expense) <= 0);
        (void)valueOf(r.balance);
    }
}

// The export grid of a year file and the document written from it: one grid
// row per whole record, each cell the record's field; the document has the
// header row and one row per grid row, and no cell opens or closes a tag.
void exportDocument(const QByteArray &payload)
{
    const QString path = yearFile(payload);
    const qint64 whole = payload.size() / TSchedaMovimento::Size;
    ExportTableModel grid(MovementExport::sheet());
    const auto loaded = grid.load(path);
    CHECK(loaded.ok() && *loaded == whole);
    CHECK(grid.rowCount() == whole);
    const int causale = MovementExport::columnIndex(QStringLiteral("colCausale"));
    for (qint64 row = 0; row < whole; ++row) {
        const TSchedaMovimento m =
            RecordCodec::decode<TSchedaMovimento>(payload.constData() + row * TSchedaMovimento::Size);
        CHECK(grid.data(grid.index(int(row), 0)).toString() == QString::number(row + 1));
        CHECK(grid.data(grid.index(int(row), causale)).toString() == m.Causale);
    }
    const QByteArray document = ExportDocument::bytes(grid.description());
    CHECK(document.count("<tr") == whole + 1);
    CHECK(document.count("</tr>") == whole + 1);
    const int columns = int(MovementExport::sheet().columns.size()) - 1;
    CHECK(document.count("<td") == (whole + 1) * columns);
}

// The year as the cash statement sums it, every movement dated in the year:
// each whole record is either counted once (in a group or among the unsettled)
// or named as unreadable, and the cents of each kind are what the text rules
// make of every amount, whichever way the statement read it.
void statementYear(const QByteArray &payload)
{
    const qint64 whole = payload.size() / TSchedaMovimento::Size;
    QByteArray bytes;
    for (qint64 row = 0; row < whole; ++row) {
        TSchedaMovimento m = RecordCodec::decode<TSchedaMovimento>(payload.constData() + row * TSchedaMovimento::Size);
        m.Data = QStringLiteral("15/06/2024");
        bytes += RecordCodec::encode(m);
    }
    const QString path = yearFile(bytes);
    qint64 income = 0, expense = 0;
    QList<qint64> unreadable;
    for (qint64 row = 0; row < whole; ++row) {
        const TSchedaMovimento m = RecordCodec::decode<TSchedaMovimento>(bytes.constData() + row * TSchedaMovimento::Size);
        const QString total = m.Totale.trimmed();
        const bool in = total.startsWith(QLatin1Char('+'));
        const auto amount = TextRules::parseAmount(total);
        if ((!in && !total.startsWith(QLatin1Char('-'))) || !amount || std::fabs(*amount) > YearMovements::kMaxAmount) {
            unreadable.append(row + 1);
            continue;
        }
        (in ? income : expense) += qint64(std::llround(std::fabs(*amount) * 100));
    }
    const YearMovements y = YearMovements::read(path, 2024);
    CHECK(y.readable() && y.records == whole && y.otherYearCount == 0);
    QList<qint64> named;
    for (const YearMovements::Unreadable &u : y.unreadable) {
        CHECK(u.what != QLatin1String("data"));
        named.append(u.position);
    }
    CHECK(named == unreadable);
    qint64 counted = y.unsettledCount, groupIncome = y.unsettledIncome, groupExpense = y.unsettledExpense;
    for (const YearMovements::Group &g : y.groups) {
        CHECK(g.count > 0 && g.cents >= 0);
        counted += g.count;
        (g.income ? groupIncome : groupExpense) += g.cents;
    }
    CHECK(counted + unreadable.size() == whole);
    CHECK(groupIncome == income && groupExpense == expense);
}

// A bank statement of any bytes through the reader the next byte names: rows
// or a refusal, never both a refusal and rows, every row on a real day with
// an amount within the readers' bounds.
void checkStatement(const BankStatement &s)
{
    if (!s.ok())
        CHECK(s.rows.isEmpty());
    for (const BankRow &r : s.rows) {
        CHECK(r.booking.isValid() && r.value.isValid());
        CHECK(r.cents >= -100'000'000'000LL && r.cents <= 100'000'000'000LL);
    }
    for (const RefusedLine &l : s.refused)
        CHECK(l.line >= 1 && !l.reason.isEmpty());
}

void checkTable(const SheetGrid &grid)
{
    if (!grid.error.isEmpty())
        CHECK(grid.rows.isEmpty());
    if (const auto mapping = ColumnMapping::detect(grid)) {
        CHECK(mapping->usable());
        checkStatement(readTable(grid, *mapping));
    }
}

void bankStatement(const QByteArray &payload)
{
    if (payload.isEmpty())
        return;
    const QByteArray bytes = payload.mid(1);
    switch (uchar(payload[0]) % 6) {
    case 0: checkTable(BankReaders::readCsv(bytes)); break;
    case 1: checkTable(BankReaders::readXlsx(bytes)); break;
    case 2: {
        const QString path = scratch() + QStringLiteral("statement.xls");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size()) {
            f.close();
            checkTable(BankReaders::readXls(path));
        }
        break;
    }
    case 3: checkStatement(BankReaders::readCbi(bytes)); break;
    case 4: checkStatement(BankReaders::readCamt(bytes)); break;
    case 5: {
        const BankFile file = BankFile::fromBytes(bytes);
        if (file.kind == BankFile::Kind::Table)
            checkTable(file.grid);
        else
            checkStatement(file.statement);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray payload(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (data[0] % 13) {
    case 0: recordLayout<TSchedaSocio>(payload); break;
    case 1: recordLayout<TSchedaMovimento>(payload); break;
    case 2: recordFile<TSchedaSocio>(payload); break;
    case 3: recordFile<TSchedaMovimento>(payload); break;
    case 4: passwordFile(payload); break;
    case 5: scrambler(payload); break;
    case 6: textRules(payload); break;
    case 7: passwordFileBeyondCap(payload); break;
    case 8: movementLists(payload); break;
    case 9: primaNota(payload); break;
    case 10: exportDocument(payload); break;
    case 11: statementYear(payload); break;
    case 12: bankStatement(payload); break;
    }
    return 0;
}
