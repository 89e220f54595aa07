#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

// Our own drawings (art/*.svg), compiled into the program as pictures drawn at build time.
namespace pomiro::artwork {

// The 32 x 32 icon drawn for the button with this object name ("saveButton", "declarationButton",
// ...).
QIcon icon(const QString &buttonName);

QIcon windowIcon();

// The title picture with the program's name, rendered sharp for the screen's pixel ratio.
QPixmap titlePicture(QSize size, qreal devicePixelRatio);

// The picture of drawing `name` drawn at build time for this size and pixel ratio; null if there is
// none.
QImage prerendered(const QString &name, QSize size, qreal devicePixelRatio);

} // namespace pomiro::artwork
