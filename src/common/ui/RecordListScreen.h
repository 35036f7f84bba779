#pragma once

#include "Screens.h"
#include "common/ListRows.h"

class ListScreen;

// The list dialog the subscription lists and the payments-due list share: a
// heading, the find, the sorted list filled when the screen is shown, "Stampa"
// and "Chiudi". A double click on a row hands its record's position to the
// screen built on this one. Each list supplies its caption, heading, print
// title, the name of its archive in the failure message, and its scan.
class RecordListScreen : public FixedDialog
{
    Q_OBJECT
public:
    struct Variant
    {
        QString caption;
        const char *heading; // drawing of imgLogo
        QString printTitle;
        QString archive; // "l'archivio Soci", as the failure message names it
    };

    ListScreen *listScreen() const { return m_list; }

protected:
    RecordListScreen(const Variant &variant, QWidget *parent);

    // The rows to show, read when the screen is shown.
    virtual ListScan scan() const = 0;
    // A row was double-clicked: the record at this 1-based position was chosen.
    // The list closes afterwards.
    virtual void rowChosen(qint64 position) = 0;

    void showEvent(QShowEvent *e) override;

private:
    void fill();

    Variant m_variant;
    ListScreen *m_list = nullptr;
};
