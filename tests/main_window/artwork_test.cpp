// The pictures drawn at build time are the drawings themselves: each equals its SVG drawn now,
// pixel for pixel, and a pixel ratio without a picture still gets the drawing at its own size.

#include "main_window/artwork.h"
#include "main_window/artwork_sizes.h"
#include "tests/support/programfonts.h"
#include "tests/support/qtapp.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

namespace {

using namespace pomiro;

// The drawing as the program used to draw it at start-up.
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

TEST_F(Artwork, ButtonIconsAreTheirDrawings)
{
    const QStringList buttons = QDir(QStringLiteral(POMIRO_ART_DIR))
                                    .entryList({QStringLiteral("*Button.svg")}, QDir::Files, QDir::Name);
    ASSERT_EQ(buttons.size(), 11);
    for (QString name : buttons) {
        name.chop(4);
        // What the window shows at the screen's ratio (1 here) ...
        const QPixmap shown = artwork::icon(name).pixmap(artwork::kButtonIconSize);
        EXPECT_EQ(pixels(shown), drawnNow(name, artwork::kButtonIconSize, 1.0)) << name.toStdString();
        // ... and the picture kept for screens of twice the density.
        EXPECT_EQ(artwork::prerendered(name, artwork::kButtonIconSize, 2.0),
                  drawnNow(name, artwork::kButtonIconSize, 2.0))
            << name.toStdString();
    }
}

TEST_F(Artwork, WindowIconHasItsThreeSizes)
{
    const QIcon icon = artwork::windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    ASSERT_EQ(sizes.size(), int(artwork::kWindowIconSides.size()));
    for (int side : artwork::kWindowIconSides) {
        const QSize size(side, side);
        EXPECT_TRUE(sizes.contains(size)) << side;
        EXPECT_EQ(pixels(icon.pixmap(size)), drawnNow(artwork::kWindowIconName, size, 1.0)) << side;
    }
}

TEST_F(Artwork, TitlePictureIsItsDrawingAtEachRatio)
{
    const QSize size = artwork::titlePictureSize();
    EXPECT_EQ(size, QSize(253, 64));
    for (qreal ratio : artwork::kPrerenderedRatios) {
        const QPixmap title = artwork::titlePicture(size, ratio);
        EXPECT_EQ(title.devicePixelRatio(), ratio);
        EXPECT_EQ(pixels(title), drawnNow(artwork::kTitleName, size, ratio)) << ratio;
    }
}

TEST_F(Artwork, OtherRatiosAreDrawnAtTheirOwnSize)
{
    struct Case
    {
        QSize size;
        qreal ratio;
        QSize pixels;
    };
    const Case cases[] = {
        {artwork::titlePictureSize(), 1.5, QSize(380, 96)},
        {artwork::titlePictureSize(), 1.25, QSize(316, 80)},
        {QSize(253, 70), 1.0, QSize(253, 70)}, // a size without a picture
    };
    for (const Case &c : cases) {
        const QPixmap title = artwork::titlePicture(c.size, c.ratio);
        EXPECT_EQ(title.size(), c.pixels) << c.ratio;
        EXPECT_EQ(title.devicePixelRatio(), c.ratio);
        // Drawn, not blank: the frame's corner is transparent and its middle is not.
        const QImage image = title.toImage();
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << c.ratio;
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255) << c.ratio;
    }
}

} // namespace
