#pragma once

#include "common/ui/SearchScreen.h"
#include "members/StoredMember.h"

#include <optional>

// The member search: criteria first, then the sorted list of the members that
// meet them all. A double click hands the member, read from the archive with its
// position, back to the screen that opened the search, and closes it; the
// opener decides which of its fields receive what.
class TfrmTrovaAnagrafica : public SearchScreen
{
    Q_OBJECT
public:
    // What the opener wants the member for. Its text in lblMemory is the one the
    // user's manual knows the modes by.
    enum class Mode {
        MemberCard,          // "anagrafica": show the member on the member card
        MovementPayer,       // "movimenti_pagatore": the movement card's payer
        MovementBeneficiary, // "movimenti_beneficiario": the movement card's beneficiary
    };

    explicit TfrmTrovaAnagrafica(QWidget *parent = nullptr);

    // Opens a search owned by `owner` and waits for it: the member picked, or
    // nothing when the search was closed without a pick.
    static std::optional<StoredMember> choose(QWidget *owner, Mode mode);

    void setMode(Mode mode);
    std::optional<Mode> mode() const { return m_mode; }
    static QString modeText(Mode mode);

    // The member picked with a double click; nothing before it.
    const std::optional<StoredMember> &chosen() const { return m_chosen; }

Q_SIGNALS:
    void memberChosen(const StoredMember &member);

protected:
    ListScan search(const QStringList &criteria) const override;
    void rowChosen(qint64 position) override;

private:
    std::optional<Mode> m_mode;
    std::optional<StoredMember> m_chosen;
};
