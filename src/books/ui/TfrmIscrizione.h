#pragma once

#include "books/MemberRegister.h"
#include "common/ui/Screens.h"

#include <optional>

class FieldEdit;
class QLabel;
class QPushButton;
class QRadioButton;

// "Libro soci" for one member card: the register number, the day of admission,
// the category and, for a member who left, the day and cause of leaving.
// "Applica e chiudi" checks the values against the register and hands them back
// to the card, which stores them; "Annulla" hands back nothing.
class TfrmIscrizione : public FixedDialog
{
    Q_OBJECT
public:
    // What the card tells the window besides the entry.
    struct Member
    {
        QString name;
        QString qualifiche; // offered as the category
    };

    explicit TfrmIscrizione(QWidget *parent = nullptr);

    // Opens the window over `owner` on `current` (an entry of `book`, or a new
    // one proposing the next number) and waits: the entry applied, or nothing.
    // A new entry whose proposed number was left as it was comes back with
    // number 0, so that storing it takes the next free number at that moment.
    static std::optional<MemberRegister::Entry> edit(QWidget *owner, const MemberRegister::Book &book,
                                                     const MemberRegister::Entry &current, const Member &member);

    void setValues(const MemberRegister::Book &book, const MemberRegister::Entry &current, const Member &member);
    const std::optional<MemberRegister::Entry> &applied() const { return m_applied; }

    FieldEdit *txtNumero = nullptr;
    FieldEdit *txtAmmissione = nullptr;
    FieldEdit *txtCategoria = nullptr;
    FieldEdit *txtUscita = nullptr;
    QPushButton *btnQualifiche = nullptr;
    QRadioButton *optInForza = nullptr;
    QList<QRadioButton *> optCausa; // in the order of MemberRegister::causes()
    QPushButton *btnApplica = nullptr;
    QPushButton *btnAnnulla = nullptr;
    QLabel *lblSocio = nullptr;

private:
    void btnApplicaClick();
    void btnQualificheClick();

    MemberRegister::Book m_book;
    MemberRegister::Entry m_current;
    Member m_member;
    bool m_new = false;
    std::optional<MemberRegister::Entry> m_applied;
};
