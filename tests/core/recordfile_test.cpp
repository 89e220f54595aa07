// The record file: what it holds read back exactly, what it refuses to read, and what the file
// system's faults and other programs leave of it.

#include "core/recordfile.h"

#include "tests/support/cases.h"
#include "tests/support/datafiles.h"
#include "tests/support/fsfaults.h"
#include "tests/support/recordjson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using namespace pomiro;
using namespace pomiro::testing;
using Kind = RecordFileError::Kind;

constexpr qint64 kMaxUnits = std::numeric_limits<qint64>::max();
constexpr qint64 kMinUnits = std::numeric_limits<qint64>::min();

// Random records that keep the rules: runs in order, only the last going on, prices by date.
QuitRecords randomRecords(std::mt19937_64 &random, int count)
{
    const QString names[] = {u"禁煙"_s, u"コーヒー"_s,   u"say \"hi\"\\n"_s, u"😀 絵文字"_s,
                             u" "_s,    u"朝の～習慣"_s, u"{\"json\": 1}"_s, u"\u0001\u007f"_s};
    const qint64 specialUnits[] = {0,        1,         -1,        5'000,         -5'000,
                                   9'999,    kMaxUnits, kMinUnits, kMaxUnits - 1, kMinUnits + 1,
                                   5'000'000};
    const auto amount = [&] {
        const auto pick = random() % 3;
        if (pick == 0)
            return Amount{specialUnits[random() % std::size(specialUnits)]};
        if (pick == 1)
            return Amount{static_cast<qint64>(random())};
        return Amount::fromYen(qint64(random() % 20'000) - 1'000);
    };
    QuitRecords records;
    for (int i = 0; i < count; ++i) {
        QuitRecord record;
        record.name = names[i % std::size(names)] + QString::number(i);
        QDate at = QDate(1900, 1, 1).addDays(qint64(random() % 40'000));
        const auto runs = random() % 6;
        for (unsigned r = 0; r < runs; ++r) {
            QuitRun run{at, at.addDays(qint64(random() % 400)), amount()};
            at = run.end->addDays(qint64(random() % 3));
            record.runs << run;
        }
        if (!record.runs.isEmpty() && random() % 2)
            record.runs.last().end.reset();
        QDate from = QDate(1900, 1, 1).addDays(qint64(random() % 40'000));
        const auto prices = random() % 5 + (record.runs.isEmpty() ? 1 : 0);
        for (unsigned p = 0; p < prices; ++p) {
            record.prices << PriceChange{from, amount()};
            from = from.addDays(1 + qint64(random() % 90));
        }
        records << record;
    }
    return records;
}

TEST(RecordFileFormat, ReadsBackWhatItWrote)
{
    std::mt19937_64 random(20260901);
    for (int round = 0; round < 50; ++round) {
        const QuitRecords records = randomRecords(random, round % 7 * 3);
        const QByteArray bytes = encodeRecordFile(records);
        const auto parsed = parseRecordFile(bytes);
        ASSERT_TRUE(parsed) << parsed.error().detail.toStdString() << "\n" << bytes.toStdString();
        ASSERT_EQ(*parsed, records) << bytes.toStdString();
        EXPECT_EQ(encodeRecordFile(*parsed), bytes) << "the same records written otherwise";
        // Qt's own reading agrees, and so does the file laid out for a person to read.
        EXPECT_EQ(recordsThroughQtJson(bytes), records);
        const QByteArray indented = QJsonDocument::fromJson(bytes).toJson(QJsonDocument::Indented);
        ASSERT_NE(indented, bytes);
        EXPECT_EQ(parseRecordFile(indented).value(), records);
    }
}

TEST(RecordFileFormat, LeavesOutEmptyRecordsAndReadsNothingFromNothing)
{
    const QuitRecord kept{u"a"_s, {}, {{QDate(2026, 9, 1), Amount::fromYen(5)}}};
    const QByteArray bytes = encodeRecordFile({QuitRecord{u"empty"_s, {}, {}}, kept});
    EXPECT_EQ(*parseRecordFile(bytes), QuitRecords{kept});
    EXPECT_FALSE(bytes.contains("empty"));
    EXPECT_EQ(*parseRecordFile(encodeRecordFile({})), QuitRecords());
    EXPECT_EQ(*parseRecordFile(QByteArray()), QuitRecords());
}

// The amounts as the file writes them: decimal yen exact to the unit, never a double's digits.
TEST(RecordFileFormat, WritesAmountsAsExactDecimalYen)
{
    struct Written
    {
        qint64 units;
        const char *text;
    };
    const Written written[] = {{0, "0"},
                               {10'000, "1"},
                               {-30'000, "-3"},
                               {12'505'000, "1250.5"},
                               {1, "0.0001"},
                               {-1, "-0.0001"},
                               {10'010, "1.001"},
                               {5'000'000'000'000'000'001, "500000000000000.0001"},
                               {kMaxUnits, "922337203685477.5807"},
                               {kMinUnits, "-922337203685477.5808"}};
    for (const Written &w : written) {
        const QuitRecord record{
            u"x"_s, {QuitRun{QDate(2026, 9, 1), std::nullopt, Amount{w.units}}}, {}};
        const QByteArray bytes = encodeRecordFile({record});
        const QJsonObject run =
            QJsonDocument::fromJson(bytes).object().value(u"records"_s)[0][u"runs"_s][0].toObject();
        EXPECT_EQ(run[u"firstDaily"_s].toString(), QString::fromLatin1(w.text));
        EXPECT_EQ(run[u"start"_s].toString(), u"2026-09-01"_s);
        EXPECT_FALSE(run.contains(u"end"_s));
        EXPECT_EQ(parseRecordFile(bytes)->at(0), record) << w.text;
    }
}

// A file of one record whose run and price are given as JSON text.
QByteArray fileWith(const char *run,
                    const char *price = R"({"from": "2026-10-01", "daily": "600"})")
{
    return QByteArray(R"({"version": 1, "records": [{"name": "禁煙", "runs": [)") + run +
           R"(], "prices": [)" + price + "]}]}";
}

const char *const kRun = R"({"start": "2026-09-01", "end": "2026-10-05", "firstDaily": "500"})";

struct Unreadable : Described
{
    QByteArray bytes;
    Kind kind;
};

class ReadingARecordFile : public ::testing::TestWithParam<Unreadable>
{};

TEST_P(ReadingARecordFile, RefusesWhatIsNotWhole)
{
    const auto parsed = parseRecordFile(GetParam().bytes);
    ASSERT_FALSE(parsed) << "read " << parsed->size() << " records";
    EXPECT_EQ(parsed.error().kind, GetParam().kind);
    EXPECT_FALSE(parsed.error().detail.isEmpty());
}

std::vector<Unreadable> unreadables()
{
    const Kind D = Kind::Damaged;
    const QByteArray good = fileWith(kRun);
    // clang-format off
    return {
        {"not JSON", "ぽみろ", D},
        {"cut short", good.chopped(3), D},
        {"a blank", " ", D},
        {"an array", "[]", D},
        {"no version", R"({"records": []})", D},
        {"the version as text", R"({"version": "1", "records": []})", D},
        {"no records", R"({"version": 1})", D},
        {"records not a list", R"({"version": 1, "records": {}})", D},
        {"an unknown key", R"({"version": 1, "records": [], "extra": 0})", D},
        {"a record not an object", R"({"version": 1, "records": [1]})", D},
        {"a record without prices", R"({"version": 1, "records": [{"name": "a", "runs": []}]})", D},
        {"a name that is a number", R"({"version": 1, "records": [{"name": 5, "runs": [], "prices": []}]})", D},
        {"runs not a list", R"({"version": 1, "records": [{"name": "a", "runs": {}, "prices": []}]})", D},
        {"a record with an unknown key",
         R"({"version": 1, "records": [{"name": "a", "runs": [], "prices": [], "x": 1}]})", D},
        {"two records of one name",
         R"({"version": 1, "records": [{"name": "a", "runs": [], "prices": [{"from": "2026-01-01", "daily": "1"}]},)"
         R"({"name": "a", "runs": [], "prices": [{"from": "2026-01-02", "daily": "1"}]}]})", D},
        {"a run without a start", fileWith(R"({"firstDaily": "500"})"), D},
        {"a run without an amount", fileWith(R"({"start": "2026-09-01"})"), D},
        {"a run with an unknown key", fileWith(R"({"start": "2026-09-01", "firstDaily": "500", "note": ""})"), D},
        {"a run's end of null", fileWith(R"({"start": "2026-09-01", "end": null, "firstDaily": "500"})"), D},
        {"a day that does not exist", fileWith(R"({"start": "2026-02-30", "firstDaily": "500"})"), D},
        {"a date in slashes", fileWith(R"({"start": "2026/09/01", "firstDaily": "500"})"), D},
        {"a date without zeros", fileWith(R"({"start": "2026-9-1", "firstDaily": "500"})"), D},
        {"a date with a time", fileWith(R"({"start": "2026-09-01T00:00", "firstDaily": "500"})"), D},
        {"a date as a number", fileWith(R"({"start": 20260901, "firstDaily": "500"})"), D},
        {"the year 0", fileWith(R"({"start": "0000-01-01", "firstDaily": "500"})"), D},
        {"a letter in the year", fileWith(R"({"start": "(024-02-29", "firstDaily": "500"})"), D},
        {"a letter in the day", fileWith(R"({"start": "2024-02-x9", "firstDaily": "500"})"), D},
        {"a sign in the month", fileWith(R"({"start": "2024--2-09", "firstDaily": "500"})"), D},
        {"an amount as a number", fileWith(R"({"start": "2026-09-01", "firstDaily": 500})"), D},
        {"an amount with a yen sign", fileWith(R"({"start": "2026-09-01", "firstDaily": "\\500"})"), D},
        {"an amount with commas", fileWith(R"({"start": "2026-09-01", "firstDaily": "1,500"})"), D},
        {"an amount with five decimals", fileWith(R"({"start": "2026-09-01", "firstDaily": "0.00001"})"), D},
        {"an amount ending in a point", fileWith(R"({"start": "2026-09-01", "firstDaily": "5."})"), D},
        {"an amount starting with a point", fileWith(R"({"start": "2026-09-01", "firstDaily": ".5"})"), D},
        {"an amount with a plus", fileWith(R"({"start": "2026-09-01", "firstDaily": "+5"})"), D},
        {"an amount with a blank", fileWith(R"({"start": "2026-09-01", "firstDaily": " 5"})"), D},
        {"a minus alone", fileWith(R"({"start": "2026-09-01", "firstDaily": "-"})"), D},
        {"an empty amount", fileWith(R"({"start": "2026-09-01", "firstDaily": ""})"), D},
        {"an amount in full-width digits", fileWith(R"({"start": "2026-09-01", "firstDaily": "５００"})"), D},
        {"an amount past the top", fileWith(R"({"start": "2026-09-01", "firstDaily": "922337203685477.5808"})"), D},
        {"an amount past the bottom", fileWith(R"({"start": "2026-09-01", "firstDaily": "-922337203685477.5809"})"), D},
        {"an amount of twenty digits", fileWith(R"({"start": "2026-09-01", "firstDaily": "18446744073709551617"})"), D},
        {"a run ending before it starts", fileWith(R"({"start": "2026-09-01", "end": "2026-08-31", "firstDaily": "1"})"), D},
        {"runs out of order",
         fileWith(R"({"start": "2026-09-01", "end": "2026-09-05", "firstDaily": "1"},)"
                  R"({"start": "2026-01-01", "end": "2026-01-05", "firstDaily": "1"})"), D},
        {"runs overlapping by a day",
         fileWith(R"({"start": "2026-09-01", "end": "2026-09-05", "firstDaily": "1"},)"
                  R"({"start": "2026-09-04", "firstDaily": "1"})"), D},
        {"a run going on before another",
         fileWith(R"({"start": "2026-09-01", "firstDaily": "1"},)"
                  R"({"start": "2026-09-04", "firstDaily": "1"})"), D},
        {"a price change without an amount", fileWith(kRun, R"({"from": "2026-10-01"})"), D},
        {"a price change with a bad date", fileWith(kRun, R"({"from": "2026-13-01", "daily": "1"})"), D},
        {"price changes out of order",
         fileWith(kRun, R"({"from": "2026-10-02", "daily": "1"}, {"from": "2026-10-01", "daily": "2"})"), D},
        {"two price changes on one day",
         fileWith(kRun, R"({"from": "2026-10-01", "daily": "1"}, {"from": "2026-10-01", "daily": "2"})"), D},
        {"version 2", R"({"version": 2, "records": []})", Kind::UnknownVersion},
        {"version 2 of another shape", R"({"version": 2, "entries": {"a": 1}})", Kind::UnknownVersion},
        {"version 0", R"({"version": 0, "records": []})", Kind::UnknownVersion},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Files, ReadingARecordFile, ::testing::ValuesIn(unreadables()), whatName);

// JSON as any other program may write it: each form read as Qt's own JSON reader reads it.
struct JsonForm : Described
{
    QByteArray bytes;
    QuitRecords records;
};

class ReadingJson : public ::testing::TestWithParam<JsonForm>
{};

TEST_P(ReadingJson, GivesTheRecordsQtReadsToo)
{
    const JsonForm &c = GetParam();
    const auto parsed = parseRecordFile(c.bytes);
    ASSERT_TRUE(parsed) << parsed.error().detail.toStdString();
    EXPECT_EQ(*parsed, c.records);
    EXPECT_EQ(recordsThroughQtJson(c.bytes), c.records);
}

QuitRecords named(const QString &name)
{
    return {QuitRecord{name,
                       {QuitRun{QDate(2026, 9, 1), QDate(2026, 10, 5), Amount::fromYen(500)}},
                       {PriceChange{QDate(2026, 10, 1), Amount::fromYen(600)}}}};
}

// The one record of fileWith(kRun), its name given as JSON text.
QByteArray nameWritten(const QByteArray &name)
{
    return QByteArray(fileWith(kRun)).replace("\"禁煙\"", name);
}

std::vector<JsonForm> jsonForms()
{
    const QuitRecords kinen = named(u"禁煙"_s);
    // clang-format off
    return {
        {"blanks of every kind between the tokens",
         " \t\r\n{ \"version\" :1 ,\n\t\"records\"\r\n:[ {\"name\" : \"禁煙\", \"runs\" : [ " + QByteArray(kRun) +
         " ] ,\"prices\":[{ \"from\":\"2026-10-01\" , \"daily\" : \"600\" } ] } ]\n}\n ", kinen},
        {"keys in another order",
         R"({"records": [{"prices": [{"daily": "600", "from": "2026-10-01"}], "runs": [{"firstDaily": "500",)"
         R"( "end": "2026-10-05", "start": "2026-09-01"}], "name": "禁煙"}], "version": 1})", kinen},
        {"escapes in keys, dates and amounts",
         R"({"\u0076ersion": 1, "records": [{"name": "\u7981\u7159", "runs": [{"start": "2026\u002d09\u002D01",)"
         R"( "en\u0064": "2026-10-05", "firstDaily": "\u0035\u0030\u0030"}],)"
         R"( "prices": [{"from": "2026-10-01", "daily": "600"}]}]})", kinen},
        {"the version as 1.0", QByteArray(fileWith(kRun)).replace("\"version\": 1", "\"version\": 1.0"), kinen},
        {"the version as 10E-1", QByteArray(fileWith(kRun)).replace("\"version\": 1", "\"version\": 10E-1"), kinen},
        {"the version as 0.1e+1", QByteArray(fileWith(kRun)).replace("\"version\": 1", "\"version\": 0.1e+1"), kinen},
        {"every escape of a name", nameWritten(R"("a\"b\\c\/d\b\f\n\r\t")"), named(u"a\"b\\c/d\b\f\n\r\t"_s)},
        {"a character beyond the first plane as escapes", nameWritten(R"("\ud83d\ude00")"), named(u"😀"_s)},
        {"a character beyond the first plane in capitals", nameWritten(R"("\uD83D\uDE00!")"), named(u"😀!"_s)},
        {"a character beyond the first plane as UTF-8", nameWritten("\"😀\""), named(u"😀"_s)},
        {"escapes of two and three bytes in UTF-8", nameWritten(R"("caf\u00e9 \u03BB\u07ff\u0800\uffff")"),
         named(u"café λ\u07ff\u0800\uffff"_s)},
        {"an escape after UTF-8", nameWritten(R"("禁\u7159")"), named(u"禁煙"_s)},
        {"a control character as an escape", nameWritten(R"("\u0000\u001f")"), named(QString(QChar(0)) + u"\u001f"_s)},
        {"an empty name", nameWritten(R"("")"), named(QString())},
        {"no records", R"({"version": 1, "records": []})", {}},
        {"an empty record passed over",
         R"({"version": 1, "records": [{"name": "空", "runs": [], "prices": []}]})", {}},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Forms, ReadingJson, ::testing::ValuesIn(jsonForms()), whatName);

// What RFC 8259 does not allow, and what a record file never holds, are no record file.
std::vector<Unreadable> notJson()
{
    const Kind D = Kind::Damaged;
    const QByteArray good = fileWith(kRun);
    const auto versionAs = [&](const char *text) {
        return QByteArray(good).replace("\"version\": 1", QByteArray("\"version\": ") + text);
    };
    QByteArray deep = R"({"version": 2, "goals": )";
    QByteArray deeper = deep;
    deep += QByteArray(100, '[') + QByteArray(100, ']') + "}";
    deeper += QByteArray(300, '[') + QByteArray(300, ']') + "}";
    // clang-format off
    return {
        {"a comma after the last item", QByteArray(good).replace("}]}]}", "},]}]}"), D},
        {"a comma after the last key", QByteArray(good).replace("]}]}", "],}]}"), D},
        {"a comment", "// records\n" + good, D},
        {"single quotes", R"({'version': 1, 'records': []})", D},
        {"a key without quotes", R"({version: 1, "records": []})", D},
        {"the version with a leading zero", versionAs("01"), D},
        {"the version with a plus", versionAs("+1"), D},
        {"the version ending in a point", versionAs("1."), D},
        {"the version as NaN", versionAs("NaN"), D},
        {"the version as true", versionAs("true"), D},
        {"the version as null", versionAs("null"), D},
        {"the version twice", QByteArray(good).replace("\"version\": 1", "\"version\": 1, \"version\": 1"), D},
        {"a key twice", fileWith(R"({"start": "2026-09-01", "start": "2026-09-01", "firstDaily": "1"})"), D},
        {"the name twice", QByteArray(good).replace("\"name\": \"禁煙\"", "\"name\": \"禁煙\", \"name\": \"a\""), D},
        {"a high surrogate alone", nameWritten(R"("\ud83d")"), D},
        {"a low surrogate alone", nameWritten(R"("\ude00")"), D},
        {"a high surrogate before a letter", nameWritten(R"("\ud83d\u0041")"), D},
        {"two high surrogates", nameWritten(R"("\ud83d\ud83d")"), D},
        {"an unknown escape", nameWritten(R"("\x41")"), D},
        {"a short unicode escape", nameWritten(R"("\u12")"), D},
        {"a unicode escape that is not hex", nameWritten(R"("\u12G4")"), D},
        {"a backslash at the end", nameWritten(R"("a\")"), D},
        {"a tab inside a string", nameWritten("\"a\tb\""), D},
        {"a line end inside a string", nameWritten("\"a\nb\""), D},
        {"bytes that are not UTF-8", nameWritten("\"\xC3\x28\""), D},
        {"an overlong slash", nameWritten("\"\xC0\xAF\""), D},
        {"a surrogate in UTF-8", nameWritten("\"\xED\xA0\x80\""), D},
        {"a byte FF", nameWritten("\"\xFF\""), D},
        {"UTF-8 cut short", nameWritten("\"\xE7\xA6\""), D},
        {"bad UTF-8 beside an escape", nameWritten("\"\xC3\\u0041\""), D},
        {"a byte order mark", "\xEF\xBB\xBF" + good, D},
        {"a second document", good + good, D},
        {"a letter after the document", good + "x", D},
        {"null", "null", D},
        {"a string", R"("version")", D},
        {"an object cut short", R"({"version": 1, "records": [)", D},
        {"a later version that is not JSON", R"({"version": 2, "records": [1, 2,]})", D},
        {"a later version nested deep", deep, Kind::UnknownVersion},
        {"nesting deeper than any record file", deeper, D},
        {"a later version after records of another shape", R"({"records": {"goals": [1]}, "version": 2})", Kind::UnknownVersion},
        {"a version too large for a number", R"({"version": 1e400, "records": []})", Kind::UnknownVersion},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(NotJson, ReadingARecordFile, ::testing::ValuesIn(notJson()), whatName);

TEST(RecordFileFormat, ReadsTheFormItDescribes)
{
    const auto parsed = parseRecordFile(
        fileWith(R"({"start": "2026-09-01", "end": "2026-10-05", "firstDaily": "500"},)"
                 R"({"start": "2026-10-05", "firstDaily": "-0.25"})"));
    ASSERT_TRUE(parsed) << parsed.error().detail.toStdString();
    const QuitRecord expected{u"禁煙"_s,
                              {QuitRun{QDate(2026, 9, 1), QDate(2026, 10, 5), Amount::fromYen(500)},
                               QuitRun{QDate(2026, 10, 5), std::nullopt, Amount{-2'500}}},
                              {PriceChange{QDate(2026, 10, 1), Amount::fromYen(600)}}};
    EXPECT_EQ(*parsed, QuitRecords{expected});
}

// --- The file on disk ------------------------------------------------------------------------

const QuitRecords kRecords = {
    QuitRecord{u"禁煙"_s,
               {QuitRun{QDate(2026, 9, 1), std::nullopt, Amount::fromYen(500)}},
               {PriceChange{QDate(2026, 10, 1), Amount::fromYen(600)}}},
    QuitRecord{
        u"コーヒー"_s, {QuitRun{QDate(2025, 1, 1), QDate(2025, 3, 1), Amount{3'505'000}}}, {}},
};

class RecordFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(u"ぽみろの記録.json"_s); }
    RecordFile file() const { return RecordFile(QDir(folder())); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QByteArray readFile() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
    }

    QStringList leftInFolder() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                        QDir::Name);
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(RecordFileTest, NoFileIsNoRecordsUntilTheFirstWrite)
{
    RecordFile records = file();
    EXPECT_EQ(records.path(), path());
    const auto loaded = records.load();
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->isEmpty());
    EXPECT_FALSE(records.readOnly());
    EXPECT_FALSE(records.changedElsewhere());
    EXPECT_EQ(leftInFolder(), QStringList());

    ASSERT_TRUE(records.write(kRecords));
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords));
    EXPECT_EQ(leftInFolder(), QStringList{u"ぽみろの記録.json"_s});
    // Its own write is no change elsewhere, and the next one goes ahead.
    EXPECT_FALSE(records.changedElsewhere());
    ASSERT_TRUE(records.write(kRecords.mid(1)));
    EXPECT_EQ(*file().load(), kRecords.mid(1));
}

// What another program did to the file since it was read: the write is refused and the file keeps
// what the other one left, byte for byte.
struct OtherProgram : Described
{
    bool fileAtLoad;
    std::optional<QByteArray> leftBehind; // none: the file removed
};

class ChangedByAnotherProgram : public RecordFileTest,
                                public ::testing::WithParamInterface<OtherProgram>
{};

TEST_P(ChangedByAnotherProgram, IsNeverOverwritten)
{
    const OtherProgram &c = GetParam();
    if (c.fileAtLoad)
        writeFile(encodeRecordFile(kRecords));
    RecordFile records = file();
    ASSERT_TRUE(records.load());
    if (c.leftBehind)
        writeFile(*c.leftBehind);
    else
        ASSERT_TRUE(QFile::remove(path()));

    EXPECT_TRUE(records.changedElsewhere());
    const auto written = records.write(kRecords.mid(0, 1));
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(QFileInfo::exists(path()), c.leftBehind.has_value());
    if (c.leftBehind) {
        EXPECT_EQ(readFile(), *c.leftBehind);
    }

    // Read again, it writes on from there.
    ASSERT_TRUE(records.load());
    EXPECT_FALSE(records.changedElsewhere());
    ASSERT_TRUE(records.write(kRecords.mid(0, 1)));
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords.mid(0, 1)));
}

QByteArray withARecordAdded()
{
    const QuitRecord added{u"新"_s, {}, {PriceChange{QDate(2026, 1, 1), Amount{1}}}};
    return encodeRecordFile(kRecords + QuitRecords{added});
}

QByteArray oneByteChanged()
{
    QByteArray bytes = encodeRecordFile(kRecords);
    bytes.replace("500", "501");
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangedByAnotherProgram,
    ::testing::Values(OtherProgram{{"a record added"}, true, withARecordAdded()},
                      OtherProgram{{"the same size, one byte changed"}, true, oneByteChanged()},
                      OtherProgram{{"emptied"}, true, QByteArray()},
                      OtherProgram{{"removed"}, true, std::nullopt},
                      OtherProgram{
                          {"made where there was none"}, false, encodeRecordFile(kRecords)}),
    whatName);

TEST_F(RecordFileTest, SameBytesWrittenAgainAreNoChange)
{
    writeFile(encodeRecordFile(kRecords));
    RecordFile records = file();
    ASSERT_TRUE(records.load());
    writeFile(encodeRecordFile(kRecords));
    EXPECT_FALSE(records.changedElsewhere());
    EXPECT_TRUE(records.write(kRecords.mid(1)));
}

// A file this program cannot read whole is kept as it is: never written over, whatever is asked.
struct Kept : Described
{
    QByteArray bytes;
    Kind kind;
};

class AFileItCannotRead : public RecordFileTest, public ::testing::WithParamInterface<Kept>
{};

TEST_P(AFileItCannotRead, IsKeptByteForByte)
{
    writeFile(GetParam().bytes);
    RecordFile records = file();
    const auto loaded = records.load();
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().kind, GetParam().kind);
    EXPECT_TRUE(records.readOnly());
    EXPECT_FALSE(records.changedElsewhere());
    for (const QuitRecords &some : {kRecords, QuitRecords()}) {
        const auto written = records.write(some);
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().kind, Kind::ReadOnly);
    }
    EXPECT_EQ(readFile(), GetParam().bytes);
    EXPECT_EQ(leftInFolder(), QStringList{u"ぽみろの記録.json"_s});

    // Mended by another program: noticed, and once read, written again.
    writeFile(encodeRecordFile(kRecords));
    EXPECT_TRUE(records.changedElsewhere());
    const auto written = records.write(QuitRecords());
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(*records.load(), kRecords);
    EXPECT_FALSE(records.readOnly());
    EXPECT_TRUE(records.write(kRecords.mid(1)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, AFileItCannotRead,
    ::testing::Values(Kept{{"damaged"}, fileWith(kRun).chopped(1), Kind::Damaged},
                      Kept{{"a duplicate name"},
                           encodeRecordFile(kRecords).replace("コーヒー", "禁煙"),
                           Kind::Damaged},
                      Kept{{"of a later version"},
                           R"({"version": 2, "records": [], "goals": []})",
                           Kind::UnknownVersion}),
    whatName);

TEST_F(RecordFileTest, AnUnreadableFileIsNeitherReadNorReplaced)
{
    const QByteArray bytes = encodeRecordFile(kRecords);
    writeFile(bytes);
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::WriteOwner));
    RecordFile records = file();
    {
        ObeyFilePermissions obey;
        const auto loaded = records.load();
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.error().kind, Kind::ReadFailed);
        EXPECT_FALSE(records.changedElsewhere()) << "still unreadable";
        const auto written = records.write(QuitRecords());
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().kind, Kind::ReadFailed);
    }
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readFile(), bytes);
    EXPECT_TRUE(records.changedElsewhere()) << "readable again";
    EXPECT_EQ(*records.load(), kRecords);
}

// The folder's own faults, each made for real, and a replacing write that fails.
struct FolderCase : Described
{
    std::optional<FolderFault> fault; // none: the replacer fails for want of space
    Kind kind;
};

class AFailedWrite : public RecordFileTest, public ::testing::WithParamInterface<FolderCase>
{};

TEST_P(AFailedWrite, LeavesTheOldFileAndSaysWhy)
{
    const FolderCase &c = GetParam();
    if (c.fault && needsMount(*c.fault))
        POMIRO_REQUIRE_MOUNTS(c.what);
    std::optional<FaultyFolder> faulty;
    if (c.fault) {
        faulty.emplace(folder(), *c.fault);
        ASSERT_EQ(faulty->error(), QString());
    }
    const QByteArray old = encodeRecordFile(kRecords);
    writeFile(old);
    RecordFile records = file();
    ASSERT_TRUE(records.load());
    if (faulty) {
        ASSERT_TRUE(faulty->strike(u"ぽみろの記録.json"_s));
    } else {
        records.setReplacer([](const QString &, const QByteArray &) -> Result<void, SaveError> {
            return fail(SaveError{u"No space left on device"_s, true});
        });
    }

    const auto written = [&] {
        ObeyFilePermissions obey;
        return records.write(kRecords.mid(1));
    }();

    ASSERT_FALSE(written) << "a write that did not happen was reported as done";
    EXPECT_EQ(written.error().kind, c.kind);
    if (c.kind == Kind::DiskFull) {
        EXPECT_FALSE(written.error().detail.isEmpty());
    }
    if (c.fault == FolderFault::FileIsAFolder) {
        EXPECT_TRUE(QFileInfo(path()).isDir());
        return;
    }
    EXPECT_EQ(readFile(), old);
    EXPECT_EQ(leftInFolder(), (faulty ? faulty->leftByFault() : QStringList()) +
                                  QStringList{u"ぽみろの記録.json"_s})
        << "something was left beside the file";
    // Nothing was written, so nothing changed elsewhere: once the cause is gone, the next write
    // goes ahead.
    if (faulty) {
        ASSERT_TRUE(faulty->heal());
    }
    records.setReplacer(replaceFileAtomically);
    ASSERT_TRUE(records.write(kRecords.mid(1)));
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords.mid(1)));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AFailedWrite,
    ::testing::Values(
        FolderCase{{"replacer finds the disk full"}, std::nullopt, Kind::DiskFull},
        FolderCase{{"full disk"}, FolderFault::DiskFull, Kind::DiskFull},
        FolderCase{{"read-only mount"}, FolderFault::ReadOnlyMount, Kind::WriteFailed},
        FolderCase{{"folder not writable"}, FolderFault::FolderNotWritable, Kind::WriteFailed},
        FolderCase{{"file replaced by a folder"}, FolderFault::FileIsAFolder, Kind::ReadFailed}),
    whatName);

TEST_F(RecordFileTest, AFailingReplacerIsAFailedWrite)
{
    RecordFile records = file();
    ASSERT_TRUE(records.load());
    records.setReplacer(failingReplacer());
    const auto written = records.write(kRecords);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().kind, Kind::WriteFailed);
    EXPECT_FALSE(QFileInfo::exists(path()));
    EXPECT_FALSE(records.changedElsewhere());
}

// Copies a power cut left beside the file go when it is read, if they are over an hour old.
TEST_F(RecordFileTest, LoadRemovesOldLeftoverCopies)
{
    writeFile(encodeRecordFile(kRecords));
    const auto copy = [&](const QString &suffix, int minutesOld) {
        const QString at = path() + suffix;
        QFile f(at);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        const timespec when{std::time(nullptr) - 60 * minutesOld, 0};
        const timespec times[2] = {when, when};
        EXPECT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(at).constData(), times, 0), 0);
    };
    copy(u".AbCdEz"_s, 120);
    copy(u".QwErTy"_s, 5);
    copy(u".backup"_s, 120);
    RecordFile records = file();
    EXPECT_EQ(*records.load(), kRecords);
    EXPECT_EQ(leftInFolder(), (QStringList{u"ぽみろの記録.json"_s, u"ぽみろの記録.json.QwErTy"_s,
                                           u"ぽみろの記録.json.backup"_s}));
}

} // namespace
