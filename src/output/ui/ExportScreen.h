#pragma once

#include "common/HelpPage.h"
#include "common/ui/Screens.h"
#include "output/ExportSheet.h"

#include <QHash>
#include <QString>

class QLabel;
class QRadioButton;
class QTableView;
class ExportTableModel;
class PictureButton;

// The export window shared by the member and the movement exports: a banner, the
// export, help and exit pictures, a grid of the archive (column 0 the record
// number, the others exported as shown, typed-over cells included) and a status
// strip with the hints. The grid is a view over the archive's cells: only the
// cells on screen are ever turned into text. What tells one export from the
// other is data (Kind), not code.
class ExportScreen : public FixedDialog
{
    Q_OBJECT
public:
    // What one export window differs in from its twin.
    struct Kind
    {
        QString caption;
        QString banner; // artwork name
        HelpPage help = HelpPage::MemberExport;
        ExportSheet sheet;
        // Where the archive is, asked each time the window is shown; nullptr
        // when the opener names it (setArchive).
        QString (*archive)() = nullptr;
    };

    explicit ExportScreen(const Kind &kind, QWidget *parent = nullptr);

    // The archive the grid shows; read each time the window is shown. An empty
    // path shows no rows.
    void setArchive(const QString &path) { m_archive = path; }

    // The grid's rows as read and typed over.
    ExportTableModel *rows() const { return m_rows; }

    QTableView *grdRecords;
    QLabel *panInfo;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;
    // The format of the file written: the ".xls" document (the default) or the workbook.
    QRadioButton *optXls;
    QRadioButton *optXlsx;

    static QString startHint();
    // Shown when the archive cannot be read, on opening and for every export asked.
    static QString unreadableText();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void loadRecords();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void watchHint(QObject *control, const QString &hint);

    HelpPage m_help;
    QString (*m_archiveOf)();
    QString m_archive;
    // The last loading stopped before the end: nothing may be exported.
    bool m_unreadable = false;
    ExportTableModel *m_rows;
    QHash<QObject *, QString> m_hints;
};
