#pragma once

#include "common/ui/RecordListScreen.h"
#include "movements/MovementYear.h"

#include <optional>

// The receipts of the card's year, in number order: number, date, payer and
// amount. "Stampa" prints the list; a double click hands the movement back to
// the card and closes the list.
class TfrmElencoRicevute : public RecordListScreen
{
    Q_OBJECT
public:
    explicit TfrmElencoRicevute(QWidget *parent = nullptr);

    // Opens the list of the year file over `owner` and waits: the movement
    // picked, or nothing when the list was closed without a pick.
    static std::optional<StoredMovement> choose(QWidget *owner, const QString &yearFile);

    // The year's file, and the printed list's title with the association's name.
    void setYearFile(const QString &path);
    const std::optional<StoredMovement> &chosen() const { return m_chosen; }

protected:
    ListScan scan() const override;
    void rowChosen(qint64 position) override;

private:
    QString m_yearFile;
    std::optional<StoredMovement> m_chosen;
};
