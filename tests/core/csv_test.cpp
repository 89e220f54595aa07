#include "core/csv.h"

#include "tests/support/cases.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::csv::encodeCp932;
using pomiro::csv::join;
using pomiro::csv::Table;
using pomiro::testing::Described;
using pomiro::testing::whatName;

// A table that must reach a CSV file as these exact bytes.
struct CsvCase : Described
{
    Table table;
    QByteArray bytes;
};

class CsvBytes : public ::testing::TestWithParam<CsvCase>
{};

TEST_P(CsvBytes, AreCp932WithQuotesWhereNeededAndCrLfAfterEveryRecord)
{
    const CsvCase &c = GetParam();
    const auto bytes = encodeCp932(c.table);
    ASSERT_TRUE(bytes) << "refused record " << bytes.error().record;
    EXPECT_EQ(*bytes, c.bytes) << bytes->toHex(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CsvBytes,
    ::testing::Values(
        CsvCase{{"nothing"}, {}, {}},
        CsvCase{{"plain fields"},
                {{u"a"_s, u"-20"_s, u"3500"_s}, {u"b"_s, u"0"_s, u""_s}},
                "a,-20,3500\r\nb,0,\r\n"},
        CsvCase{{"Japanese in CP932"},
                {{u"禁煙"_s, u"全合計"_s}},
                "\x8b\xd6\x89\x8c,\x91\x53\x8d\x87\x8c\x76\r\n"},
        CsvCase{{"a stored amount as stored"}, {{u"\\1,500"_s}}, "\"\\1,500\"\r\n"},
        CsvCase{{"a comma"}, {{u"a,b"_s, u"c"_s}}, "\"a,b\",c\r\n"},
        CsvCase{{"a quote doubled"}, {{u"5\"インチ"_s}}, "\"5\"\"\x83\x43\x83\x93\x83\x60\"\r\n"},
        CsvCase{{"only a quote"}, {{u"\""_s}}, "\"\"\"\"\r\n"},
        CsvCase{{"a line feed"}, {{u"朝\n夜"_s, u"x"_s}}, "\"\x92\xa9\n\x96\xe9\",x\r\n"},
        CsvCase{{"a carriage return"}, {{u"a\rb"_s}}, "\"a\rb\"\r\n"},
        CsvCase{{"blanks and a tab stay unquoted"}, {{u" a\tb "_s}}, " a\tb \r\n"},
        CsvCase{{"an empty record"}, {{}, {u"a"_s}}, "\r\na\r\n"},
        CsvCase{{"a typed wave dash in its CP932 form"},
                {{u"朝の〜"_s}},
                "\x92\xa9\x82\xcc\x81\x60\r\n"}),
    whatName);

TEST(CsvBytes, RefuseACharacterCp932CannotHoldAndSayWhere)
{
    const auto bytes =
        encodeCp932({{u"ぽみろ…"_s, u"1日"_s}, {u"ok"_s, u"1"_s}, {u"a"_s, u"b😀,c"_s}});
    ASSERT_FALSE(bytes);
    EXPECT_EQ(bytes.error().record, 2);
    EXPECT_EQ(bytes.error().field, 1);
    EXPECT_EQ(bytes.error().character, U'😀');
}

// Tab-separated text for the clipboard: only what would break a tab-separated table is quoted.
struct JoinCase : Described
{
    Table table;
    QString text;
};

class TabSeparated : public ::testing::TestWithParam<JoinCase>
{};

TEST_P(TabSeparated, QuotesOnlyTabsQuotesAndLineBreaks)
{
    EXPECT_EQ(join(GetParam().table, u'\t', u"\n"), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TabSeparated,
    ::testing::Values(
        JoinCase{{"plain"}, {{u"a"_s, u"b"_s}, {u"c"_s, u""_s}}, u"a\tb\nc\t\n"_s},
        JoinCase{{"a comma stays as it is"}, {{u"a,b"_s, u"\\1,500"_s}}, u"a,b\t\\1,500\n"_s},
        JoinCase{{"a tab"}, {{u"a\tb"_s}}, u"\"a\tb\"\n"_s},
        JoinCase{
            {"a line feed and a quote"}, {{u"a\n\"b\""_s, u"c"_s}}, u"\"a\n\"\"b\"\"\"\tc\n"_s}),
    whatName);

} // namespace
