#pragma once

#include <QDialog>
#include <QImage>

class Picture;

// The member's photo enlarged: a maximised window whose panel and picture take
// the screen less a margin; a click on the photo or the panel closes it.
class TfrmZoom : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget *parent = nullptr);

    // The photo to show enlarged.
    void setPhoto(const QImage &photo);
    QImage photo() const;

    // The size of the panel and the picture on a screen of the given size.
    static QSize zoomArea(const QSize &screenSize);

protected:
    void showEvent(QShowEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void placePanel();

    QWidget *m_panel;
    Picture *m_foto;
};
