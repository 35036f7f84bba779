#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The program's drawings, compiled in under :/art/. A name without a suffix
// means the SVG of that name.
namespace Art {

QString path(const QString &name);
bool exists(const QString &name);
// Renders the drawing at the given size; a drawing that is missing gives a
// painted stand-in in the program's colours, never an empty picture.
QPixmap pixmap(const QString &name, const QSize &size);
// The card photo placeholder, at its natural size of 366 x 274.
QImage photoPlaceholder();

} // namespace Art
