#include "platform/fonts.h"

#include "tests/support/qtapp.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <tuple>

namespace {

using namespace pomiro;
using namespace Qt::StringLiterals;

class FontsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        pomiro::testing::application();
        fonts::registerSubstitutes();
    }
};

struct StandIn
{
    QString asked;
    QString resolved;
};

void PrintTo(const StandIn &c, std::ostream *out)
{
    *out << c.asked.toStdString() << " at the IPA family " << c.resolved.toStdString();
}

class WindowsFontName : public FontsTest,
                        public ::testing::WithParamInterface<std::tuple<StandIn, double>>
{};

TEST_P(WindowsFontName, ResolvesToItsIpaFamily)
{
    const auto &[c, size] = GetParam();
    const QFont f = fonts::font(c.asked, size);
    EXPECT_EQ(QFontInfo(f).family(), c.resolved);
    EXPECT_DOUBLE_EQ(f.pointSizeF(), size);
}

// The sizes of the main window's captions, its amounts and the letters' largest lines.
INSTANTIATE_TEST_SUITE_P(
    Sizes, WindowsFontName,
    ::testing::Combine(::testing::Values(StandIn{fonts::kFixedPitch, QStringLiteral("IPAGothic")},
                                         StandIn{fonts::kProportional,
                                                 QStringLiteral("IPAPGothic")}),
                       ::testing::Values(9.0, 15.75, 28.0)),
    [](const auto &info) {
        const QString points = QString::number(std::get<1>(info.param)).replace(u'.', u'_');
        return (std::get<0>(info.param).resolved + u"At"_s + points + u"Points"_s).toStdString();
    });

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

class WindowsFamily : public FontsTest, public ::testing::WithParamInterface<QString>
{};

// "∑" is a CP932 character the IPA fonts lack: it must still be drawn, from another font.
TEST_P(WindowsFamily, DrawsCharactersTheIpaFontLacksFromAnotherFont)
{
    QTextLayout layout(QStringLiteral("あ∑"), fonts::font(GetParam(), 15.75));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList drawnWith;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        EXPECT_FALSE(run.glyphIndexes().contains(0)) << "a missing glyph";
        drawnWith << run.rawFont().familyName();
    }
    EXPECT_EQ(drawnWith.size(), 2) << drawnWith.join(u',').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Families, WindowsFamily,
                         ::testing::Values(fonts::kFixedPitch, fonts::kProportional),
                         [](const auto &info) {
                             return info.param == fonts::kFixedPitch ? "Gothic" : "PGothic";
                         });

TEST_F(FontsTest, RegisteringTwiceKeepsOneSubstitutionList)
{
    fonts::registerSubstitutes();
    const QStringList list = QFont::substitutes(fonts::kFixedPitch);
    EXPECT_EQ(list.filter(QStringLiteral("ipagothic"), Qt::CaseInsensitive).size(), 1)
        << list.join(u',').toStdString();
}

class FixedPitchGothic : public FontsTest, public ::testing::WithParamInterface<bool>
{};

// The letters lay text out in cells: a half-width character must take exactly half a full-width
// one.
TEST_P(FixedPitchGothic, GivesFullWidthTwiceHalfWidth)
{
    const bool italic = GetParam();
    const QFont f = fonts::font(fonts::kFixedPitch, 28, italic);
    EXPECT_EQ(f.italic(), italic);
    const QFontMetricsF metrics(f);
    const qreal half = metrics.horizontalAdvance(QStringLiteral("\\"));
    ASSERT_GT(half, 0);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("1")), half);
    for (const QString &full :
         {QStringLiteral("あ"), QStringLiteral("　"), QStringLiteral("１"), QStringLiteral("…")})
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(full), 2 * half) << full.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Styles, FixedPitchGothic, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Italic" : "Upright"; });

} // namespace
