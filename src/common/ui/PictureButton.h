#pragma once

#include <QAbstractButton>

// A clickable picture: a drawing, or a coloured command bar with an icon and a
// caption. It shows a hand cursor and never takes the keyboard focus, so the
// field being typed in keeps it.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Style { Picture, CommandBar };

    explicit PictureButton(QWidget *parent = nullptr);

    void setArt(const QString &name);
    QString art() const { return m_art; }
    void setStyle(Style style);
    void setBarColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_art;
    Style m_style = Style::Picture;
    QColor m_bar;
};

// A picture that carries no command.
class Picture : public QWidget
{
    Q_OBJECT
public:
    explicit Picture(QWidget *parent = nullptr);
    void setArt(const QString &name);
    QString art() const { return m_art; }
    // An image shown scaled to fit, proportions kept, in place of the drawing.
    void setImage(const QImage &image);
    QImage image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_art;
    QImage m_image;
};
