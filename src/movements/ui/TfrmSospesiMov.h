#pragma once

#include "common/ui/RecordListScreen.h"
#include "movements/MovementYear.h"

#include <optional>

// The payments due: the unsettled movements of the card's year whose notice
// period has begun or whose due date has passed, filled when shown. A double
// click hands the movement, read from the file with its position, back to the
// card, and closes the list.
class TfrmSospesiMov : public RecordListScreen
{
    Q_OBJECT
public:
    explicit TfrmSospesiMov(QWidget *parent = nullptr);

    // Opens the list of the year file owned by `owner` and waits for it: the
    // movement picked, or nothing when the list was closed without a pick.
    static std::optional<StoredMovement> choose(QWidget *owner, const QString &yearFile);

    // A list without a file (the instance created at start-up) lists nothing.
    void setYearFile(const QString &path) { m_yearFile = path; }

    // The movement picked with a double click; nothing before it.
    const std::optional<StoredMovement> &chosen() const { return m_chosen; }

Q_SIGNALS:
    void movementChosen(const StoredMovement &movement);

protected:
    ListScan scan() const override;
    void rowChosen(qint64 position) override;

private:
    QString m_yearFile;
    std::optional<StoredMovement> m_chosen;
};
