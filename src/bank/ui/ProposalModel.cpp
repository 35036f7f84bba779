#include "ProposalModel.h"

#include "bank/BankText.h"

#include <QBrush>
#include <QColor>

ProposalModel::ProposalModel(ImportSession &session, QObject *parent)
    : QAbstractTableModel(parent)
    , m_session(session)
{
}

void ProposalModel::reload()
{
    beginResetModel();
    endResetModel();
    Q_EMIT proposalsChanged();
}

int ProposalModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_session.proposals().size());
}

int ProposalModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ProposalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const names[] = {"Riga", "Data", "Importo", "Descrizione della banca", "Proposta", "Causale", "Note"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(names[section]) : QVariant();
}

QVariant ProposalModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Proposal &p = m_session.proposals()[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case Line:
            return p.row.line;
        case Date:
            return p.row.booking.toString(QStringLiteral("dd/MM/yyyy"));
        case Amount:
            return BankText::formatCents(p.row.cents);
        case Description:
            return (p.row.description + QLatin1Char(' ') + p.row.extended).simplified();
        case Action:
            return p.actionText();
        case Causale:
            return p.action == Proposal::Action::Skip ? QString() : p.movement.Causale.trimmed();
        case Note:
            return p.note;
        }
    }
    if (role == Qt::TextAlignmentRole && (index.column() == Amount || index.column() == Line))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole) {
        if (p.origin == Proposal::Origin::AlreadyImported || p.action == Proposal::Action::Skip)
            return QBrush(QColor(0x80, 0x80, 0x80));
        if (index.column() == Amount && p.row.cents < 0)
            return QBrush(QColor(0xC0, 0x00, 0x00));
    }
    return {};
}

Qt::ItemFlags ProposalModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    const Proposal &p = m_session.proposals()[index.row()];
    const bool changeable = p.origin != Proposal::Origin::AlreadyImported && p.origin != Proposal::Origin::OtherYear;
    if (changeable && (index.column() == Action || (index.column() == Causale && p.action == Proposal::Action::Create)))
        f |= Qt::ItemIsEditable;
    return f;
}

QStringList ProposalModel::actionChoices(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const Proposal &p = m_session.proposals()[row];
    QStringList out;
    if (p.settles > 0)
        out.append(QStringLiteral("Segna come saldato"));
    out.append(p.row.cents > 0 ? QStringLiteral("Nuova entrata") : QStringLiteral("Nuova uscita"));
    out.append(QStringLiteral("Non registrare"));
    return out;
}

bool ProposalModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    if (index.column() == Action) {
        Proposal::Action action = Proposal::Action::Skip;
        if (text == QLatin1String("Segna come saldato"))
            action = Proposal::Action::Settle;
        else if (text.startsWith(QLatin1String("Nuova")))
            action = Proposal::Action::Create;
        else if (text != QLatin1String("Non registrare"))
            return false;
        m_session.setAction(index.row(), action);
    } else {
        m_session.setCausale(index.row(), text);
    }
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    Q_EMIT proposalsChanged();
    return true;
}
