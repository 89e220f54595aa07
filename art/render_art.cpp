// Draws our SVG artwork into the PNG pictures that the program carries, at build time, so that
// starting the program parses no SVG. Each is drawn into a transparent pixmap of its pixel size,
// with the program's fonts. The pictures must not depend on the machine that builds: a drawing
// whose text would be drawn in any font but the one it names (that font missing, or lacking one of
// the characters) stops the build. Every file the resource list names is given the same time,
// EPOCH (seconds since 1970), as the resource compiler keeps each file's time in the program.
//   pomiro_render_art ART_FOLDER OUT_FOLDER EPOCH
#include "main_window/artwork_sizes.h"
#include "platform/fonts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QRawFont>
#include <QSvgRenderer>
#include <QTextStream>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <cstdio>

namespace {

// One <text> of a drawing: the font family it asks for (its own or inherited) and what it says.
struct DrawingText
{
    QString family;
    bool bold = false;
    QString text;
};

QList<DrawingText> textsOf(const QString &svgPath, bool *ok)
{
    QList<DrawingText> texts;
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *ok = false;
        return texts;
    }
    QXmlStreamReader xml(&file);
    // The font of each open element, as SVG inherits it; the outermost is the application's font,
    // which QSvgRenderer draws with when a drawing names none.
    QList<DrawingText> fonts{{QGuiApplication::font().family(), false, {}}};
    int inText = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            DrawingText font = fonts.last();
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.hasAttribute(QStringLiteral("font-family")))
                font.family = attributes.value(QStringLiteral("font-family"))
                                  .toString()
                                  .remove(u'\'')
                                  .trimmed();
            if (attributes.hasAttribute(QStringLiteral("font-weight")))
                font.bold =
                    attributes.value(QStringLiteral("font-weight")) != QStringLiteral("normal");
            fonts.append(font);
            if (xml.name() == QStringLiteral("text")) {
                if (inText++ == 0)
                    texts.append(font);
            }
        } else if (xml.isEndElement()) {
            fonts.removeLast();
            if (xml.name() == QStringLiteral("text"))
                --inText;
        } else if (xml.isCharacters() && inText > 0) {
            texts.last().text += xml.text();
        }
    }
    *ok = !xml.hasError();
    if (!*ok)
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(svgPath),
                     qPrintable(xml.errorString()));
    return texts;
}

// Whether every text of the drawing is drawn in the font it names (for the Windows names, in their
// first stand-in, the IPA font): the font Qt really picks, asked as QSvgRenderer asks, must be that
// family, and hold every character, so that no glyph comes from a fallback font.
bool fontsAreTheExpected(const QDir &art, const QString &name)
{
    bool ok = true;
    const QList<DrawingText> texts = textsOf(art.filePath(name + QStringLiteral(".svg")), &ok);
    for (const DrawingText &text : texts) {
        const QString expected = QFont::substitutes(text.family).value(0, text.family);
        QFont font(text.family);
        font.setBold(text.bold);
        const QRawFont raw = QRawFont::fromFont(font);
        const QString used = raw.isValid() ? raw.familyName() : QFontInfo(font).family();
        QString missing;
        for (const char32_t c : text.text.simplified().remove(u' ').toUcs4()) {
            if (!raw.supportsCharacter(c))
                missing += QString::fromUcs4(&c, 1);
        }
        if (used.compare(expected, Qt::CaseInsensitive) != 0) {
            std::fprintf(stderr,
                         "%s.svg: the text \"%s\" asks for the font \"%s\", which this machine "
                         "does not have: it would be drawn in \"%s\", and the picture would depend "
                         "on the machine that builds. Install the font (the IPA fonts: apt-get "
                         "install fonts-ipafont-gothic).\n",
                         qPrintable(name), qPrintable(text.text.simplified()), qPrintable(expected),
                         qPrintable(used));
            ok = false;
        } else if (!missing.isEmpty()) {
            std::fprintf(
                stderr,
                "%s.svg: the font \"%s\" lacks \"%s\" of the text \"%s\": another font "
                "would draw it, and the picture would depend on the machine that builds.\n",
                qPrintable(name), qPrintable(used), qPrintable(missing),
                qPrintable(text.text.simplified()));
            ok = false;
        }
    }
    return ok;
}

bool draw(const QDir &art, const QDir &out, const QString &name, QSize size, qreal ratio,
          const QString &fileName)
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
    bool epochOk = false;
    const qint64 epoch = argc == 4 ? QByteArray(argv[3]).toLongLong(&epochOk) : 0;
    if (!epochOk) {
        std::fprintf(stderr, "usage: %s ART_FOLDER OUT_FOLDER EPOCH\n", argv[0]);
        return 2;
    }
    // The same fonts as the program has when it draws.
    pomiro::fonts::registerSubstitutes();
    QGuiApplication::setFont(pomiro::fonts::font(pomiro::fonts::kProportional, 9));

    using namespace pomiro::artwork;
    const QDir art(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    bool ok = true;
    const QStringList drawings = art.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &svg : drawings)
        ok = fontsAreTheExpected(art, QFileInfo(svg).completeBaseName()) && ok;
    if (!ok)
        return 1;
    // Every drawing but the window icon and the title is a button's icon.
    for (QString name : drawings) {
        name.chop(4);
        if (name == kWindowIconName || name == kTitleName)
            continue;
        for (qreal ratio : kPrerenderedRatios)
            ok = draw(art, out, name, kButtonIconSize, ratio,
                      pictureFileName(name, kButtonIconSize, ratio)) &&
                 ok;
    }
    for (int side : kWindowIconSides) {
        const QSize size(side, side);
        ok = draw(art, out, kWindowIconName, size, 1.0,
                  pictureFileName(kWindowIconName, size, 1.0)) &&
             ok;
    }
    for (qreal ratio : kPrerenderedRatios)
        ok = draw(art, out, kTitleName, titlePictureSize(), ratio,
                  pictureFileName(kTitleName, titlePictureSize(), ratio)) &&
             ok;
    if (!ok)
        return 1;

    // The pictures, and the drawings for the pixel ratios drawn at run time, copied beside them so
    // that every file the resources hold carries the time given.
    for (const QString &svg : drawings) {
        if (!QFile::copy(art.filePath(svg), out.filePath(svg))) {
            std::fprintf(stderr, "cannot copy %s into %s\n", qPrintable(svg),
                         qPrintable(out.path()));
            return 1;
        }
    }
    const QDateTime time = QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc());
    const QStringList files =
        out.entryList({QStringLiteral("*.png"), QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        QFile picture(out.filePath(file));
        if (!picture.open(QIODevice::ReadWrite) ||
            !picture.setFileTime(time, QFileDevice::FileModificationTime)) {
            std::fprintf(stderr, "cannot set the time of %s\n", qPrintable(picture.fileName()));
            return 1;
        }
    }
    return writeResourceList(out.filePath(QStringLiteral("art.qrc")), files) ? 0 : 1;
}
