#pragma once

#include "common/ui/Screens.h"
#include "members/StoredMember.h"
#include "movements/MovementYear.h"
#include "shell/DueReminder.h"

#include <optional>

class FieldEdit;
class QCheckBox;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;
class RowListModel;

// "In scadenza": shown over the start menu after the login when something is
// falling due. Two groups, each with its count, its rows and a button opening
// its list screen: the members whose subscription is expiring or expired, and
// the unsettled payments of the year falling due. A double click on a row, here
// or in a list opened from here, hands that record back to the shell, which
// shows it on its card. "Non mostrare più oggi" keeps the window closed for the
// rest of the day.
class TfrmInScadenza : public FixedDialog
{
    Q_OBJECT
public:
    // The record picked: one of the two, with the year of `due` for a movement.
    struct Choice
    {
        std::optional<StoredMember> member;
        std::optional<StoredMovement> movement;
    };

    explicit TfrmInScadenza(QWidget *parent = nullptr);

    // Shows what is due over `owner` and waits: the record picked, or nothing
    // when the window was closed without a pick. A tick in "Non mostrare più
    // oggi" is kept for the day of `due` whichever way the window closes.
    static std::optional<Choice> run(QWidget *owner, const DueReminder::Due &due);

    // Fills the two groups.
    void setDue(const DueReminder::Due &due);

    const std::optional<Choice> &chosen() const { return m_chosen; }
    bool notToday() const;

    // The text the user reads when the tick could not be kept.
    static QString notKeptWarning();

private:
    struct Group
    {
        QLabel *count = nullptr;
        QPushButton *open = nullptr;
        QListView *list = nullptr;
        RowListModel *rows = nullptr;
    };
    static void fillGroup(Group &group, const ListScan &scan, const QString &what);
    static qint64 positionAt(const Group &group, const QModelIndex &index);

    void membersRowChosen(const QModelIndex &index);
    void paymentsRowChosen(const QModelIndex &index);
    void btnSociClick();
    void btnPagamentiClick();
    // The yearly duties: the one selected is marked done; the day a 5 per
    // mille contribution was received is kept, and its report joins the duties.
    void fillDeadlines(const QList<YearDeadlines::Deadline> &deadlines);
    void btnFattoClick();
    void btnCinqueClick();
    void choose(Choice choice);

    DueReminder::Due m_due;
    Group m_members;
    Group m_payments;
    QList<YearDeadlines::Deadline> m_deadlines;
    QLabel *m_lblAdempimenti = nullptr;
    QListView *m_lstAdempimenti = nullptr;
    RowListModel *m_deadlineRows = nullptr;
    QPushButton *m_btnFatto = nullptr;
    FieldEdit *m_txtCinque = nullptr;
    QCheckBox *m_notToday = nullptr;
    std::optional<Choice> m_chosen;
};
