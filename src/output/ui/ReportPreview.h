#pragma once

#include "output/PreparedReport.h"

#include <QDialog>

class PreviewPage;
class QComboBox;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The preview window: the prepared pages one under the other, with print, zoom
// (100 % at first), full screen and close. Nothing on the pages can be edited.
// A page is drawn only while it is on screen (or close to it), so a list of
// many pages opens as fast as one of a single page.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    explicit ReportPreview(const PreparedReport &report, QWidget *parent = nullptr);

    int zoomPercent() const { return m_zoom; }
    void setZoomPercent(int percent);
    // Whether the pages went to a printer from this window.
    bool printed() const { return m_printed; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void showPages();
    void drawPagesOnScreen();
    void toggleFullScreen();

    PreparedReport m_report;
    int m_zoom = 100;
    bool m_printed = false;
    QComboBox *m_zoomBox;
    QPushButton *m_fullScreen;
    QScrollArea *m_scroll;
    QWidget *m_pages;
    QVBoxLayout *m_pagesLayout;
    QList<PreviewPage *> m_pageWidgets;
};
