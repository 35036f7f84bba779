#pragma once

#include "bank/ImportSession.h"

#include <QAbstractTableModel>

// The rows of an import with their proposals, as the import screen lists them.
// The proposal and the reason of a new movement can be changed in place.
class ProposalModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Line, Date, Amount, Description, Action, Causale, Note, ColumnCount };

    explicit ProposalModel(ImportSession &session, QObject *parent = nullptr);

    // Shows the session's proposals again after it read a file or wrote.
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The actions a row may be given, as the list's choice shows them.
    QStringList actionChoices(int row) const;

Q_SIGNALS:
    void proposalsChanged();

private:
    ImportSession &m_session;
};
