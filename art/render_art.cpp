// Draws our SVG artwork into the PNG pictures that the program carries, at build time, so that
// starting the program parses no SVG. Each is drawn into a transparent pixmap of its pixel size,
// with the program's fonts.
//   pomiro_render_art ART_FOLDER OUT_FOLDER
#include "main_window/artwork_sizes.h"
#include "platform/fonts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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
    if (!pixmap.toImage().save(out.filePath(fileName), "png")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(fileName)));
        return false;
    }
    return true;
}

// A resource list of `files` under ":/art/", each by its own name.
bool writeResourceList(const QString &path, const QStringList &files)
{
    QFile qrc(path);
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/art\">\n";
    for (const QString &file : files)
        list << "    <file alias=\"" << QFileInfo(file).fileName() << "\">" << file << "</file>\n";
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    return qrc.error() == QFile::NoError;
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
    QStringList files = out.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString &svg : drawings)
        files << art.absoluteFilePath(svg);
    return writeResourceList(out.filePath(QStringLiteral("art.qrc")), files) ? 0 : 1;
}
