// The letters as they come out of the real Qt PDF writer, read back from the PDF.
#include "letterlayout.h"
#include "letters/letterpainter.h"
#include "platform/fonts.h"
#include "tests/support/fsfaults.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

using namespace pomiro;
using namespace Qt::StringLiterals;

namespace {

void ensureApplication()
{
    pomiro::testing::application();
    static const bool substituted = (fonts::registerSubstitutes(), true);
    (void)substituted;
}

const PeriodTexts kAmounts = {
    u"\\500"_s,  u"\\3,500"_s,   u"\\15,000"_s,    u"\\91,250"_s,         u"\\"_s,
    u"５００"_s, u"\\912,500"_s, u"\\1,825,000"_s, u"\\12,345,678,901"_s, u"\\5,475,000"_s};

} // namespace

TEST(LetterPaper, GothicSubstituteIsFixedPitchTwoToOne)
{
    ensureApplication();
    const QFont font = fonts::font(fonts::kFixedPitch, 28);
    EXPECT_EQ(QFontInfo(font).family(), u"IPAGothic"_s);
    QBuffer pdf;
    QPdfWriter page(&pdf);
    page.setResolution(1200); // the letters' resolution
    const QFontMetricsF metrics(font, &page);
    const double half = metrics.horizontalAdvance(u'a');
    for (QChar c : u" \\,0"_s)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), half) << int(c.unicode());
    for (QChar c : u"　１あ年…ヶ"_s)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), 2 * half) << int(c.unicode());
}

class LetterOnPaper : public ::testing::TestWithParam<size_t>
{};

TEST_P(LetterOnPaper, ReadsBackAlignedOnOnePage)
{
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const letters::LetterKind &kind = letters::kLetterKinds[GetParam()];
    const QString pdf = dir.filePath(QString::fromLatin1(kind.buttonName) + u".pdf"_s);
    QFile file(pdf);
    const auto paper =
        letters::writeLetterPdf(file, QPageSize(), kind, u"禁煙"_s, kAmounts, QDate(2009, 1, 5));
    ASSERT_TRUE(paper.has_value());
    EXPECT_EQ(paper->id(), QPageSize::A4);
    file.close();

    pomiro::testing::expectLetterLayout(pdf, kind, u"禁煙"_s, kAmounts, u"2009年01月05日"_s);
}

// Each letter by its button: declarationButton, requestButton, pleaButton.
INSTANTIATE_TEST_SUITE_P(Letters, LetterOnPaper,
                         ::testing::Range(size_t{0}, letters::kLetterKinds.size()),
                         [](const auto &info) {
                             return std::string(letters::kLetterKinds[info.param].buttonName);
                         });

TEST(LetterPaper, UnwritablePageIsAFailure)
{
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile unwritable(dir.filePath(u"no/such/folder/letter.pdf"_s));
    EXPECT_FALSE(letters::writeLetterPdf(unwritable, QPageSize(), letters::kLetterKinds[0],
                                         u"禁煙"_s, kAmounts, QDate(2009, 1, 5)));
}

// The page written onto a full disk: the writer itself doesn't notice, the file does.
TEST(LetterPaper, APageCutShortByAFullDiskIsAFailure)
{
    POMIRO_REQUIRE_MOUNTS("letter page on a full disk");
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const pomiro::testing::TmpfsMount mount(dir.path(), 64);
    ASSERT_TRUE(mount.error().isEmpty()) << mount.error().toStdString();
    ASSERT_TRUE(mount.fill(dir.filePath(u"filler"_s)));
    QFile page(dir.filePath(u"letter.pdf"_s));
    EXPECT_FALSE(letters::writeLetterPdf(page, QPageSize(), letters::kLetterKinds[0], u"禁煙"_s,
                                         kAmounts, QDate(2009, 1, 5)));
}
