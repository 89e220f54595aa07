// The list as it is taken away, without a window: which rows, in which order, and how amounts
// and totals go out as text, tab-separated text and CSV bytes.
#include "list_window/listreport.h"

#include "list_window/entrylistmodel.h"
#include "list_window/listexport.h"
#include "tests/support/cases.h"
#include "tests/support/qtapp.h"
#include "tests/support/samples.h"

#include <gtest/gtest.h>

using namespace pomiro;
using namespace Qt::StringLiterals;

namespace {

using pomiro::testing::Described;
using pomiro::testing::everyPeriod;
using pomiro::testing::k500ADay;
using pomiro::testing::whatName;

const QStringList kHeader = {u"ぽみろ…"_s, u"１日"_s,   u"１週間"_s, u"１ヶ月"_s,
                             u"半年"_s,    u"１年"_s,   u"３年"_s,   u"５年"_s,
                             u"１０年"_s,  u"２０年"_s, u"３０年"_s};

// A row of the report: a name and the same text in all ten amount columns.
QStringList across(const QString &name, const QString &amount)
{
    QStringList cells{name};
    for (int i = 0; i < 10; ++i)
        cells << amount;
    return cells;
}

const QStringList k500ADayOut = {u"3500"_s,   u"15000"_s,   u"91250"_s,   u"182500"_s, u"547500"_s,
                                 u"912500"_s, u"1825000"_s, u"3650000"_s, u"5475000"_s};

// An amount or total text of the grid and what goes out for it.
struct Reported : Described
{
    QString shown;
    QString out;
    bool total = false;
};

class ReportedText : public ::testing::TestWithParam<Reported>
{};

TEST_P(ReportedText, IsWholeYenWhereReadableAndAsStoredOtherwise)
{
    const Reported &c = GetParam();
    EXPECT_EQ((c.total ? reportedTotal(c.shown) : reportedAmount(c.shown)).plain(), c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReportedText,
    ::testing::Values(
        Reported{{"grouped"}, u"\\1,825,000"_s, u"1825000"_s},
        Reported{{"negative"}, u"\\-20"_s, u"-20"_s},
        Reported{{"zero as the grid writes it"}, u"\\"_s, u"0"_s},
        Reported{{"zero with blanks"}, u" \\ "_s, u"0"_s},
        Reported{{"empty stays empty"}, u""_s, u""_s},
        Reported{{"typed plain number"}, u"500"_s, u"500"_s},
        Reported{{"typed yen sign and blanks"}, u" ￥1,500 "_s, u"1500"_s},
        Reported{{"a half rounds away from zero as the grid shows it"}, u"1250.5"_s, u"1251"_s},
        Reported{{"a negative half too"}, u"-2.5"_s, u"-3"_s},
        Reported{{"below a half yen"}, u"\\-0.4"_s, u"0"_s},
        Reported{{"not a number"}, u"たくさん"_s, u"たくさん"_s},
        Reported{
            {"beyond the range"}, u"\\99,999,999,999,999,999"_s, u"\\99,999,999,999,999,999"_s},
        Reported{{"a total"}, u"\\3,500"_s, u"3500"_s, true},
        Reported{{"a total that left rows out"}, u"\\3,500 *"_s, u"3500"_s, true},
        Reported{{"an empty total that left rows out"}, u"\\ *"_s, u"0"_s, true},
        Reported{{"an overflowing total"}, u"桁あふれ"_s, u"桁あふれ"_s, true},
        Reported{{"an overflowing total that left rows out"}, u"桁あふれ *"_s, u"桁あふれ"_s, true},
        Reported{{"an entry keeps a star"}, u"\\3,500 *"_s, u"\\3,500 *"_s}),
    whatName);

// A cell and what goes out for it in the copy and the CSV file: text a spreadsheet would run as a
// formula gets an apostrophe in front; numbers we write stay numbers.
struct Guarded : Described
{
    ReportCell cell;
    QString out;
};

class FormulaGuard : public ::testing::TestWithParam<Guarded>
{};

TEST_P(FormulaGuard, PrefixesTextThatStartsAFormulaOnly)
{
    const Guarded &c = GetParam();
    EXPECT_EQ(c.cell.plain(), c.out);
    if (!c.cell.amount) {
        EXPECT_EQ(c.cell.shown(), c.cell.text) << "the print shows the text as it stands";
    }
}

ReportCell named(const QString &name)
{
    return {std::nullopt, name};
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FormulaGuard,
    ::testing::Values(
        Guarded{{"equals"}, named(u"=SUM(A1)"_s), u"'=SUM(A1)"_s},
        Guarded{{"plus"}, named(u"+1"_s), u"'+1"_s}, Guarded{{"minus"}, named(u"-5"_s), u"'-5"_s},
        Guarded{{"minus alone"}, named(u"-"_s), u"'-"_s},
        Guarded{{"at"}, named(u"@cmd"_s), u"'@cmd"_s},
        Guarded{{"tab"}, named(u"\t x"_s), u"'\t x"_s},
        Guarded{{"carriage return"}, named(u"\r x"_s), u"'\r x"_s},
        Guarded{{"equals not first"}, named(u"a=b"_s), u"a=b"_s},
        Guarded{{"blank before equals"}, named(u" =1"_s), u" =1"_s},
        Guarded{{"already an apostrophe"}, named(u"'=1"_s), u"'=1"_s},
        Guarded{{"empty"}, named(u""_s), u""_s},
        Guarded{{"full width equals"}, named(u"＝全角"_s), u"＝全角"_s},
        Guarded{
            {"unreadable amount with a minus"}, reportedAmount(u"-たくさん"_s), u"'-たくさん"_s},
        Guarded{{"unreadable amount formula"}, reportedAmount(u"=1+1"_s), u"'=1+1"_s},
        Guarded{{"negative beyond the range"},
                reportedAmount(u"-99,999,999,999,999,999"_s),
                u"'-99,999,999,999,999,999"_s},
        Guarded{{"readable negative"}, reportedAmount(u"\\-20"_s), u"-20"_s},
        Guarded{{"readable typed plus"}, reportedAmount(u"+500"_s), u"500"_s},
        Guarded{{"negative total that left rows out"}, reportedTotal(u"\\-20 *"_s), u"-20"_s},
        Guarded{{"overflowing total"}, reportedTotal(u"桁あふれ"_s), u"桁あふれ"_s}),
    whatName);

class ListReportTest : public ::testing::Test
{
protected:
    void SetUp() override { pomiro::testing::application(); }

    EntryListModel m_model{{Entry{u"禁煙"_s, k500ADay},
                            Entry{u"コーヒー"_s, everyPeriod(u"\\-20"_s)},
                            Entry{u"a,\"b\""_s, everyPeriod(u"たくさん"_s)}}};
};

TEST_F(ListReportTest, WithoutASelectionTakesEveryRowAndTheTotal)
{
    const ListReport report = makeListReport(m_model);
    EXPECT_EQ(report.header, kHeader);
    ASSERT_EQ(report.rows.size(), 3);
    EXPECT_EQ(plainTexts(report.rows[0]), (QStringList{u"禁煙"_s, u"500"_s} + k500ADayOut));
    EXPECT_EQ(plainTexts(report.rows[1]), across(u"コーヒー"_s, u"-20"_s));
    EXPECT_EQ(plainTexts(report.rows[2]), across(u"a,\"b\""_s, u"たくさん"_s));
    QStringList total{u"全合計"_s, u"480"_s};
    for (const QString &amount : k500ADayOut)
        total << QString::number(amount.toLongLong() - 20);
    EXPECT_EQ(plainTexts(report.total), total) << "the unreadable row's mark is not taken";
    EXPECT_TRUE(report.selectedTotal.isEmpty());
    EXPECT_EQ(report.table().size(), 5);
}

// Rows come in the grid's order whatever order they were clicked in; a selection taken back
// entirely is no selection.
TEST_F(ListReportTest, WithASelectionTakesTheSelectedRowsInGridOrderAndBothTotals)
{
    m_model.toggleRow(2);
    m_model.toggleRow(0);
    ListReport report = makeListReport(m_model);
    ASSERT_EQ(report.rows.size(), 2);
    EXPECT_EQ(report.rows[0].value(0).text, u"禁煙"_s);
    EXPECT_EQ(report.rows[1].value(0).text, u"a,\"b\""_s);
    EXPECT_EQ(report.total.value(1).plain(), u"480"_s) << "the total is over all rows";
    EXPECT_EQ(plainTexts(report.selectedTotal),
              (QStringList{u"選択合計"_s, u"500"_s} + k500ADayOut));
    EXPECT_EQ(report.table().constLast(), plainTexts(report.selectedTotal));

    m_model.toggleRow(0);
    m_model.toggleRow(2);
    report = makeListReport(m_model);
    EXPECT_EQ(report.rows.size(), 3);
    EXPECT_TRUE(report.selectedTotal.isEmpty());
}

TEST_F(ListReportTest, TabSeparatedTextHasTheHeaderFirstAndOneLineARow)
{
    EntryListModel model({Entry{u"禁煙"_s, everyPeriod(u"\\100"_s)}, Entry{u"x\ty"_s, {}}});
    model.toggleRow(1);
    const QString tens = u"\t100"_s.repeated(10);
    EXPECT_EQ(tabSeparated(makeListReport(model)),
              kHeader.join(u'\t') + u"\n\"x\ty\""_s + u"\t"_s.repeated(10) + u"\n全合計"_s + tens +
                  u"\n選択合計"_s + u"\t0"_s.repeated(10) + u"\n"_s);
}

// The CSV file of known entries, byte for byte.
struct CsvFile : Described
{
    Entries entries;
    QList<int> selected;
    QByteArray bytes;
};

class ListCsv : public ::testing::TestWithParam<CsvFile>
{};

TEST_P(ListCsv, IsTheseExactBytes)
{
    pomiro::testing::application();
    const CsvFile &c = GetParam();
    EntryListModel model(c.entries);
    for (int row : c.selected)
        model.toggleRow(row);
    const auto bytes = csv::encodeCp932(makeListReport(model).table());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, c.bytes) << bytes->toHex(' ').toStdString();
}

// "ぽみろ…,１日,…,３０年" and the names in CP932.
const QByteArray kHeaderBytes =
    "\x82\xdb\x82\xdd\x82\xeb\x81\x63\x2c\x82\x50\x93\xfa\x2c\x82\x50\x8f\x54\x8a\xd4\x2c\x82\x50"
    "\x83\x96\x8c\x8e\x2c\x94\xbc\x94\x4e\x2c\x82\x50\x94\x4e\x2c\x82\x52\x94\x4e\x2c\x82\x54\x94"
    "\x4e\x2c\x82\x50\x82\x4f\x94\x4e\x2c\x82\x51\x82\x4f\x94\x4e\x2c\x82\x52\x82\x4f\x94\x4e\r\n";
const QByteArray kKinen = "\x8b\xd6\x89\x8c";
const QByteArray kCoffee = "\x83\x52\x81\x5b\x83\x71\x81\x5b";
const QByteArray kTotal = "\x91\x53\x8d\x87\x8c\x76";
const QByteArray kSelectedTotal = "\x91\x49\x91\xf0\x8d\x87\x8c\x76";
const QByteArray kOverflow = "\x8c\x85\x82\xa0\x82\xd3\x82\xea";

QByteArray repeated(const QByteArray &field)
{
    QByteArray fields;
    for (int i = 0; i < 10; ++i)
        fields += ',' + field;
    return fields;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ListCsv,
    ::testing::Values(
        CsvFile{{"500 yen a day and a negative amount"},
                {Entry{u"禁煙"_s, k500ADay}, Entry{u"コーヒー"_s, everyPeriod(u"\\-20"_s)}},
                {},
                kHeaderBytes + kKinen +
                    ",500,3500,15000,91250,182500,547500,912500,1825000,3650000,5475000\r\n" +
                    kCoffee + repeated("-20") + "\r\n" + kTotal +
                    ",480,3480,14980,91230,182480,547480,912480,1824980,3649980,5474980\r\n"},
        CsvFile{{"the selected row and its total"},
                {Entry{u"禁煙"_s, everyPeriod(u"\\1,000"_s)},
                 Entry{u"コーヒー"_s, everyPeriod(u"\\"_s)}},
                {1},
                kHeaderBytes + kCoffee + repeated("0") + "\r\n" + kTotal + repeated("1000") +
                    "\r\n" + kSelectedTotal + repeated("0") + "\r\n"},
        CsvFile{{"a comma a quote and a line break in names"},
                {Entry{u"a,b"_s, {}}, Entry{u"5\"x"_s, {}}, Entry{u"朝\r\n夜"_s, {}}},
                {},
                kHeaderBytes + "\"a,b\"" + repeated("") + "\r\n\"5\"\"x\"" + repeated("") +
                    "\r\n\"\x92\xa9\r\n\x96\xe9\"" + repeated("") + "\r\n" + kTotal +
                    repeated("0") + "\r\n"},
        CsvFile{{"stored texts that are no amounts, and an overflowing total"},
                {Entry{u"x"_s, everyPeriod(u"約\\1,500"_s)},
                 Entry{u"y"_s, everyPeriod(u"\\922,337,203,685,477"_s)},
                 Entry{u"z"_s, everyPeriod(u"\\922,337,203,685,477"_s)}},
                {},
                kHeaderBytes + "x" + repeated("\"\x96\xf1\\1,500\"") + "\r\ny" +
                    repeated("922337203685477") + "\r\nz" + repeated("922337203685477") + "\r\n" +
                    kTotal + repeated(kOverflow) + "\r\n"}),
    whatName);

// Both ways out take the guarded texts, quoted where the name's quotes need it, and leave the
// numbers as they are, negative ones too.
TEST_F(ListReportTest, CopyAndCsvGuardFormulaTextsAlike)
{
    PeriodTexts amounts = k500ADay;
    amounts[1] = u"@x"_s;
    const EntryListModel model(
        {Entry{u"=HYPERLINK(\"x\")"_s, amounts}, Entry{u"コーヒー"_s, everyPeriod(u"\\-20"_s)}});
    const ListReport report = makeListReport(model);

    const QString rest = u"15000,91250,182500,547500,912500,1825000,3650000,5475000"_s;
    const QString guardedRow = u"\"'=HYPERLINK(\"\"x\"\")\",500,'@x,"_s + rest;
    const QString totalRest = u"480,-20,14980,91230,182480,547480,912480,1824980,3649980,5474980"_s;
    const auto tabbed = [](QString line) { return line.replace(u',', u'\t'); };
    EXPECT_EQ(tabSeparated(report), kHeader.join(u'\t') + u'\n' + tabbed(guardedRow) +
                                        u"\nコーヒー"_s + u"\t-20"_s.repeated(10) +
                                        u"\n全合計\t"_s + tabbed(totalRest) + u'\n');

    const auto bytes = csv::encodeCp932(report.table());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, kHeaderBytes + guardedRow.toLatin1() + "\r\n" + kCoffee + repeated("-20") +
                          "\r\n" + kTotal + ',' + totalRest.toLatin1() + "\r\n")
        << bytes->toHex(' ').toStdString();
}

} // namespace
