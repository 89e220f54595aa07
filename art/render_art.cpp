// Draws our SVG artwork into the pictures that the program carries, at build time, so that
// starting the program parses no SVG and loads no SVG renderer. A picture is its premultiplied
// ARGB32 pixels, row after row, as the program's pixmaps hold them: nothing to decode at start. Drawn exactly as the program drew
// them itself: into a transparent pixmap of the pixel size, with the program's fonts.
//   pomiro_render_art ART_FOLDER OUT_FOLDER
#include "main_window/artwork_sizes.h"
#include "platform/fonts.h"

#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>

namespace {

bool draw(const QDir &art, const QDir &out, const QString &name, QSize size, qreal ratio, const QString &fileName)
{
    QSvgRenderer renderer(art.filePath(name + QStringLiteral(".svg")));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s.svg\n", qPrintable(name));
        return false;
    }
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QFile file(out.filePath(fileName));
    const auto bytes = reinterpret_cast<const char *>(image.constBits());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes, image.sizeInBytes()) != image.sizeInBytes()
        || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(fileName)));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Draws without a display, as the builder has none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ART_FOLDER OUT_FOLDER\n", argv[0]);
        return 2;
    }
    // The same fonts as the program has when it draws.
    pomiro::fonts::registerSubstitutes();
    QGuiApplication::setFont(pomiro::fonts::font(pomiro::fonts::kPGothic, 9));

    using namespace pomiro::artwork;
    const QDir art(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    bool ok = true;
    // Every drawing but the window icon and the title is a button's icon.
    const QStringList drawings = art.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (QString name : drawings) {
        name.chop(4);
        if (name == kWindowIconName || name == kTitleName)
            continue;
        for (qreal ratio : kPrerenderedRatios)
            ok = draw(art, out, name, kButtonIconSize, ratio, pictureFileName(name, kButtonIconSize, ratio)) && ok;
    }
    for (int side : kWindowIconSides) {
        const QSize size(side, side);
        ok = draw(art, out, kWindowIconName, size, 1.0, pictureFileName(kWindowIconName, size, 1.0)) && ok;
    }
    for (qreal ratio : kPrerenderedRatios)
        ok = draw(art, out, kTitleName, titlePictureSize(), ratio, pictureFileName(kTitleName, titlePictureSize(), ratio)) && ok;
    if (!ok)
        return 1;

    // The pictures, and the drawings for the pixel ratios drawn at run time.
    QFile qrc(out.filePath(QStringLiteral("art.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(qrc.fileName()));
        return 1;
    }
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/art\">\n";
    for (const QString &picture : out.entryList({QStringLiteral("*.argb32")}, QDir::Files, QDir::Name))
        list << "    <file>" << picture << "</file>\n";
    for (const QString &svg : drawings)
        list << "    <file alias=\"" << svg << "\">" << art.absoluteFilePath(svg) << "</file>\n";
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    return qrc.error() == QFile::NoError ? 0 : 1;
}
