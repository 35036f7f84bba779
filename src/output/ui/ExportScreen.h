#pragma once

#include "common/ui/Screens.h"
#include "output/ExportDescription.h"
#include "common/HelpPage.h"

#include <QHash>
#include <QList>
#include <QStringList>

class QLabel;
class QTableWidget;
class PictureButton;

// The export window shared by the member and the movement exports: a banner, the
// export, help and exit pictures, a grid of the archive (column 0 the record
// number, the others exported as shown, typed-over cells included) and a status
// strip with the hints. Each export supplies its columns, its loading and its
// help page.
class ExportScreen : public FixedDialog
{
    Q_OBJECT
public:
    struct GridColumn
    {
        QString name;
        QString header;
        int width;
        bool editable;
    };

    ExportScreen(const QString &caption, const QString &banner, const QList<GridColumn> &columns,
                 QWidget *parent = nullptr);

    // The texts of the exported columns (1 to the last) of every grid row, in grid order.
    QList<QStringList> shownRows() const;

    QTableWidget *grdRecords;
    QLabel *panInfo;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;

    static QString startHint();

protected:
    // Fills the grid from the archive; called each time the window is shown.
    virtual void loadRecords() = 0;
    virtual ExportDescription description(const QList<QStringList> &rows) const = 0;
    virtual HelpPage helpPage() const = 0;

    // Empties the grid and gives it `count` rows of empty cells.
    void resetRows(int count);
    // Writes the texts of one row, column 0 first.
    void setRow(int row, const QStringList &texts);

    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void cmdEsportaClick();
    void cmdGuidaClick();
    void watchHint(QObject *control, const QString &hint);

    QList<GridColumn> m_columns;
    QHash<QObject *, QString> m_hints;
};
