#include "platform/stylepictures.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPixmapCache>
#include <QStyleFactory>

#include <gtest/gtest.h>

namespace {

// Whether any image-format plug-in is loaded into this process.
bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

QImage drawnGroupBox()
{
    QGroupBox box(QStringLiteral("　『ぽみろ』の達成 "));
    box.resize(300, 120);
    return box.grab().toImage();
}

// One process, in this order: the plug-ins must not have been loaded by anything before.
TEST(StylePictures, TheGroupBoxFrameIsDrawnWithoutImagePluginsAndUnchanged)
{
    pomiro::testing::application();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_FALSE(imagePluginLoaded()) << "an earlier step loaded the plug-ins; the test can't tell";

    pomiro::cacheStylePictures();
    const QImage cached = drawnGroupBox();
    EXPECT_FALSE(imagePluginLoaded())
        << "the style read its picture itself: Qt's cache key has changed";

    // The style reading the picture itself draws the same frame (and loads the plug-ins, which
    // shows that the check above can see them).
    QPixmapCache::clear();
    const QImage uncached = drawnGroupBox();
    EXPECT_TRUE(imagePluginLoaded());
    EXPECT_EQ(cached, uncached);
}

} // namespace
