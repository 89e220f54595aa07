#include "main_window/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library are registered by hand; the macro must stand outside namespaces.
static void registerArt()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(art);
        return true;
    }();
    Q_UNUSED(done);
}

namespace pomiro::artwork {

namespace {

QPixmap render(const QString &path, QSize size, qreal devicePixelRatio)
{
    registerArt();
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

// Sharp at the usual scales without asking for a plugin to draw SVG on demand.
QIcon iconFrom(const QString &path, int size)
{
    QIcon result;
    for (qreal ratio : {1.0, 2.0})
        result.addPixmap(render(path, QSize(size, size), ratio));
    return result;
}

} // namespace

QIcon icon(const QString &buttonName)
{
    return iconFrom(QStringLiteral(":/art/%1.svg").arg(buttonName), 32);
}

QIcon windowIcon()
{
    QIcon result;
    for (int size : {16, 32, 48, 64, 128})
        result.addPixmap(render(QStringLiteral(":/art/pomiro.svg"), QSize(size, size), 1.0));
    return result;
}

QPixmap titlePicture(QSize size, qreal devicePixelRatio)
{
    return render(QStringLiteral(":/art/title.svg"), size, devicePixelRatio);
}

} // namespace pomiro::artwork
