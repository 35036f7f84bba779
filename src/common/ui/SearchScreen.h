#pragma once

#include "Screens.h"
#include "common/ListRows.h"
#include "common/RecordScan.h"

#include <QList>
#include <QStringList>

class ListScreen;
class QLabel;
class QLineEdit;
class QPushButton;

// The search dialog the member and the movement searches share: ten criteria
// in two columns, "Cerca", then the sorted list of the records that meet them
// all, with its count, the find and the print. A double click on a row hands its
// record's position to the screen built on this one. Each search supplies its
// caption, banner, criteria, print title, scan and what a chosen row becomes.
class SearchScreen : public FixedDialog
{
    Q_OBJECT
public:
    // One criteria edit with its caption and the name of its focus frame.
    struct Criterion
    {
        const char *edit;
        const char *label;
        QString caption;
        const char *frame;
    };
    struct Variant
    {
        QString caption;
        const char *banner; // drawing of imgLogo on both panels
        QList<Criterion> criteria; // in the Enter cycle: the first half in the left column
        QString printTitle;
    };

    // A criteria edit with the record field it is matched against: the one
    // table a search over Record is made from.
    template <class Record>
    struct Field
    {
        Criterion edit;
        QString Record::*field;
    };

    ListScreen *listScreen() const { return m_list; }

    // "Il presente riepilogo contiene N schede."
    static QString countText(qsizetype rows);

protected:
    SearchScreen(const Variant &variant, QWidget *parent);

    // The scan, given the criteria as typed, in the order of the Enter cycle.
    virtual ListScan search(const QStringList &criteria) const = 0;
    // A row was double-clicked: the record at this 1-based position was chosen.
    // The search closes afterwards.
    virtual void rowChosen(qint64 position) = 0;

    // The edits of a search's field table, in its order.
    template <class Record>
    static QList<Criterion> edits(const QList<Field<Record>> &fields)
    {
        QList<Criterion> out;
        for (const Field<Record> &f : fields)
            out.append(f.edit);
        return out;
    }
    // The texts typed in the edits (in table order) paired with their fields, for the scan.
    template <class Record>
    static QList<SearchCriterion<Record>> typed(const QList<Field<Record>> &fields, const QStringList &texts)
    {
        QList<SearchCriterion<Record>> out;
        for (qsizetype i = 0; i < fields.size() && i < texts.size(); ++i)
            out.append({fields.at(i).field, texts.at(i)});
        return out;
    }

    // The hidden label that holds the opener's mode.
    QLabel *memory() const { return m_memory; }

    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void btnCercaMouseDown();
    void btnCercaClick();

    QWidget *m_criteriaPanel = nullptr;
    QWidget *m_resultPanel = nullptr;
    QList<QLineEdit *> m_edits; // in the order of the Enter cycle
    QLabel *m_waiting = nullptr;
    QLabel *m_found = nullptr;
    QLabel *m_memory = nullptr;
    ListScreen *m_list = nullptr;
};
