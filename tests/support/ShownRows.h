#pragma once

#include <QAbstractItemView>
#include <QStringList>
#include <QTest>

// What a list view shows, read through its model as the user reads the rows.
namespace ShownRows {

inline int count(const QAbstractItemView *view) { return view->model()->rowCount(); }

inline QString text(const QAbstractItemView *view, int row)
{
    return view->model()->index(row, 0).data().toString();
}

inline QStringList texts(const QAbstractItemView *view)
{
    QStringList out;
    for (int i = 0; i < count(view); ++i)
        out.append(text(view, i));
    return out;
}

// The row under the keyboard's focus, -1 when none.
inline int current(const QAbstractItemView *view)
{
    const QModelIndex index = view->currentIndex();
    return index.isValid() ? index.row() : -1;
}

inline bool selected(const QAbstractItemView *view, int row)
{
    return view->selectionModel()->isRowSelected(row, QModelIndex());
}

// Makes the row current and selected, as a click on it does.
inline void select(QAbstractItemView *view, int row)
{
    view->setCurrentIndex(view->model()->index(row, 0));
}

// Where the row is drawn, scrolled into view first.
inline QRect place(QAbstractItemView *view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    return view->visualRect(index);
}

inline void doubleClick(QAbstractItemView *view, int row)
{
    const QRect at = place(view, row);
    QVERIFY2(at.isValid(), "the row is not shown");
    const QPoint point(20, at.center().y());
    // The press of a double click selects the row first, as with a real mouse.
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

} // namespace ShownRows
