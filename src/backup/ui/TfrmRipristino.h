#pragma once

#include "backup/BackupCopies.h"
#include "backup/BackupRestore.h"
#include "common/ui/Screens.h"

#include <optional>

class QLabel;
class RowList;
class QPushButton;

// "Ripristina una copia": the copies of the folder Backup, newest first, with the
// date, the size and the members and movements each holds; the chosen one is
// put back after a question that says what will be replaced.
class TfrmRipristino : public FixedDialog
{
    Q_OBJECT
public:
    explicit TfrmRipristino(QWidget *parent = nullptr);
    ~TfrmRipristino() override;

    // Opens the dialog over owner; the outcome of the restore done, empty when
    // the user left without restoring.
    static std::optional<RestoreOutcome> run(QWidget *owner);

    // One row of the list.
    static QString rowText(const BackupCopy &copy);

    RowList *lstCopie;
    QPushButton *btnRipristina;
    QPushButton *btnChiudi;
    QLabel *lblInfo;

private:
    void fill();
    void btnRipristinaClick();

    QList<BackupCopy> m_copies;
    std::optional<RestoreOutcome> m_done;
};
