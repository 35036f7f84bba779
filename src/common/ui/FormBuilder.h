#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <initializer_list>

// Builds a screen's controls from a table of (name, kind, caption, place, size).
// Every control gets its name as object name, so code and tests find it by name.
namespace Form {

enum class Kind {
    Label,       // caption text
    Bold,        // caption text in bold
    Hidden,      // hidden label holding state
    Edit,        // FieldEdit with its focus frame eff<Name>
    Password,    // masked FieldEdit with its focus frame
    Button,      // push button with a caption
    Picture,     // drawing without command (art = drawing name)
    PictureButton, // clickable drawing
    CommandBar,  // coloured bar with icon and caption (art = icon)
    Shape,       // decorative rectangle (art = colour #rrggbb)
    Check,       // check box
    Radio,       // radio button
    List,        // list box
    TextArea,    // read-only multi-line text
};

struct Control
{
    const char *name;
    Kind kind;
    QString caption;
    int x, y, w, h;
    const char *art = nullptr; // drawing, icon or colour
    int maxLength = 0;         // edits: typing limit
};

class Controls
{
public:
    void add(const QString &name, QWidget *w) { m_map.insert(name, w); }
    QWidget *widget(const QString &name) const { return m_map.value(name); }
    template <class T>
    T *get(const QString &name) const
    {
        auto *w = qobject_cast<T *>(m_map.value(name));
        Q_ASSERT_X(w, "Form::Controls::get", qPrintable(name));
        return w;
    }

private:
    QHash<QString, QWidget *> m_map;
};

// Creates the controls in table order (which is also their tab order) on parent.
Controls build(QWidget *parent, std::initializer_list<Control> table);
void build(QWidget *parent, std::initializer_list<Control> table, Controls &into);

// The name of the focus frame of an edit: txtName -> effName.
QString frameName(const QString &editName);

} // namespace Form
