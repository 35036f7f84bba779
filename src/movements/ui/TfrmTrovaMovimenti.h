#pragma once

#include "common/ui/SearchScreen.h"
#include "movements/MovementYear.h"

#include <optional>

// The movement search: the member search's twin over the year file the
// movement card works on. A double click hands the movement, read from the file
// with its position, back to the card, and closes the search.
class TfrmTrovaMovimenti : public SearchScreen
{
    Q_OBJECT
public:
    // What the opener wants the movement for: "movimenti" in lblMemory, the
    // movement card showing it.
    enum class Mode { MovementCard };

    explicit TfrmTrovaMovimenti(QWidget *parent = nullptr);

    // Opens a search of the year file owned by `owner` and waits for it: the
    // movement picked, or nothing when the search was closed without a pick.
    static std::optional<StoredMovement> choose(QWidget *owner, const QString &yearFile);

    // A search without a mode (the instance created at start-up) hands nothing back.
    void setMode(Mode mode);
    void setYearFile(const QString &path) { m_yearFile = path; }

    // The movement picked with a double click; nothing before it.
    const std::optional<StoredMovement> &chosen() const { return m_chosen; }

Q_SIGNALS:
    void movementChosen(const StoredMovement &movement);

protected:
    ListScan search(const QStringList &criteria) const override;
    void rowChosen(qint64 position) override;

private:
    std::optional<Mode> m_mode;
    QString m_yearFile;
    std::optional<StoredMovement> m_chosen;
};
