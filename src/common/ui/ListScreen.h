#pragma once

#include "RowList.h"
#include "common/ListRows.h"

#include <QObject>
#include <QPageLayout>
#include <QPoint>
#include <QRect>

class QLabel;
class QLineEdit;
class QPushButton;

class QWidget;

// The part every list screen shares: the list box lstRecords of fixed-width rows
// in Courier New, the find controls (lblRigo01, lblRigo02, txtTrova, btnTrova),
// the key each screen class remembers for the run of the program, printing the
// rows, and carrying the record behind a double-clicked row.
class ListScreen : public QObject
{
    Q_OBJECT
public:
    // Where the shared controls go on the screen's panel.
    struct Places
    {
        QPoint instructions; // lblRigo01, with lblRigo02 below it
        int instructionsWidth = 0;
        QRect findEdit;
        QRect findButton;
        QRect list;
    };

    // screen: the window whose class owns the remembered key; panel: where the
    // controls are placed; printTitle: the title of the printed list.
    ListScreen(QWidget *screen, QWidget *panel, const Places &places, const QString &printTitle);

    RowList *list() const { return m_list; }
    QLineEdit *findEdit() const { return m_findEdit; }
    QPushButton *findButton() const { return m_findButton; }

    // Fills the list with the rows as given, each keeping its record position.
    void setRows(const RowTable &rows);
    void setRows(const QList<ListRow> &rows);
    // The rows shown, in their order.
    const RowTable &rows() const;
    void clear();
    QStringList rowTexts() const;
    int rowCount() const;
    // The selected row, -1 when none.
    int selectedRow() const;
    void selectRow(int row);

    // What the searches and the lists do when shown: forget the remembered key,
    // select row 0 and empty txtTrova.
    void resetFind();
    // The "Trova" command.
    void find();
    // "Stampa": the rows in the order shown under the print title.
    void print();
    void setPrint(const QString &title, QPageLayout::Orientation orientation);

    QString rememberedKey() const;
    // The key remembered for a screen class, by class name.
    static QString rememberedKey(const QByteArray &screenClass);

Q_SIGNALS:
    // A row was double-clicked: the record at this 1-based position was chosen.
    void rowChosen(qint64 position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setRememberedKey(const QString &key);

    QWidget *m_screen;
    QString m_printTitle;
    QPageLayout::Orientation m_printOrientation = QPageLayout::Landscape;
    QLabel *m_line1 = nullptr;
    QLabel *m_line2 = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QPushButton *m_findButton = nullptr;
    // Holds the rows and their record positions: the list is never sorted nor
    // edited, only filled whole and cleared.
    RowList *m_list = nullptr;
};
