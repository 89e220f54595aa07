#include "main_window/artwork.h"

#include "main_window/artwork_sizes.h"

#include <QDebug>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <algorithm>

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

// The drawing `name` at `size` for `devicePixelRatio`. The usual ratios come as pictures drawn at
// build time, which spares the start-up parsing and drawing SVG; any other ratio is drawn here from
// the SVG by Qt's SVG image plug-in, just as sharp.
QPixmap picture(const QString &name, QSize size, qreal devicePixelRatio)
{
    registerArt();
    const QSize pixels = size * devicePixelRatio;
    QImage image = prerendered(name, size, devicePixelRatio);
    if (image.isNull()) {
        QImageReader reader(QStringLiteral(":/art/%1.svg").arg(name));
        reader.setScaledSize(pixels);
        image = reader.read();
        // Without Qt's SVG image plug-in the button or the title would stay blank without a word.
        if (image.isNull())
            qWarning().noquote().nospace()
                << "The picture \"" << name << "\" could not be drawn at pixel ratio "
                << devicePixelRatio << " (" << reader.errorString()
                << "): is Qt's SVG image plug-in installed (qt6-svg-plugins, or libqt6svg6 before"
                   " Debian 13)?";
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace

QImage prerendered(const QString &name, QSize size, qreal devicePixelRatio)
{
    if (std::find(kPrerenderedRatios.begin(), kPrerenderedRatios.end(), devicePixelRatio) ==
        kPrerenderedRatios.end())
        return {};
    registerArt();
    // Named as PNG, QImageReader reads the picture with its own PNG reader instead of first asking
    // every image-format plug-in whether it can.
    QImageReader reader(QStringLiteral(":/art/") + pictureFileName(name, size, devicePixelRatio),
                        "png");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.size() != size * devicePixelRatio)
        return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QIcon icon(const QString &buttonName)
{
    // Drawn once, for the screen's pixel ratio.
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return QIcon(picture(buttonName, kButtonIconSize, ratio));
}

QIcon windowIcon()
{
    static const QIcon result = [] {
        QIcon sizes;
        for (int side : kWindowIconSides)
            sizes.addPixmap(picture(kWindowIconName, QSize(side, side), 1.0));
        return sizes;
    }();
    return result;
}

QPixmap titlePicture(QSize size, qreal devicePixelRatio)
{
    return picture(kTitleName, size, devicePixelRatio);
}

} // namespace pomiro::artwork
