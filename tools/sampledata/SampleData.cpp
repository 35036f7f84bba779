#include "SampleData.h"

#include "checks/IbanCheck.h"
#include "checks/TaxCodeCheck.h"
#include "common/Platform.h"
#include "common/TextRules.h"

#include <QDir>
#include <QSaveFile>

#include <array>

namespace {

// SplitMix64: tiny, fast, and the same numbers on every platform and library
// (the standard distributions are not). One stream per record, so a record does
// not depend on the ones made before it.
class Rng
{
public:
    Rng(quint64 seed, quint64 stream, quint64 index)
        : m_state(seed * 0x9E3779B97F4A7C15ULL ^ (stream << 56) ^ (index * 0xD1B54A32D192ED03ULL))
    {
        next();
    }
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T, std::size_t N>
    const T &pick(const std::array<T, N> &items)
    {
        return items[std::size_t(below(int(N)))];
    }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + below(10));
        return s;
    }

private:
    quint64 m_state;
};

struct Town
{
    const char16_t *name;
    const char *province;
    const char *cap;
    const char *code; // cadastral code used in tax codes
};

// Provincial capitals with their cadastral codes.
constexpr std::array<Town, 52> kTowns = {{
    {u"Roma", "RM", "00100", "H501"},      {u"Milano", "MI", "20100", "F205"},    {u"Napoli", "NA", "80100", "F839"},
    {u"Torino", "TO", "10100", "L219"},    {u"Palermo", "PA", "90100", "G273"},   {u"Genova", "GE", "16100", "D969"},
    {u"Bologna", "BO", "40100", "A944"},   {u"Firenze", "FI", "50100", "D612"},   {u"Bari", "BA", "70100", "A662"},
    {u"Catania", "CT", "95100", "C351"},   {u"Venezia", "VE", "30100", "L736"},   {u"Verona", "VR", "37100", "L781"},
    {u"Messina", "ME", "98100", "F158"},   {u"Padova", "PD", "35100", "G224"},    {u"Trieste", "TS", "34100", "L424"},
    {u"Brescia", "BS", "25100", "B157"},   {u"Parma", "PR", "43100", "G337"},     {u"Taranto", "TA", "74100", "L049"},
    {u"Prato", "PO", "59100", "G999"},     {u"Modena", "MO", "41100", "F257"},    {u"Perugia", "PG", "06100", "G478"},
    {u"Livorno", "LI", "57100", "E625"},   {u"Ravenna", "RA", "48100", "H199"},   {u"Cagliari", "CA", "09100", "B354"},
    {u"Foggia", "FG", "71100", "D643"},    {u"Rimini", "RN", "47900", "H294"},    {u"Salerno", "SA", "84100", "H703"},
    {u"Ferrara", "FE", "44100", "D548"},   {u"Sassari", "SS", "07100", "I452"},   {u"Latina", "LT", "04100", "E472"},
    {u"Bergamo", "BG", "24100", "A794"},   {u"Pescara", "PE", "65100", "G482"},   {u"Trento", "TN", "38100", "L378"},
    {u"Vicenza", "VI", "36100", "L840"},   {u"Bolzano", "BZ", "39100", "A952"},   {u"Novara", "NO", "28100", "F952"},
    {u"Piacenza", "PC", "29100", "G535"},  {u"Ancona", "AN", "60100", "A271"},    {u"Udine", "UD", "33100", "L483"},
    {u"Lecce", "LE", "73100", "E506"},     {u"Como", "CO", "22100", "C933"},      {u"Pisa", "PI", "56100", "G702"},
    {u"Siena", "SI", "53100", "I726"},     {u"Lucca", "LU", "55100", "E715"},     {u"Arezzo", "AR", "52100", "A390"},
    {u"Cremona", "CR", "26100", "D150"},   {u"Mantova", "MN", "46100", "E897"},   {u"Pavia", "PV", "27100", "G388"},
    {u"Varese", "VA", "21100", "L682"},    {u"Asti", "AT", "14100", "A479"},      {u"Cuneo", "CN", "12100", "D205"},
    {u"Forlì", "FC", "47121", "D704"},
}};

constexpr std::array<const char16_t *, 60> kSurnames = {
    u"Rossi",    u"Russo",     u"Ferrari",  u"Esposito", u"Bianchi",  u"Romano",   u"Colombo",  u"Ricci",
    u"Marino",   u"Greco",     u"Bruno",    u"Gallo",    u"Conti",    u"De Luca",  u"Mancini",  u"Costa",
    u"Giordano", u"Rizzo",     u"Lombardi", u"Moretti",  u"Barbieri", u"Fontana",  u"Santoro",  u"Mariani",
    u"Rinaldi",  u"Caruso",    u"Ferrara",  u"Galli",    u"Martini",  u"Leone",    u"Longo",    u"Gentile",
    u"Martinelli", u"Vitale",  u"Lombardo", u"Serra",    u"Coppola",  u"De Santis", u"D'Angelo", u"Marchetti",
    u"Parisi",   u"Villa",     u"Conte",    u"Ferraro",  u"Ferri",    u"Fabbri",   u"Bianco",   u"Marini",
    u"Grasso",   u"Valentini", u"Messina",  u"Sala",     u"De Angelis", u"Gatti",  u"Pellegrini", u"Palumbo",
    u"Sanna",    u"Farina",    u"Rizzi",    u"Monti"};

constexpr std::array<const char16_t *, 30> kMaleNames = {
    u"Marco",   u"Giuseppe", u"Giovanni", u"Antonio", u"Francesco", u"Mario",   u"Luigi",   u"Andrea",
    u"Stefano", u"Alessandro", u"Paolo",  u"Roberto", u"Luca",      u"Davide",  u"Matteo",  u"Lorenzo",
    u"Simone",  u"Riccardo", u"Fabio",    u"Enrico",  u"Nicolò",    u"Pietro",  u"Claudio", u"Massimo",
    u"Gabriele", u"Tommaso", u"Daniele",  u"Salvatore", u"Vincenzo", u"Emanuele"};

constexpr std::array<const char16_t *, 30> kFemaleNames = {
    u"Maria",   u"Anna",     u"Giulia",   u"Francesca", u"Sara",    u"Laura",   u"Chiara",  u"Valentina",
    u"Elena",   u"Alessandra", u"Martina", u"Federica", u"Silvia",  u"Paola",   u"Roberta", u"Giovanna",
    u"Elisa",   u"Sofia",    u"Aurora",   u"Beatrice",  u"Caterina", u"Rosa",   u"Lucia",   u"Simona",
    u"Barbara", u"Cristina", u"Monica",   u"Ilaria",    u"Noemi",   u"Teresa"};

constexpr std::array<const char16_t *, 20> kStreets = {
    u"Via Garibaldi", u"Via Roma", u"Corso Vittorio Emanuele II", u"Via Mazzini", u"Piazza Dante",
    u"Via Cavour", u"Via XX Settembre", u"Viale della Repubblica", u"Via Verdi", u"Via Manzoni",
    u"Via Leopardi", u"Via dei Mille", u"Corso Italia", u"Via Marconi", u"Via San Francesco",
    u"Largo Carducci", u"Via Matteotti", u"Via Gramsci", u"Via della Libertà", u"Vicolo del Pozzo"};

constexpr std::array<const char *, 8> kFees = {"25", "25", "30", "50", "15,5", "100", "40", "12,345"};
constexpr std::array<const char *, 4> kNotice = {"7", "10", "15", "30"};
constexpr std::array<const char16_t *, 8> kQualifications = {
    u"Socio ordinario", u"Socio ordinario", u"Socio ordinario", u"Socio sostenitore", u"Socio fondatore",
    u"Istruttore", u"Socio onorario", u""};
constexpr std::array<const char16_t *, 6> kOffices = {u"Presidente", u"Vicepresidente", u"Segretario",
                                                      u"Tesoriere", u"Consigliere", u"Revisore dei conti"};
constexpr std::array<const char16_t *, 6> kNotes = {
    u"Preferisce essere contattato la sera.", u"Certificato medico consegnato.", u"Iscritto al corso serale.",
    u"Ha chiesto la ricevuta per la detrazione.", u"Volontario per le manifestazioni estive.",
    u"Quota versata con bonifico."};
constexpr std::array<const char *, 3> kDomains = {"esempio.it", "posta.esempio.it", "example.com"};

constexpr std::array<const char16_t *, 6> kIncomeReasons = {
    u"Quota associativa %1", u"Rinnovo tessera %1", u"Contributo liberale", u"Iscrizione corso di fotografia",
    u"Quota gita sociale", u"Rimborso spese anticipate"};
constexpr std::array<const char16_t *, 10> kExpenseReasons = {
    u"Affitto sede", u"Bolletta energia elettrica", u"Bolletta acqua", u"Cancelleria",
    u"Assicurazione responsabilità civile", u"Manutenzione impianti", u"Spese bancarie", u"Stampa tessere",
    u"Materiale sportivo", u"Servizio di pulizia"};
constexpr std::array<const char16_t *, 8> kSuppliers = {
    u"Immobiliare Bianchi s.r.l.", u"Cartoleria Moretti", u"Tipografia Gallo", u"Impianti Ferri s.n.c.",
    u"Assicurazioni Conti", u"Pulizie Serra", u"Sport Lombardi", u"Banca di Credito Cooperativo"};
constexpr std::array<const char16_t *, 5> kPayments = {u"Contanti", u"Bonifico bancario", u"Bancomat",
                                                       u"Assegno bancario", u"Carta di credito"};
constexpr std::array<const char16_t *, 12> kMonths = {u"gennaio", u"febbraio", u"marzo", u"aprile",
                                                      u"maggio", u"giugno", u"luglio", u"agosto",
                                                      u"settembre", u"ottobre", u"novembre", u"dicembre"};

const QString kAssociation = QStringLiteral("Circolo Culturale La Quercia");
const QString kAssociationPhone = QStringLiteral("0521 234567");

QString str(const char16_t *s) { return QString::fromUtf16(s); }

// Letters A-Z only, accents dropped: what the tax code is made of.
QString plainLetters(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    for (QChar c : decomposed) {
        const QChar u = c.toUpper();
        if (u >= u'A' && u <= u'Z')
            out += u;
    }
    return out;
}

bool isVowel(QChar c) { return QStringLiteral("AEIOU").contains(c); }

QString nameLetters(const QString &text, bool givenName)
{
    const QString letters = plainLetters(text);
    QString consonants, vowels;
    for (QChar c : letters)
        (isVowel(c) ? vowels : consonants) += c;
    if (givenName && consonants.size() >= 4)
        return QString(consonants.at(0)) + consonants.at(2) + consonants.at(3);
    return (consonants + vowels + QStringLiteral("XXX")).left(3);
}

// Values of a character in an odd (1st, 3rd, ...) position of a tax code; the
// same table serves the CIN of Italian bank accounts.
int oddValue(QChar c)
{
    static constexpr int kOdd[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                     20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
    if (c >= u'0' && c <= u'9')
        return kOdd[c.unicode() - u'0'];
    if (c >= u'A' && c <= u'Z')
        return kOdd[c.unicode() - u'A'];
    return -1;
}

int evenValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'Z')
        return c.unicode() - u'A';
    return -1;
}

QChar checkLetter(QStringView text)
{
    int sum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int v = i % 2 == 0 ? oddValue(text.at(i)) : evenValue(text.at(i));
        if (v < 0)
            return QChar();
        sum += v;
    }
    return QChar(u'A' + sum % 26);
}

QString vatNumber(Rng &r)
{
    QString d = r.digits(7) + QStringLiteral("%1").arg(1 + r.below(100), 3, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        int v = d.at(i).unicode() - u'0';
        if (i % 2 == 1) {
            v *= 2;
            if (v > 9)
                v -= 9;
        }
        sum += v;
    }
    return d + QChar(u'0' + (10 - sum % 10) % 10);
}

QString iban(Rng &r)
{
    const QString abiCabAccount = r.digits(5) + r.digits(5) + r.digits(12);
    // The national check letter uses the tax code's tables over the 22 digits.
    const QString bban = checkLetter(abiCabAccount) + abiCabAccount;
    // The check digits make the whole IBAN's remainder modulo 97 equal to 1.
    const int mod = IbanCheck::remainder(QStringLiteral("IT00") + bban);
    return QStringLiteral("IT%1").arg(98 - mod, 2, 10, QLatin1Char('0')) + bban;
}

QString emailPart(const QString &text) { return TextRules::lowerAZ(plainLetters(text)); }

QString money(int cents)
{
    return TextRules::normaliseAmount(QStringLiteral("%1,%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0')));
}

} // namespace

SampleData::SampleData(quint64 seed)
    : m_seed(seed)
{
}

QString SampleData::taxCode(const QString &surname, const QString &name, const QDate &birth, bool female,
                            const QString &townCode)
{
    static const QString kMonthLetters = QStringLiteral("ABCDEHLMPRST");
    const QString body = nameLetters(surname, false) + nameLetters(name, true)
                         + QStringLiteral("%1").arg(birth.year() % 100, 2, 10, QLatin1Char('0'))
                         + kMonthLetters.at(birth.month() - 1)
                         + QStringLiteral("%1").arg(birth.day() + (female ? 40 : 0), 2, 10, QLatin1Char('0'))
                         + townCode;
    return body + TaxCodeCheck::checkCharacter(body);
}

TSchedaSocio SampleData::member(qint64 index) const
{
    Rng r(m_seed, 1, quint64(index));
    TSchedaSocio s;
    const bool female = r.chance(50);
    const QString surname = str(r.pick(kSurnames));
    const QString name = str(female ? r.pick(kFemaleNames) : r.pick(kMaleNames));
    s.Dipendente = surname + QLatin1Char(' ') + name;
    s.Cittadinanza = QStringLiteral("%1").arg(index + 1, 5, 10, QLatin1Char('0'));
    s.Stipendio = TextRules::normaliseFee(QString::fromLatin1(r.pick(kFees)));
    const Town &born = r.pick(kTowns);
    s.Luogo = str(born.name);
    const int year = 1940 + r.below(67);
    const QDate birth = QDate(year, 1, 1).addDays(r.below(QDate(year, 1, 1).daysInYear()));
    s.DataNasc = TextRules::formatDate(birth);
    s.CodFisc = taxCode(surname, name, birth, female, QString::fromLatin1(born.code));
    if (r.chance(8))
        s.PartitaIva = vatNumber(r);
    const Town &home = r.chance(60) ? born : r.pick(kTowns);
    s.Indirizzo = str(r.pick(kStreets)) + QLatin1Char(' ') + QString::number(1 + r.below(180));
    s.Citta = str(home.name);
    s.Prov = QString::fromLatin1(home.province);
    s.Cap = QString::fromLatin1(home.cap);
    s.Qualifiche = str(r.pick(kQualifications));
    if (r.chance(5))
        s.Familiari = str(r.pick(kOffices));
    if (r.chance(30))
        s.Iban = iban(r);
    if (r.chance(15))
        s.Note = str(r.pick(kNotes));
    // About a quarter expired, the rest due within the next year.
    s.DataSca = TextRules::formatDate(Platform::clock().today().addDays(r.below(486) - 120));
    s.Preavviso = QString::fromLatin1(r.pick(kNotice));
    s.Recapito = QStringLiteral("3%1 %2").arg(r.digits(2), r.digits(7));
    if (r.chance(80))
        s.Email = emailPart(name) + QLatin1Char('.') + emailPart(surname)
                  + (r.chance(30) ? QString::number(r.below(100)) : QString()) + QLatin1Char('@')
                  + QString::fromLatin1(r.pick(kDomains));
    if (r.chance(3)) {
        s.File01 = QStringLiteral("Certificato_medico_%1.pdf").arg(index + 1);
        s.Desc01 = QStringLiteral("Certificato medico");
    }
    return s;
}

TSchedaMovimento SampleData::movement(int year, qint64 index, qint64 count, qint64 members) const
{
    Rng r(m_seed, 2, quint64(index) ^ (quint64(year) << 40));
    TSchedaMovimento m;
    const bool income = members > 0 ? r.chance(65) : r.chance(20);
    m.Entrata = income ? kYes : kNo;
    m.Uscita = income ? kNo : kYes;
    const QDate first(year, 1, 1);
    const QDate date = first.addDays(count > 0 ? index * first.daysInYear() / count : 0);
    m.Data = TextRules::formatDate(date);
    m.Causale = str(income ? r.pick(kIncomeReasons) : r.pick(kExpenseReasons));
    if (m.Causale.contains(QLatin1String("%1")))
        m.Causale = m.Causale.arg(year);
    if (r.chance(25))
        m.Promemoria = QStringLiteral("Mese di %1").arg(str(kMonths[std::size_t(date.month() - 1)]));
    const QDate due = date.addDays(r.below(61));
    m.DataSca = TextRules::formatDate(due);
    m.Preavviso = QString::fromLatin1(r.pick(kNotice));
    m.Importo = income ? TextRules::normaliseAmount(QString::fromLatin1(r.pick(kFees)))
                       : money(1000 + r.below(200000));
    m.Totale = (income ? QStringLiteral("+") : QStringLiteral("-")) + m.Importo;
    if (income) {
        const TSchedaSocio payer = member(r.below(int(std::min<qint64>(members, 1 << 30))));
        m.Pagatore = payer.Dipendente;
        m.RecapitoPag = payer.Recapito;
        m.CodFisc = payer.CodFisc;
        m.PartitaIva = payer.PartitaIva;
        m.Categoria = payer.Cittadinanza;
        m.Email = payer.Email;
        m.Beneficiario = kAssociation;
        m.RecapitoBen = kAssociationPhone;
        m.Ricevuta = QStringLiteral("Ricevuta n. %1").arg(index + 1);
    } else {
        m.Pagatore = kAssociation;
        m.RecapitoPag = kAssociationPhone;
        m.Beneficiario = str(r.pick(kSuppliers));
        m.RecapitoBen = QStringLiteral("0%1 %2").arg(r.digits(2), r.digits(6));
    }
    m.Pagamento = str(r.pick(kPayments));
    if (!income && m.Pagamento == QLatin1String("Bonifico bancario"))
        m.Ricevuta = QStringLiteral("CRO %1").arg(r.digits(11));
    if (r.chance(10))
        m.Note = QStringLiteral("Registrato dal tesoriere.");
    if (r.chance(10))
        m.Tariffa = income ? QStringLiteral("Tariffa ordinaria") : QStringLiteral("Tariffa a consumo");
    const bool pastDue = due < Platform::clock().today();
    m.Saldato = r.chance(pastDue ? 90 : 30) ? kYes : kNo;
    return m;
}

namespace {

template <class Make>
bool writeRecords(const QString &path, qint64 count, int recordSize, Make make, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    constexpr qint64 kBatch = 512;
    QByteArray batch;
    batch.reserve(kBatch * recordSize);
    for (qint64 i = 0; i < count; ++i) {
        batch += RecordCodec::encode(make(i));
        if (batch.size() >= kBatch * recordSize || i + 1 == count) {
            if (file.write(batch) != batch.size()) {
                if (error)
                    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
                file.cancelWriting();
                return false;
            }
            batch.clear();
        }
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool SampleData::writeArchives(const QString &folder, qint64 members, int year, qint64 movements,
                               QString *error) const
{
    const QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("%1: the folder cannot be created").arg(folder);
        return false;
    }
    if (!writeRecords(dir.filePath(QStringLiteral("Soci.pro")), members, TSchedaSocio::Size,
                      [&](qint64 i) { return member(i); }, error))
        return false;
    return writeRecords(dir.filePath(QString::number(year) + QStringLiteral(".eur")), movements,
                        TSchedaMovimento::Size, [&](qint64 i) { return movement(year, i, movements, members); },
                        error);
}
