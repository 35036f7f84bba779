#pragma once

#include "common/ui/RecordListScreen.h"
#include "members/StoredMember.h"
#include "members/SubscriptionLists.h"

#include <optional>

// A list of members whose subscription needs attention, filled when shown; a
// double click hands the member, read from the archive with its position, back
// to the member card that opened the list, and closes it. TfrmSospesi and
// TfrmScadute are this screen with their own rule, caption, heading and print title.
class SubscriptionListScreen : public RecordListScreen
{
    Q_OBJECT
public:
    struct Variant
    {
        SubscriptionLists::Kind kind;
        QString caption;
        const char *heading; // drawing of imgLogo
        QString printTitle;
    };

    // Opens a list of type Screen owned by `owner` and waits for it: the member
    // picked, or nothing when the list was closed without a pick.
    template <class Screen>
    static std::optional<StoredMember> choose(QWidget *owner)
    {
        return runDialog<Screen>(
            owner, [](Screen &) {}, [](const Screen &s) { return s.chosen(); });
    }

    // The member picked with a double click; nothing before it.
    const std::optional<StoredMember> &chosen() const { return m_chosen; }

Q_SIGNALS:
    void memberChosen(const StoredMember &member);

protected:
    SubscriptionListScreen(const Variant &variant, QWidget *parent);
    ListScan scan() const override;
    void rowChosen(qint64 position) override;

private:
    SubscriptionLists::Kind m_kind;
    std::optional<StoredMember> m_chosen;
};
