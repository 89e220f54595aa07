#include "platform/fonts.h"
#include "tests/support/qtapp.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

using namespace pomiro;

class FontsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        pomiro::testing::application();
        fonts::registerSubstitutes();
    }
};

TEST_F(FontsTest, WindowsNamesResolveToTheIpaFamilies)
{
    struct Case
    {
        QString asked;
        QString resolved;
    };
    const Case cases[] = {
        {fonts::kGothic, QStringLiteral("IPAGothic")},
        {fonts::kPGothic, QStringLiteral("IPAPGothic")},
    };
    for (const Case &c : cases) {
        for (double size : {9.0, 15.75, 28.0}) {
            const QFont f = fonts::font(c.asked, size);
            EXPECT_EQ(QFontInfo(f).family(), c.resolved) << c.asked.toStdString() << " at " << size;
            EXPECT_DOUBLE_EQ(f.pointSizeF(), size);
        }
    }
}

// Fonts are named by the first stand-in that is installed; with none installed, by the name asked.
TEST_F(FontsTest, TheFirstInstalledStandInNamesTheFont)
{
    const QString asked = QStringLiteral("テスト書体");
    QFont::insertSubstitutions(asked, {QStringLiteral("No Such Font"), QStringLiteral("IPAGothic"),
                                       QStringLiteral("IPAPGothic")});
    EXPECT_EQ(
        fonts::font(asked, 9).family().compare(QStringLiteral("IPAGothic"), Qt::CaseInsensitive), 0)
        << fonts::font(asked, 9).family().toStdString();
    QFont::removeSubstitutions(asked);
    QFont::insertSubstitutions(asked, {QStringLiteral("No Such Font")});
    EXPECT_EQ(fonts::font(asked, 9).family(), asked);
    QFont::removeSubstitutions(asked);
}

// "∑" is a CP932 character the IPA fonts lack: it must still be drawn, from another font.
TEST_F(FontsTest, CharactersTheIpaFontsLackComeFromAnotherFont)
{
    for (const QString &family : {fonts::kGothic, fonts::kPGothic}) {
        QTextLayout layout(QStringLiteral("あ∑"), fonts::font(family, 15.75));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QStringList drawnWith;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            EXPECT_FALSE(run.glyphIndexes().contains(0))
                << "a missing glyph in " << family.toStdString();
            drawnWith << run.rawFont().familyName();
        }
        EXPECT_EQ(drawnWith.size(), 2) << drawnWith.join(u',').toStdString();
    }
}

TEST_F(FontsTest, RegisteringTwiceKeepsOneSubstitutionList)
{
    fonts::registerSubstitutes();
    const QStringList list = QFont::substitutes(fonts::kGothic);
    EXPECT_EQ(list.filter(QStringLiteral("ipagothic"), Qt::CaseInsensitive).size(), 1) << list.join(u',').toStdString();
}

// The letters lay text out in cells: a half-width character must take exactly half a full-width one.
TEST_F(FontsTest, FixedPitchGothicGivesFullWidthTwiceHalfWidth)
{
    for (bool italic : {false, true}) {
        const QFont f = fonts::font(fonts::kGothic, 28, italic);
        EXPECT_EQ(f.italic(), italic);
        const QFontMetricsF metrics(f);
        const qreal half = metrics.horizontalAdvance(QStringLiteral("\\"));
        ASSERT_GT(half, 0);
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("1")), half);
        for (const QString &full : {QStringLiteral("あ"), QStringLiteral("　"), QStringLiteral("１"), QStringLiteral("…")})
            EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(full), 2 * half) << full.toStdString();
    }
}

} // namespace
