// The record file: what it holds read back exactly (and as Qt's JSON reader reads it), what it
// refuses to read, and what the file system's faults and other programs leave of it.

#include "core/recordfile.h"

#include "tests/support/cases.h"
#include "tests/support/datafiles.h"
#include "tests/support/fsfaults.h"
#include "tests/support/recordjson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
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

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

// Random records that keep the rules: runs in order, only the last going on, prices by date.
QuitRecords randomRecords(std::mt19937_64 &random, int count)
{
    const QString names[] = {u"禁煙"_s, u"say \"hi\"\\n"_s, u"😀 絵文字"_s, u"{\"x\": 1}"_s,
                             u"\u0001\u007f"_s};
    const qint64 special[] = {0, 1, -1, 5'000, -9'999, kMax, kMin, 5'000'000};
    const auto amount = [&] {
        const auto pick = random() % 3;
        return Amount{pick == 0   ? special[random() % std::size(special)]
                      : pick == 1 ? qint64(random())
                                  : qint64(random() % 20'000'000) - 1'000'000};
    };
    const auto someDay = [&] { return QDate(1900, 1, 1).addDays(qint64(random() % 40'000)); };
    QuitRecords records;
    for (int i = 0; i < count; ++i) {
        QuitRecord record{names[i % std::size(names)] + QString::number(i), {}, {}};
        QDate at = someDay();
        for (auto runs = random() % 6; runs > 0; --runs) {
            record.runs << QuitRun{at, at.addDays(qint64(random() % 400)), amount()};
            at = record.runs.last().end->addDays(qint64(random() % 3));
        }
        if (!record.runs.isEmpty() && random() % 2)
            record.runs.last().end.reset();
        QDate from = someDay();
        for (auto prices = random() % 5 + (record.runs.isEmpty() ? 1 : 0); prices > 0; --prices) {
            record.prices << PriceChange{from, amount()};
            from = from.addDays(1 + qint64(random() % 90));
        }
        records << record;
    }
    return records;
}

TEST(RecordFileFormat, ReadsBackWhatItWroteAsQtReadsIt)
{
    std::mt19937_64 random(20260901);
    for (int round = 0; round < 60; ++round) {
        const QuitRecords records = randomRecords(random, round % 7 * 3);
        const QByteArray bytes = encodeRecordFile(records);
        ASSERT_EQ(parseRecordFile(bytes).value(), records) << bytes.toStdString();
        EXPECT_EQ(recordsThroughQtJson(bytes), records);
        const QByteArray indented = QJsonDocument::fromJson(bytes).toJson(QJsonDocument::Indented);
        EXPECT_EQ(parseRecordFile(indented).value(), records);
    }
    // Amounts as exact decimal yen, never a double's digits; records with nothing are left out.
    // clang-format off
    const std::pair<qint64, const char *> texts[] = {{0, "0"}, {-30'000, "-3"}, {12'505'000, "1250.5"}, {1, "0.0001"},
        {-10'010, "-1.001"}, {5'000'000'000'000'000'001, "500000000000000.0001"}, {kMax, "922337203685477.5807"}, {kMin, "-922337203685477.5808"}};
    // clang-format on
    for (const auto &[units, text] : texts) {
        const QuitRecord record{
            u"x"_s, {QuitRun{QDate(2026, 9, 1), std::nullopt, Amount{units}}}, {}};
        const QByteArray bytes = encodeRecordFile({QuitRecord{u"空"_s, {}, {}}, record});
        EXPECT_TRUE(bytes.contains(QByteArray("\"firstDaily\":\"") + text + '"'))
            << bytes.toStdString();
        EXPECT_FALSE(bytes.contains("空"));
        EXPECT_EQ(parseRecordFile(bytes).value(), QuitRecords{record});
    }
}

// A file of one record whose run and price change are given as JSON text.
QByteArray fileWith(const char *run,
                    const char *price = R"({"from": "2026-10-01", "daily": "600"})")
{
    return QByteArray(R"({"version": 1, "records": [{"name": "禁煙", "runs": [)") + run +
           R"(], "prices": [)" + price + "]}]}";
}

const char *const kRun = R"({"start": "2026-09-01", "end": "2026-10-05", "firstDaily": "500"})";

QByteArray withName(const QByteArray &name)
{
    return fileWith(kRun).replace("\"禁煙\"", name);
}

QByteArray withVersion(const QByteArray &version)
{
    return fileWith(kRun).replace("\"version\": 1", "\"version\": " + version);
}

// JSON as any program may write it, read as Qt's own reader reads it.
struct JsonForm : Described
{
    QByteArray bytes;
    std::optional<QString> name; // of the one record of fileWith(kRun); none: no records at all
};

class ReadingJson : public ::testing::TestWithParam<JsonForm>
{};

TEST_P(ReadingJson, GivesTheRecordsQtReadsToo)
{
    const auto parsed = parseRecordFile(GetParam().bytes);
    ASSERT_TRUE(parsed) << parsed.error().detail.toStdString();
    QuitRecords expected;
    if (GetParam().name)
        expected << QuitRecord{
            *GetParam().name,
            {QuitRun{QDate(2026, 9, 1), QDate(2026, 10, 5), Amount::fromYen(500)}},
            {PriceChange{QDate(2026, 10, 1), Amount::fromYen(600)}}};
    EXPECT_EQ(*parsed, expected);
    EXPECT_EQ(recordsThroughQtJson(GetParam().bytes), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Forms, ReadingJson, ::testing::Values(
    JsonForm{{"blanks of every kind"}, " \t\r\n{ \"version\" :1 ,\n\t\"records\"\r\n:[ {\"name\" : \"禁煙\", \"runs\" : [ " + QByteArray(kRun) + " ] ,\"prices\":[{ \"from\":\"2026-10-01\" , \"daily\" : \"600\" } ] } ]\n}\n ", u"禁煙"_s},
    JsonForm{{"keys in another order"}, R"({"records": [{"prices": [{"daily": "600", "from": "2026-10-01"}], "runs": [{"firstDaily": "500", "end": "2026-10-05", "start": "2026-09-01"}], "name": "禁煙"}], "version": 1})", u"禁煙"_s},
    JsonForm{{"escapes in keys, dates and amounts"}, R"({"\u0076ersion": 1, "records": [{"name": "\u7981\u7159", "runs": [{"start": "2026\u002d09\u002D01", "en\u0064": "2026-10-05", "firstDaily": "\u0035\u0030\u0030"}], "prices": [{"from": "2026-10-01", "daily": "600"}]}]})", u"禁煙"_s},
    JsonForm{{"the version as 10E-1"}, withVersion("10E-1"), u"禁煙"_s},
    JsonForm{{"the version as 0.1e+1"}, withVersion("0.1e+1"), u"禁煙"_s},
    JsonForm{{"every escape of a name"}, withName(R"("a\"b\\c\/d\b\f\n\r\t")"), u"a\"b\\c/d\b\f\n\r\t"_s},
    JsonForm{{"escapes of two and three bytes"}, withName(R"("caf\u00e9 \u03BB\u07ff\u0800\uffff")"), u"café λ\u07ff\u0800\uffff"_s},
    JsonForm{{"a surrogate pair"}, withName(R"("\ud83d\uDE00!")"), u"😀!"_s},
    JsonForm{{"four bytes of UTF-8 and an escape"}, withName("\"😀\\u7159\""), u"😀煙"_s},
    JsonForm{{"control characters as escapes"}, withName(R"("\u0000\u001f")"), QString(QChar(0)) + u"\u001f"_s},
    JsonForm{{"an empty name"}, withName(R"("")"), u""_s},
    JsonForm{{"an empty record passed over"}, R"({"version": 1, "records": [{"name": "空", "runs": [], "prices": []}]})", std::nullopt},
    JsonForm{{"nothing at all"}, "", std::nullopt}),
    whatName);
// clang-format on

struct Unreadable : Described
{
    QByteArray bytes;
    Kind kind = Kind::Damaged;
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
    const QByteArray good = fileWith(kRun);
    const QByteArray deep =
        R"({"version": 2, "x": )" + QByteArray(100, '[') + QByteArray(100, ']') + "}";
    const QByteArray deeper =
        R"({"version": 2, "x": )" + QByteArray(300, '[') + QByteArray(300, ']') + "}";
    const auto startAs = [](const char *date) {
        return fileWith((QByteArray(R"({"firstDaily": "5", "start": )") + date + "}").constData());
    };
    const auto dailyAs = [](const char *amount) {
        return fileWith(
            (QByteArray(R"({"start": "2026-09-01", "firstDaily": )") + amount + "}").constData());
    };
    // clang-format off
    return {
        {{"not JSON"}, "ぽみろ"}, {{"cut short"}, good.chopped(3)}, {{"a blank"}, " "}, {{"an array"}, "[]"}, {{"null"}, "null"},
        {{"a comma after the last item"}, QByteArray(good).replace("}]}]}", "},]}]}")},
        {{"a comma after the last key"}, QByteArray(good).replace("]}]}", "],}]}")},
        {{"a comment"}, "// records\n" + good}, {{"single quotes"}, R"({'version': 1, 'records': []})"},
        {{"a byte order mark"}, "\xEF\xBB\xBF" + good}, {{"a second document"}, good + good}, {{"a letter after it"}, good + "x"},
        {{"no version"}, R"({"records": []})"}, {{"the version as text"}, withVersion("\"1\"")}, {{"the version as true"}, withVersion("true")},
        {{"the version 01"}, withVersion("01")}, {{"the version with a plus"}, withVersion("+1")}, {{"the version ending in a point"}, withVersion("1.")},
        {{"the version twice"}, withVersion("1, \"version\": 1")}, {{"no records"}, R"({"version": 1})"},
        {{"records not a list"}, R"({"version": 1, "records": {}})"}, {{"an unknown key"}, R"({"version": 1, "records": [], "x": 0})"},
        {{"a record not an object"}, R"({"version": 1, "records": [1]})"},
        {{"a record without prices"}, R"({"version": 1, "records": [{"name": "a", "runs": []}]})"},
        {{"a name that is a number"}, withName("5")}, {{"the name twice"}, withName(R"("a", "name": "b")")},
        {{"two records of one name"}, R"({"version": 1, "records": [{"name": "a", "runs": [], "prices": [{"from": "2026-01-01", "daily": "1"}]}, {"name": "a", "runs": [], "prices": [{"from": "2026-01-02", "daily": "1"}]}]})"},
        {{"a high surrogate alone"}, withName(R"("\ud83d")")}, {{"a low surrogate alone"}, withName(R"("\ude00")")},
        {{"a high surrogate before a letter"}, withName(R"("\ud83d\u0041")")}, {{"an unknown escape"}, withName(R"("\x41")")},
        {{"a short unicode escape"}, withName(R"("\u12")")}, {{"an escape not hex"}, withName(R"("\u12G4")")},
        {{"a backslash at the end"}, withName(R"("a\")")}, {{"a tab in a string"}, withName("\"a\tb\"")},
        {{"bytes that are not UTF-8"}, withName("\"\xC3\x28\"")}, {{"an overlong slash"}, withName("\"\xC0\xAF\"")},
        {{"a surrogate in UTF-8"}, withName("\"\xED\xA0\x80\"")}, {{"a byte FF"}, withName("\"\xFF\"")},
        {{"UTF-8 cut short"}, withName("\"\xE7\xA6\"")}, {{"bad UTF-8 before an escape"}, withName("\"\xC3\\u0041\"")},
        {{"a run without a start"}, fileWith(R"({"firstDaily": "500"})")}, {{"a run with a note"}, fileWith(R"({"start": "2026-09-01", "firstDaily": "5", "note": ""})")},
        {{"a start twice"}, fileWith(R"({"start": "2026-09-01", "start": "2026-09-01", "firstDaily": "1"})")},
        {{"an end of null"}, fileWith(R"({"start": "2026-09-01", "end": null, "firstDaily": "5"})")},
        {{"February 30th"}, startAs(R"("2026-02-30")")}, {{"a date in slashes"}, startAs(R"("2026/09/01")")},
        {{"a date without zeros"}, startAs(R"("2026-9-1")")}, {{"a date with a time"}, startAs(R"("2026-09-01T00:00")")},
        {{"a date as a number"}, startAs("20260901")}, {{"the year 0"}, startAs(R"("0000-01-01")")},
        {{"a letter in the year"}, startAs(R"("(024-02-29")")}, {{"a sign in the month"}, startAs(R"("2024--2-09")")},
        {{"an amount as a number"}, dailyAs("500")}, {{"an amount with a yen sign"}, dailyAs(R"("\\500")")},
        {{"an amount with commas"}, dailyAs(R"("1,500")")}, {{"five decimals"}, dailyAs(R"("0.00001")")},
        {{"a point at the end"}, dailyAs(R"("5.")")}, {{"a point first"}, dailyAs(R"(".5")")}, {{"a plus"}, dailyAs(R"("+5")")},
        {{"a blank in an amount"}, dailyAs(R"(" 5")")}, {{"a minus alone"}, dailyAs(R"("-")")}, {{"an empty amount"}, dailyAs(R"("")")},
        {{"full-width digits"}, dailyAs(R"("５００")")}, {{"past the top"}, dailyAs(R"("922337203685477.5808")")},
        {{"past the bottom"}, dailyAs(R"("-922337203685477.5809")")}, {{"twenty digits"}, dailyAs(R"("18446744073709551617")")},
        {{"a run ending before it starts"}, fileWith(R"({"start": "2026-09-01", "end": "2026-08-31", "firstDaily": "1"})")},
        {{"runs out of order"}, fileWith(R"({"start": "2026-09-01", "end": "2026-09-05", "firstDaily": "1"}, {"start": "2026-01-01", "end": "2026-01-05", "firstDaily": "1"})")},
        {{"runs overlapping by a day"}, fileWith(R"({"start": "2026-09-01", "end": "2026-09-05", "firstDaily": "1"}, {"start": "2026-09-04", "firstDaily": "1"})")},
        {{"a run going on before another"}, fileWith(R"({"start": "2026-09-01", "firstDaily": "1"}, {"start": "2026-09-04", "firstDaily": "1"})")},
        {{"a price change without an amount"}, fileWith(kRun, R"({"from": "2026-10-01"})")},
        {{"price changes out of order"}, fileWith(kRun, R"({"from": "2026-10-02", "daily": "1"}, {"from": "2026-10-01", "daily": "2"})")},
        {{"two price changes on one day"}, fileWith(kRun, R"({"from": "2026-10-01", "daily": "1"}, {"from": "2026-10-01", "daily": "2"})")},
        {{"a later version that is not JSON"}, R"({"version": 2, "records": [1, 2,]})"},
        {{"nesting deeper than any record file"}, deeper},
        {{"version 2"}, R"({"version": 2, "records": []})", Kind::UnknownVersion},
        {{"version 0"}, withVersion("0"), Kind::UnknownVersion},
        {{"version 2 nested deep"}, deep, Kind::UnknownVersion},
        {{"version 2 after records of another shape"}, R"({"records": {"goals": [1]}, "version": 2})", Kind::UnknownVersion},
        {{"a version too large for a number"}, R"({"version": 1e400, "records": []})", Kind::UnknownVersion},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Files, ReadingARecordFile, ::testing::ValuesIn(unreadables()), whatName);

// --- The file on disk ------------------------------------------------------------------------

const QuitRecords kRecords = {
    QuitRecord{u"禁煙"_s, {QuitRun{QDate(2026, 9, 1), std::nullopt, Amount::fromYen(500)}}, {}},
    QuitRecord{u"コーヒー"_s, {}, {PriceChange{QDate(2025, 1, 1), Amount{3'505'000}}}},
};
const QString kFileName = u"ぽみろの記録.json"_s;

class RecordFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(kFileName); }
    RecordFile file() const { return RecordFile(QDir(folder())); }
    QStringList left() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                        QDir::Name);
    }

    void writeFile(const QByteArray &bytes) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    f.write(bytes) == bytes.size());
    }

    QByteArray readFile() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no file)");
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(RecordFileTest, NoFileIsNoRecordsUntilTheFirstWrite)
{
    RecordFile records = file();
    EXPECT_EQ(records.path(), path());
    EXPECT_EQ(records.load().value(), QuitRecords());
    EXPECT_FALSE(records.readOnly());
    EXPECT_FALSE(records.changedElsewhere());
    EXPECT_EQ(left(), QStringList());
    ASSERT_TRUE(records.write(kRecords));
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords));
    // Its own writes and the same bytes written again are no change elsewhere.
    writeFile(encodeRecordFile(kRecords));
    EXPECT_FALSE(records.changedElsewhere());
    ASSERT_TRUE(records.write(kRecords.mid(1)));
    EXPECT_EQ(file().load().value(), kRecords.mid(1));
    EXPECT_EQ(left(), QStringList{kFileName});
}

// Another program changed the file since it was read: refused, and the file keeps what it wrote.
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
    EXPECT_EQ(readFile(), c.leftBehind.value_or("(no file)"));
    // Read again, it writes on from there.
    ASSERT_TRUE(records.load());
    ASSERT_TRUE(records.write(kRecords.mid(0, 1)));
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords.mid(0, 1)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Changes, ChangedByAnotherProgram, ::testing::Values(
    OtherProgram{{"a record added"}, true, encodeRecordFile(kRecords + QuitRecords{QuitRecord{u"新"_s, {}, {{QDate(2026, 1, 1), Amount{1}}}}})},
    OtherProgram{{"the same size, one byte changed"}, true, encodeRecordFile(kRecords).replace("500", "501")},
    OtherProgram{{"emptied"}, true, QByteArray()},
    OtherProgram{{"removed"}, true, std::nullopt},
    OtherProgram{{"made where there was none"}, false, encodeRecordFile(kRecords)}),
    whatName);
// clang-format on

// A file this program cannot read whole is kept byte for byte, whatever is asked, until another
// program mends it.
class AFileItCannotRead : public RecordFileTest, public ::testing::WithParamInterface<Unreadable>
{};

TEST_P(AFileItCannotRead, IsNeverWrittenOver)
{
    writeFile(GetParam().bytes);
    RecordFile records = file();
    const auto loaded = records.load();
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().kind, GetParam().kind);
    EXPECT_TRUE(records.readOnly());
    EXPECT_FALSE(records.changedElsewhere());
    for (const QuitRecords &some : {kRecords, QuitRecords()})
        EXPECT_EQ(records.write(some).error().kind, Kind::ReadOnly);
    EXPECT_EQ(readFile(), GetParam().bytes);
    EXPECT_EQ(left(), QStringList{kFileName});

    writeFile(encodeRecordFile(kRecords));
    EXPECT_TRUE(records.changedElsewhere());
    EXPECT_EQ(records.write(QuitRecords()).error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(records.load().value(), kRecords);
    EXPECT_TRUE(records.write(kRecords.mid(1)));
}

INSTANTIATE_TEST_SUITE_P(
    Files, AFileItCannotRead,
    ::testing::Values(
        Unreadable{{"damaged"}, fileWith(kRun).chopped(1)},
        Unreadable{{"of a duplicate name"}, encodeRecordFile(kRecords).replace("コーヒー", "禁煙")},
        Unreadable{{"of a later version"}, R"({"version": 2, "goals": []})", Kind::UnknownVersion}),
    whatName);

TEST_F(RecordFileTest, AFileItMayNotReadIsNeitherReadNorReplaced)
{
    writeFile(encodeRecordFile(kRecords));
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::WriteOwner));
    RecordFile records = file();
    {
        ObeyFilePermissions obey;
        EXPECT_EQ(records.load().error().kind, Kind::ReadFailed);
        EXPECT_FALSE(records.changedElsewhere()) << "still unreadable";
        EXPECT_EQ(records.write(QuitRecords()).error().kind, Kind::ReadFailed);
    }
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_TRUE(records.changedElsewhere()) << "readable again";
    EXPECT_EQ(records.load().value(), kRecords);
}

// The folder's faults, each made for real, and replacing writes that fail.
struct Fault : Described
{
    std::optional<FolderFault> fault; // none: the replacer fails
    bool diskFull;                    // of the failing replacer
    Kind kind;
};

class AFailedWrite : public RecordFileTest, public ::testing::WithParamInterface<Fault>
{};

TEST_P(AFailedWrite, LeavesTheOldFileAndSaysWhy)
{
    const Fault &c = GetParam();
    if (c.fault && needsMount(*c.fault))
        POMIRO_REQUIRE_MOUNTS(c.what);
    std::optional<FaultyFolder> faulty;
    if (c.fault) {
        faulty.emplace(folder(), *c.fault);
        ASSERT_EQ(faulty->error(), QString());
    }
    writeFile(encodeRecordFile(kRecords));
    RecordFile records = file();
    ASSERT_TRUE(records.load());
    if (faulty)
        ASSERT_TRUE(faulty->strike(kFileName));
    else if (c.diskFull)
        records.setReplacer([](const QString &, const QByteArray &) -> Result<void, SaveError> {
            return fail(SaveError{u"No space left on device"_s, true});
        });
    else
        records.setReplacer(failingReplacer());
    const auto written = [&] {
        ObeyFilePermissions obey;
        return records.write(kRecords.mid(1));
    }();
    ASSERT_FALSE(written) << "a write that did not happen was reported as done";
    EXPECT_EQ(written.error().kind, c.kind);
    if (c.fault == FolderFault::FileIsAFolder) {
        EXPECT_TRUE(QFileInfo(path()).isDir());
        return;
    }
    EXPECT_FALSE(written.error().detail.isEmpty());
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords));
    EXPECT_EQ(left(), (faulty ? faulty->leftByFault() : QStringList()) + QStringList{kFileName});
    // Nothing changed elsewhere: once the cause is gone, the next write goes ahead.
    ASSERT_TRUE(!faulty || faulty->heal());
    records.setReplacer(replaceFileAtomically);
    ASSERT_TRUE(records.write(kRecords.mid(1)));
    EXPECT_EQ(readFile(), encodeRecordFile(kRecords.mid(1)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Faults, AFailedWrite, ::testing::Values(
    Fault{{"the replacer finds the disk full"}, std::nullopt, true, Kind::DiskFull},
    Fault{{"the replacer fails"}, std::nullopt, false, Kind::WriteFailed},
    Fault{{"full disk"}, FolderFault::DiskFull, false, Kind::DiskFull},
    Fault{{"read-only mount"}, FolderFault::ReadOnlyMount, false, Kind::WriteFailed},
    Fault{{"folder not writable"}, FolderFault::FolderNotWritable, false, Kind::WriteFailed},
    Fault{{"file replaced by a folder"}, FolderFault::FileIsAFolder, false, Kind::ReadFailed}),
    whatName);
// clang-format on

// Copies a power cut left beside the file go when it is read, if they are over an hour old.
TEST_F(RecordFileTest, LoadRemovesOldLeftoverCopies)
{
    writeFile(encodeRecordFile(kRecords));
    const std::pair<const char *, int> copies[] = {
        {".AbCdEz", 120}, {".QwErTy", 5}, {".backup", 120}};
    for (const auto &[suffix, minutesOld] : copies) {
        const QByteArray at = QFile::encodeName(path() + QLatin1StringView(suffix));
        ASSERT_TRUE(QFile(QFile::decodeName(at)).open(QIODevice::WriteOnly));
        const timespec when{std::time(nullptr) - 60 * minutesOld, 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(::utimensat(AT_FDCWD, at.constData(), times, 0), 0);
    }
    EXPECT_EQ(file().load().value(), kRecords);
    EXPECT_EQ(left(), (QStringList{kFileName, kFileName + u".QwErTy"_s, kFileName + u".backup"_s}));
}

} // namespace
