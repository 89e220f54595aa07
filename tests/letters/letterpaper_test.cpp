// The letters as they come out of the real Qt printer path, read back from the PDF.
#include "letters/letterpainter.h"
#include "platform/fonts.h"
#include "letterlayout.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pomiro;
using namespace Qt::StringLiterals;

namespace {

void ensureApplication()
{
    pomiro::testing::application();
    static const bool substituted = (fonts::registerSubstitutes(), true);
    (void)substituted;
}

const PeriodTexts kAmounts = {u"\\500"_s,     u"\\3,500"_s,   u"\\15,000"_s,
                              u"\\91,250"_s,  u"\\"_s,        u"５００"_s,
                              u"\\912,500"_s, u"\\1,825,000"_s, u"\\12,345,678,901"_s,
                              u"\\5,475,000"_s};

} // namespace

TEST(LetterPaper, GothicSubstituteIsFixedPitchTwoToOne)
{
    ensureApplication();
    const QFont font = fonts::font(fonts::kGothic, 28);
    EXPECT_EQ(QFontInfo(font).family(), u"IPAGothic"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QFontMetricsF metrics(font, &printer);
    const double half = metrics.horizontalAdvance(u'a');
    for (QChar c : u" \\,0"_s)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), half) << int(c.unicode());
    for (QChar c : u"　１あ年…ヶ"_s)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), 2 * half) << int(c.unicode());
}

TEST(LetterPaper, EachLetterReadsBackAlignedOnOnePage)
{
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    for (size_t k = 0; k < letters::kLetterKinds.size(); ++k) {
        const letters::LetterKind &kind = letters::kLetterKinds[k];
        SCOPED_TRACE(kind.buttonName);
        const QString pdf = dir.filePath(QString::fromLatin1(kind.buttonName) + u".pdf"_s);
        auto printer = letters::letterPdf(pdf, QPageSize());
        ASSERT_TRUE(letters::paintLetter(*printer, kind, u"禁煙"_s, kAmounts, QDate(2009, 1, 5)));

        pomiro::testing::expectLetterLayout(pdf, kind, u"禁煙"_s, kAmounts, u"2009年01月05日"_s);
    }
}

TEST(LetterPaper, UnwritablePageIsAFailure)
{
    ensureApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto nowhere = letters::letterPdf(dir.filePath(u"no/such/folder/letter.pdf"_s), QPageSize());
    EXPECT_FALSE(letters::paintLetter(*nowhere, letters::kLetterKinds[0], u"禁煙"_s, kAmounts,
                                      QDate(2009, 1, 5)));
}
