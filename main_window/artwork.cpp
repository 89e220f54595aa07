#include "main_window/artwork.h"

#include <QGuiApplication>
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

// Drawn once, for the screen's pixel ratio: start-up time goes into every render.
QIcon iconFrom(const QString &path, int size)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return QIcon(render(path, QSize(size, size), ratio));
}

} // namespace

QIcon icon(const QString &buttonName)
{
    return iconFrom(QStringLiteral(":/art/%1.svg").arg(buttonName), 32);
}

QIcon windowIcon()
{
    static const QIcon result = [] {
        QIcon sizes;
        for (int size : {16, 32, 64})
            sizes.addPixmap(render(QStringLiteral(":/art/pomiro.svg"), QSize(size, size), 1.0));
        return sizes;
    }();
    return result;
}

QPixmap titlePicture(QSize size, qreal devicePixelRatio)
{
    return render(QStringLiteral(":/art/title.svg"), size, devicePixelRatio);
}

} // namespace pomiro::artwork
