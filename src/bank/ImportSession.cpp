#include "ImportSession.h"

#include "BankText.h"

#include "common/EnteData.h"

ImportSession::ImportSession(QString folder, int year, QString yearPath)
    : m_folder(std::move(folder))
    , m_yearPath(std::move(yearPath))
{
    m_setting.year = year;
    if (const auto c = Classification::load(m_folder))
        m_setting.bankPayment = bankPaymentOf(*c);
    if (const auto ente = EnteData::load(m_folder); ente && !ente->denominazione.trimmed().isEmpty())
        m_setting.association = ente->denominazione.trimmed();
}

bool ImportSession::open(const QString &path)
{
    m_error.clear();
    m_mapping = ColumnMapping();
    m_statement = BankStatement();
    m_proposals.clear();
    m_file = BankFile::load(path);
    if (!m_file.error().isEmpty()) {
        m_error = m_file.error();
        return false;
    }
    if (isTable()) {
        // The columns the user chose for this bank before, else those the header names.
        for (qsizetype i = 0; i < std::min<qsizetype>(m_file.grid.rows.size(), 60); ++i)
            if (const auto kept = BankLayouts::find(m_folder, m_file.grid.rows[i], int(i))) {
                m_mapping = *kept;
                break;
            }
        if (m_mapping.headerRow < 0)
            if (const auto found = ColumnMapping::detect(m_file.grid))
                m_mapping = *found;
        if (m_mapping.headerRow < 0) {
            m_mapping.columns = QList<ColumnMapping::Role>(m_file.grid.columnCount(), ColumnMapping::Role::None);
            m_error = QStringLiteral("Le colonne del file non hanno nomi conosciuti: indicare che cosa contiene ogni "
                                     "colonna e premere \"Usa queste colonne\".");
            return true;
        }
    }
    proposeAgain();
    return true;
}

bool ImportSession::setMapping(ColumnMapping mapping, bool keep)
{
    if (!mapping.usable()) {
        m_error = mapping.missing();
        return false;
    }
    if (mapping.headerRow < 0) {
        const qsizetype dateCol = mapping.columnOf(ColumnMapping::Role::Booking) >= 0
                                      ? mapping.columnOf(ColumnMapping::Role::Booking)
                                      : mapping.columnOf(ColumnMapping::Role::Value);
        for (qsizetype i = 0; i < m_file.grid.rows.size(); ++i) {
            const GridRow &r = m_file.grid.rows[i];
            if (BankText::parseDate(r.cell(dateCol)) || !std::isnan(r.number(dateCol))) {
                mapping.headerRow = int(i) - 1;
                break;
            }
        }
    }
    m_mapping = mapping;
    m_error.clear();
    if (keep && mapping.headerRow >= 0) {
        QString why;
        if (!BankLayouts::keep(m_folder, m_file.grid.rows[mapping.headerRow], mapping, &why))
            m_error = QStringLiteral("Le colonne scelte non sono state ricordate: %1").arg(why);
    }
    proposeAgain();
    return true;
}

void ImportSession::proposeAgain()
{
    m_statement = m_file.rows(m_mapping);
    m_proposals.clear();
    if (!m_statement.ok()) {
        m_error = m_statement.error;
        return;
    }
    QString why;
    const auto ledger = ImportLedger::load(m_folder, &why);
    if (!ledger) {
        m_error = QStringLiteral("L'elenco delle righe già importate non può essere letto: %1").arg(why);
        return;
    }
    QList<StoredMovement> movements;
    if (!MovementYear(m_yearPath).readAll([&movements](qint64 n) { movements.reserve(n); },
                                           [&movements](const StoredMovement &m) { movements.append(m); })) {
        m_error = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio dei movimenti.");
        return;
    }
    m_rules = LearnedRules::load(m_folder);
    m_proposals = BankImport::propose(m_statement.rows, movements, *ledger, m_rules, m_setting);
}

void ImportSession::setAction(qsizetype row, Proposal::Action action)
{
    if (row < 0 || row >= m_proposals.size())
        return;
    Proposal &p = m_proposals[row];
    // Rows imported before, or of another year, are never registered here.
    if (p.origin == Proposal::Origin::AlreadyImported || p.origin == Proposal::Origin::OtherYear)
        return;
    if (action == Proposal::Action::Settle) {
        for (const Proposal &other : m_proposals)
            if (&other != &p && other.action == Proposal::Action::Settle && other.settles == p.settles)
                return; // that movement is settled by another row
    }
    const QString causale = p.action == Proposal::Action::Create ? p.movement.Causale : QString();
    BankImport::choose(p, action, m_rules, m_setting);
    if (action == Proposal::Action::Create && !causale.isEmpty())
        p.movement.Causale = causale;
}

void ImportSession::setCausale(qsizetype row, const QString &causale)
{
    if (row < 0 || row >= m_proposals.size() || m_proposals[row].action != Proposal::Action::Create)
        return;
    const QString t = causale.simplified();
    if (!t.isEmpty())
        m_proposals[row].movement.Causale = t;
}

ImportSession::Counts ImportSession::counts() const
{
    Counts c;
    for (const Proposal &p : m_proposals) {
        if (p.origin == Proposal::Origin::AlreadyImported)
            ++c.imported;
        else if (p.action == Proposal::Action::Settle)
            ++c.settle;
        else if (p.action == Proposal::Action::Create)
            ++c.create;
        else
            ++c.skip;
    }
    return c;
}

ImportWrite::Outcome ImportSession::record()
{
    if (!m_statement.whole()) {
        ImportWrite::Outcome o;
        o.status = ImportWrite::Outcome::Status::Nothing;
        return o;
    }
    const ImportWrite::Outcome o = ImportWrite::write(m_yearPath, m_folder, m_proposals);
    if (o.status == ImportWrite::Outcome::Status::Written || o.status == ImportWrite::Outcome::Status::Recorded)
        proposeAgain();
    return o;
}

Reconciliation ImportSession::reconcile(const QDate &date, qint64 statementCents) const
{
    QList<StoredMovement> movements;
    (void)MovementYear(m_yearPath).readAll([&movements](qint64 n) { movements.reserve(n); },
                                           [&movements](const StoredMovement &m) { movements.append(m); });
    const auto c = Classification::load(m_folder);
    return Reconciliation::compute(date, statementCents, movements, c.value_or(Classification()), m_setting.bankPayment);
}
