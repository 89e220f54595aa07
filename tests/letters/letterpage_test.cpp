// The letters as data: every line's text, font and place, before anything is painted.
#include "letters/letterpage.h"

#include "core/cellwidth.h"
#include "platform/fonts.h"
#include "tests/support/cases.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

using namespace pomiro;
using namespace pomiro::letters;
using namespace Qt::StringLiterals;
using pomiro::testing::caseName;
using pomiro::testing::Described;
using pomiro::testing::whatName;

namespace {

using pomiro::testing::k500ADay;

QString sp(int count)
{
    return QString(count, u' ');
}

// Unlike any real font, so that a line placed by the wrong font's height shows.
double lineHeight(const QString &, double points)
{
    return points * 1.5 + 1;
}

QList<PageLine> layOut(const LetterKind &kind, const QString &name, const PeriodTexts &amounts,
                       QDate date = QDate(2009, 1, 5))
{
    return layOutLetter(kind, name, amounts, date, &lineHeight);
}

struct Text
{
    QString text;
    double points;
};

QList<Text> blanks(int count, double points)
{
    return QList<Text>(count, {u" "_s, points});
}

QList<Text> expectedLines(const QString &title, const QList<Text> &closing)
{
    QList<Text> lines = blanks(3, 10);
    lines += {{title, 78}, {u" "_s, 78}, {u"　ぽみろ…禁煙"_s, 16}};
    lines += blanks(2, 16);
    lines += {
        {u"     １日で…　"_s + sp(11) + u"\\500"_s, 28},
        {u"     １週間で…"_s + sp(9) + u"\\3,500"_s, 28},
        {u"     １ヶ月で…"_s + sp(8) + u"\\15,000"_s, 28},
        {u"     半年で…　"_s + sp(8) + u"\\91,250"_s, 28},
        {u" 　    １年で…"_s + sp(7) + u"\\182,500"_s, 28},
        {u" 　    ３年で…"_s + sp(7) + u"\\547,500"_s, 28},
        {u" 　    ５年で…"_s + sp(7) + u"\\912,500"_s, 28},
        {u"     １０年で…"_s + sp(5) + u"\\1,825,000"_s, 28},
        {u"     ２０年で…"_s + sp(5) + u"\\3,650,000"_s, 28},
        {u"     ３０年で…"_s + sp(5) + u"\\5,475,000"_s, 28},
    };
    lines += blanks(2, 28);
    lines += closing;
    lines += {{u"　"_s + sp(29) + u"2009年01月05日"_s, 22}};
    return lines;
}

struct Kind
{
    int kind;
    QList<Text> lines;
};

void PrintTo(const Kind &c, std::ostream *out)
{
    *out << kLetterKinds[static_cast<size_t>(c.kind)].buttonName;
}

class LetterKindPage : public ::testing::TestWithParam<Kind>
{};

TEST_P(LetterKindPage, IsItsLinesOneUnderTheOther)
{
    const Kind &c = GetParam();
    const QList<PageLine> lines =
        layOut(kLetterKinds[static_cast<size_t>(c.kind)], u"禁煙"_s, k500ADay);
    ASSERT_EQ(lines.size(), c.lines.size());
    // 500 twips right of and 200 twips below the printable area's corner; each line starts
    // where the one above, in its own font, ends.
    double top = 10;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].text, c.lines[i].text);
        EXPECT_EQ(lines[i].points, c.lines[i].points);
        EXPECT_EQ(lines[i].fontFamily, fonts::kFixedPitch);
        EXPECT_EQ(lines[i].topLeft, QPointF(25, top));
        top += lineHeight({}, c.lines[i].points);
    }
}

std::vector<Kind> kinds()
{
    return {
        {0, expectedLines(u"　　宣言書"_s,
                          QList<Text>{{u"　有言実行。絶対達成するぞ！　"_s, 36}} + blanks(3, 22))},
        {1, expectedLines(
                u"　　依頼書"_s,
                QList<Text>{{u"　こんなにも節約になるんです。ご検討願えないでしょうか。"_s, 18},
                            {u"　よろしくお願いいたします"_s, 18}} +
                    blanks(3, 18))},
        {2, expectedLines(u"　　哀願書"_s,
                          QList<Text>{{u"　なんとか小遣いをあげてもらえないでしょうか"_s, 22},
                                      {u"　よろしくお願いいたします"_s, 22}} +
                              blanks(3, 22))},
    };
}

// Named after the letter's button: declarationButton gives Declaration.
std::string kindName(int kind)
{
    std::string name = kLetterKinds[static_cast<size_t>(kind)].buttonName;
    name.resize(name.size() - std::string_view("Button").size());
    return caseName(name);
}

INSTANTIATE_TEST_SUITE_P(Letters, LetterKindPage, ::testing::ValuesIn(kinds()),
                         [](const auto &info) { return kindName(info.param.kind); });

struct Amount : Described
{
    QString field;
    QString printed; // what follows the caption
};

class AmountLine : public ::testing::TestWithParam<Amount>
{};

TEST_P(AmountLine, EndsInCellThirtyWhateverTheFieldHolds)
{
    const Amount &c = GetParam();
    for (int period = 0; period < kPeriodCount; ++period) {
        SCOPED_TRACE(period);
        PeriodTexts amounts;
        amounts[static_cast<size_t>(period)] = c.field;
        const QString line = layOut(kLetterKinds[0], u"禁煙"_s, amounts).at(8 + period).text;
        const QString caption =
            QString::fromUtf16(kPeriods[static_cast<size_t>(period)].letterCaption);
        ASSERT_TRUE(line.startsWith(caption)) << line.toStdString();
        EXPECT_EQ(line.mid(caption.size()), c.printed);
        if (cellCount(c.field) <= kAmountCells) {
            EXPECT_EQ(cellCount(line), 30);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, AmountLine,
    ::testing::Values(
        Amount{{"amount"}, u"\\50,000"_s, sp(8) + u"\\50,000"_s},
        Amount{{"empty"}, QString(), sp(15)}, Amount{{"yen sign alone"}, u"\\"_s, sp(14) + u"\\"_s},
        Amount{{"exactly 15 cells"}, u"\\12,345,678,901"_s, u"\\12,345,678,901"_s}, // no blank
        Amount{{"full-width digits"}, u"５００"_s, sp(9) + u"５００"_s}, // two cells each
        Amount{{"half-width katakana"}, u"ｱｲｳ"_s, sp(12) + u"ｱｲｳ"_s},    // one each
        Amount{{"typed yen sign"}, u"¥1,500"_s, sp(9) + u"\\1,500"_s},   // prints one cell wide
        // Wider than the cells: printed as it stands, ending further right.
        Amount{{"amount wider than the cells"}, u"\\123,456,789,012"_s, u"\\123,456,789,012"_s},
        Amount{{"text wider than the cells"},
               u"たくさん貯まるかもしれない"_s,
               u"たくさん貯まるかもしれない"_s}),
    whatName);

struct NameAndDate : Described
{
    QString name;
    QDate date;
    QString nameLine;
    QString dateText;
};

class NameAndDateLines : public ::testing::TestWithParam<NameAndDate>
{};

TEST_P(NameAndDateLines, StandAsTheyAre)
{
    const NameAndDate &c = GetParam();
    const QList<PageLine> lines = layOut(kLetterKinds[1], c.name, k500ADay, c.date);
    EXPECT_EQ(lines.at(5).text, c.nameLine);
    // The date starts in cell 32 of the last line.
    const QString date = lines.last().text;
    EXPECT_TRUE(date.endsWith(c.dateText)) << date.toStdString();
    EXPECT_EQ(cellCount(date.chopped(c.dateText.size())), 31);
    EXPECT_EQ(date.chopped(c.dateText.size()).trimmed(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Letters, NameAndDateLines,
    ::testing::Values(
        NameAndDate{{"no name"}, QString(), QDate(2009, 1, 5), u"　ぽみろ…"_s, u"2009年01月05日"_s},
        NameAndDate{{"name with a blank"},
                    u"コーヒー 毎朝"_s,
                    QDate(2026, 12, 31),
                    u"　ぽみろ…コーヒー 毎朝"_s,
                    u"2026年12月31日"_s},
        // Not wrapped: what does not fit on the paper is lost.
        NameAndDate{{"name wider than the paper, year before 1000"},
                    QString(80, u'長'),
                    QDate(987, 6, 7),
                    u"　ぽみろ…"_s + QString(80, u'長'),
                    u"0987年06月07日"_s}),
    whatName);

} // namespace
