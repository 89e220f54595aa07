// The pictures drawn at build time are the drawings themselves: each equals its SVG drawn now,
// pixel for pixel, and a pixel ratio without a picture still gets the drawing at its own size.
// Reading the pictures asks no image-format plug-in.

#include "main_window/artwork.h"

#include "main_window/artwork_sizes.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace pomiro;

// The drawing drawn from its SVG here, into a transparent pixmap of its pixel size.
QImage drawnNow(const QString &name, QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(POMIRO_ART_DIR "/%1.svg").arg(name));
    EXPECT_TRUE(renderer.isValid()) << name.toStdString();
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Whether any image-format plug-in is loaded into this process.
bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

class Artwork : public ::testing::Test
{
protected:
    void SetUp() override
    {
        pomiro::testing::application();
        // The program's fonts, as when the pictures are drawn.
        pomiro::testing::useProgramFonts();
    }
};

QStringList buttonDrawings()
{
    QStringList names = QDir(QStringLiteral(POMIRO_ART_DIR))
                            .entryList({QStringLiteral("*Button.svg")}, QDir::Files, QDir::Name);
    for (QString &name : names)
        name.chop(4);
    return names;
}

TEST_F(Artwork, EveryButtonHasADrawing)
{
    EXPECT_EQ(buttonDrawings().size(), 11);
}

class ButtonIcon : public Artwork, public ::testing::WithParamInterface<QString>
{};

TEST_P(ButtonIcon, IsItsDrawing)
{
    const QString name = GetParam();
    // What the window shows at the screen's ratio (1 here) ...
    const QPixmap shown = artwork::icon(name).pixmap(artwork::kButtonIconSize);
    EXPECT_EQ(pixels(shown), drawnNow(name, artwork::kButtonIconSize, 1.0));
    // ... and the picture kept for screens of twice the density.
    EXPECT_EQ(artwork::prerendered(name, artwork::kButtonIconSize, 2.0),
              drawnNow(name, artwork::kButtonIconSize, 2.0));
}

INSTANTIATE_TEST_SUITE_P(Drawings, ButtonIcon, ::testing::ValuesIn(buttonDrawings()),
                         [](const auto &info) { return info.param.toStdString(); });

TEST_F(Artwork, WindowIconHasItsThreeSizes)
{
    const QList<QSize> sizes = artwork::windowIcon().availableSizes();
    ASSERT_EQ(sizes.size(), int(artwork::kWindowIconSides.size()));
    for (int side : artwork::kWindowIconSides)
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

class WindowIconSize : public Artwork, public ::testing::WithParamInterface<int>
{};

TEST_P(WindowIconSize, IsItsDrawing)
{
    const QSize size(GetParam(), GetParam());
    EXPECT_EQ(pixels(artwork::windowIcon().pixmap(size)),
              drawnNow(artwork::kWindowIconName, size, 1.0));
}

INSTANTIATE_TEST_SUITE_P(Sides, WindowIconSize, ::testing::ValuesIn(artwork::kWindowIconSides),
                         [](const auto &info) { return std::to_string(info.param) + "px"; });

TEST_F(Artwork, TitlePictureHasItsSize)
{
    EXPECT_EQ(artwork::titlePictureSize(), QSize(253, 64));
}

class TitlePicture : public Artwork, public ::testing::WithParamInterface<qreal>
{};

TEST_P(TitlePicture, IsItsDrawingAtThatRatio)
{
    const qreal ratio = GetParam();
    const QSize size = artwork::titlePictureSize();
    const QPixmap title = artwork::titlePicture(size, ratio);
    EXPECT_EQ(title.devicePixelRatio(), ratio);
    EXPECT_EQ(pixels(title), drawnNow(artwork::kTitleName, size, ratio));
}

std::string ratioName(qreal ratio)
{
    return "Ratio" + std::to_string(qRound(ratio * 100)) + "Percent";
}

INSTANTIATE_TEST_SUITE_P(Prerendered, TitlePicture,
                         ::testing::ValuesIn(artwork::kPrerenderedRatios),
                         [](const auto &info) { return ratioName(info.param); });

struct Ratio
{
    QSize size;
    qreal ratio;
    QSize pixels;
};

void PrintTo(const Ratio &c, std::ostream *out)
{
    *out << c.size.width() << "x" << c.size.height() << " at " << c.ratio;
}

std::vector<Ratio> otherRatios()
{
    return {
        {artwork::titlePictureSize(), 1.5, QSize(380, 96)},
        {artwork::titlePictureSize(), 1.25, QSize(316, 80)},
        {QSize(253, 70), 1.0, QSize(253, 70)}, // a size without a picture
    };
}

class TitlePictureElsewhere : public Artwork, public ::testing::WithParamInterface<Ratio>
{};

TEST_P(TitlePictureElsewhere, IsDrawnAtItsOwnSize)
{
    const Ratio &c = GetParam();
    const QPixmap title = artwork::titlePicture(c.size, c.ratio);
    EXPECT_EQ(title.size(), c.pixels);
    EXPECT_EQ(title.devicePixelRatio(), c.ratio);
    // Drawn, not blank: the frame's corner is transparent and its middle is not.
    const QImage image = title.toImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
}

INSTANTIATE_TEST_SUITE_P(OtherRatios, TitlePictureElsewhere, ::testing::ValuesIn(otherRatios()),
                         [](const auto &info) {
                             return ratioName(info.param.ratio) + "Height" +
                                    std::to_string(info.param.size.height());
                         });

// Without Qt's SVG image plug-in a drawing at a ratio without a picture comes out empty: the
// program says so on stderr instead of showing a blank title or toolbar. The child process finds
// its plug-ins in an empty folder only.
TEST_F(Artwork, AMissingImagePluginIsReported)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const QTemporaryDir noPlugins;
            QCoreApplication::setLibraryPaths({noPlugins.path()});
            const bool blank = artwork::titlePicture(artwork::titlePictureSize(), 1.5).isNull();
            std::exit(blank ? 0 : 1);
        },
        ::testing::ExitedWithCode(0),
        "The picture \"title\" could not be drawn at pixel ratio 1.5 .*SVG image plug-in");
}

// Named as PNG, the pictures are read by Qt's own PNG reader, without first asking every
// image-format plug-in (and so loading it) whether it can read them. Checked in a process of its
// own, which nothing else has made load a plug-in; the drawing at a ratio without a picture, which
// takes the SVG plug-in, shows that the check sees them.
TEST_F(Artwork, PicturesAreReadWithoutImagePlugins)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            artwork::windowIcon();
            for (qreal ratio : artwork::kPrerenderedRatios) {
                artwork::titlePicture(artwork::titlePictureSize(), ratio);
                artwork::prerendered(QStringLiteral("saveButton"), artwork::kButtonIconSize, ratio);
            }
            if (imagePluginLoaded()) {
                std::fputs("reading the pictures loaded an image-format plug-in\n", stderr);
                std::_Exit(1);
            }
            artwork::titlePicture(artwork::titlePictureSize(), 1.5);
            if (!imagePluginLoaded()) {
                std::fputs("the SVG drawing loaded no plug-in that the check could see\n", stderr);
                std::_Exit(2);
            }
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
