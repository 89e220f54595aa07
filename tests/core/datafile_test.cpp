#include "core/datafile.h"

#include "tests/support/cases.h"
#include "tests/support/samples.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using pomiro::DataFile;
using pomiro::DataFileError;
using pomiro::Entries;
using pomiro::Entry;
using pomiro::EntryField;
using pomiro::LoadStop;
using pomiro::parseDataFile;
using pomiro::testing::Described;
using pomiro::testing::entry;
using pomiro::testing::whatName;

const QString kName = u"データ.txt"_s;

QByteArray sjis(const char *hex)
{
    return QByteArray::fromHex(hex);
}

// "name","","",...,"" CR LF: a line as the program writes it, from raw name bytes.
QByteArray line(const QByteArray &name, const QByteArray &day = {})
{
    QByteArray bytes = "\"" + name + "\",\"" + day + "\"";
    for (int i = 0; i < 9; ++i)
        bytes += ",\"\"";
    return bytes + "\r\n";
}

QByteArray lines(int from, int to)
{
    QByteArray bytes;
    for (int i = from; i <= to; ++i)
        bytes += line("e" + QByteArray::number(i));
    return bytes;
}

class DataFileTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString filePath(const QString &name = kName) const { return m_dir.filePath(name); }

    void writeFile(const QByteArray &bytes, const QString &name = kName) const
    {
        QFile file(filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString &name = kName) const
    {
        QFile file(filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }

    DataFile dataFile() const { return DataFile(QDir(m_dir.path())); }

    // Loads and expects success.
    Entries load(DataFile &file, LoadStop expectedStop = LoadStop::EndOfFile) const
    {
        Entries table;
        const auto report = file.load(table);
        EXPECT_TRUE(report);
        if (report) {
            EXPECT_EQ(report->stop, expectedStop);
        }
        return table;
    }

    QTemporaryDir m_dir;
};

// Raw files through the reading rules: what is read, and where reading stops.
struct Reading : Described
{
    QByteArray bytes;
    std::vector<QString> names;
    LoadStop stop;
    qsizetype unreadOffset; // -1: the whole file
};

std::vector<Reading> readings()
{
    const QByteArray two = line("a") + line("b");
    return {
        {"empty file", "", {}, LoadStop::EndOfFile, -1},
        {"two lines", two, {u"a"_s, u"b"_s}, LoadStop::EndOfFile, -1},
        {"no line end at the end", two.chopped(2), {u"a"_s, u"b"_s}, LoadStop::EndOfFile, -1},
        {"LF and CR line ends",
         line("a").replace("\r\n", "\n") + line("b").replace("\r\n", "\r"),
         {u"a"_s, u"b"_s},
         LoadStop::EndOfFile,
         -1},
        {"blank lines and spaces between entries",
         "\r\n  \r\n" + line("a") + "\r\n\r\n \n" + line("b") + "\r\n",
         {u"a"_s, u"b"_s},
         LoadStop::EndOfFile,
         -1},
        {"text after a closing quote is ignored",
         "\"a\"xy,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"zz\r\n",
         {u"a"_s},
         LoadStop::EndOfFile,
         -1},
        {"eleven fields over two lines",
         "\"a\",\"\",\"\",\"\",\"\"\r\n\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
         {u"a"_s},
         LoadStop::EndOfFile,
         -1},
        {"twelve fields: the twelfth starts the next entry",
         line("a").chopped(2) + ",\"b\"\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n",
         {u"a"_s, u"b"_s},
         LoadStop::EndOfFile,
         -1},
        {"a truncated last entry",
         two + "\"c\",\"\\1\",\"",
         {u"a"_s, u"b"_s},
         LoadStop::IncompleteEntry,
         two.size()},
        {"a quote never closed",
         two + "\"c,,,,,,,,,,\r\n",
         {u"a"_s, u"b"_s},
         LoadStop::IncompleteEntry,
         two.size()},
        {"ten fields and a comma",
         two + line("c").chopped(2).chopped(3) + ",",
         {u"a"_s, u"b"_s},
         LoadStop::IncompleteEntry,
         two.size()},
        {"an entry that is not CP932",
         two + line(sjis("8bd6ff")) + line("d"),
         {u"a"_s, u"b"_s},
         LoadStop::Undecodable,
         two.size()},
        {"a second entry beginning after blank lines",
         line("a") + "\r\n\r\n\"b\",\"",
         {u"a"_s},
         LoadStop::IncompleteEntry,
         line("a").size() + 4},
    };
}

class ReadingRules : public ::testing::TestWithParam<Reading>
{};

TEST_P(ReadingRules, ReadTheEntriesAndStopWhereTheyMust)
{
    const Reading &c = GetParam();
    const auto parsed = parseDataFile(c.bytes);
    std::vector<QString> names;
    for (const Entry &e : parsed.entries)
        names.push_back(e.name);
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(parsed.stop, c.stop);
    EXPECT_EQ(parsed.unreadOffset, c.unreadOffset < 0 ? c.bytes.size() : c.unreadOffset);
}

INSTANTIATE_TEST_SUITE_P(RawFiles, ReadingRules, ::testing::ValuesIn(readings()), whatName);

TEST(ParseDataFile, HandWrittenFileReadsLikeAWrittenOne)
{
    // Unquoted fields, spaces before fields, a quoted field with inner commas and blanks.
    const QByteArray written = "\"" + sjis("8bd6898c") +
                               "\",\"\\500\",\"\\3,500\",\"\",\"\",\"\","
                               "\"\",\"\",\"\",\"\",\"\\5,475,000\"\r\n";
    const QByteArray byHand =
        "  " + sjis("8bd6898c") + ", \\500,  \"\\3,500\",,,,,,,, \"\\5,475,000\"";
    const auto a = parseDataFile(written);
    const auto b = parseDataFile(byHand);
    ASSERT_EQ(a.entries.size(), 1u);
    ASSERT_EQ(b.entries.size(), 1u);
    EXPECT_EQ(a.entries[0], b.entries[0]);
    EXPECT_EQ(a.entries[0].name, u"禁煙"_s);
    EXPECT_EQ(a.entries[0].amounts[1], u"\\3,500"_s);
    EXPECT_EQ(a.entries[0].amounts[9], u"\\5,475,000"_s);

    // An unquoted field keeps the spaces inside and after it: only those before are skipped.
    const auto spaced = parseDataFile(" a b ,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"");
    ASSERT_EQ(spaced.entries.size(), 1u);
    EXPECT_EQ(spaced.entries[0].name, u"a b "_s);
}

TEST(ParseDataFile, StopsAfterThreeHundredEntries)
{
    const auto exactly = parseDataFile(lines(1, 300));
    EXPECT_EQ(exactly.entries.size(), 300u);
    EXPECT_EQ(exactly.stop, LoadStop::EndOfFile);

    const QByteArray more = lines(1, 302);
    const auto full = parseDataFile(more);
    ASSERT_EQ(full.entries.size(), 300u);
    EXPECT_EQ(full.entries.back().name, u"e300"_s);
    EXPECT_EQ(full.stop, LoadStop::TableFull);
    EXPECT_EQ(more.mid(full.unreadOffset), lines(301, 302));
}

TEST(EncodeEntryLine, WritesElevenQuotedCp932Fields)
{
    EXPECT_EQ(*pomiro::encodeEntryLine(entry(u"禁煙"_s)), line(sjis("8bd6898c")));

    // "\1,500" is the six bytes 5C 31 2C 35 30 30; a typed yen sign and 〜 are saved as CP932's.
    Entry e = entry(u"¥〜, a　ｺ"_s, u"\\1,500"_s);
    e.amounts[9] = u"1250.5 typed"_s;
    const QByteArray expected = "\"" + sjis("5c 8160 2c 20 61 8140 ba") + "\",\"" +
                                sjis("5c312c353030") +
                                "\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"1250.5 typed\"\r\n";
    EXPECT_EQ(*pomiro::encodeEntryLine(e), expected);
}

struct UnwritableField : Described
{
    EntryField field;
    QString text;
    char32_t character;
};

class UnwritableText : public ::testing::TestWithParam<UnwritableField>
{};

TEST_P(UnwritableText, IsRefusedByEncodeEntryLine)
{
    const UnwritableField &c = GetParam();
    Entry e = entry(u"ok"_s);
    if (c.field == EntryField::Name)
        e.name = c.text;
    else
        e.amounts[static_cast<size_t>(c.field) - 1] = c.text;
    const auto refused = pomiro::encodeEntryLine(e);
    ASSERT_FALSE(refused) << c.text.toStdString();
    EXPECT_EQ(refused.error().kind, DataFileError::Kind::UnwritableText);
    EXPECT_EQ(refused.error().field, c.field);
    EXPECT_EQ(refused.error().character, c.character);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnwritableText,
    ::testing::Values(UnwritableField{"quote in the name", EntryField::Name, u"say \"hi\""_s, U'"'},
                      UnwritableField{"euro in the name", EntryField::Name, u"禁煙€"_s, U'€'},
                      UnwritableField{"quote in the day", EntryField::Day, u"\\5\"00"_s, U'"'},
                      UnwritableField{"emoji in 30 years", EntryField::Year30, u"😀"_s, U'😀'}),
    whatName);

TEST_F(DataFileTest, MissingFileIsCreatedEmptyAndLoadReplacesTheEntries)
{
    DataFile file = dataFile();
    Entries table = {entry(u"old"_s), entry(u"older"_s), entry(u"oldest"_s)};
    const auto report = file.load(table);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->created);
    EXPECT_TRUE(table.isEmpty());
    EXPECT_TRUE(QFile::exists(filePath()));
    EXPECT_EQ(readFile(), QByteArray());

    writeFile(line("a") + line("b"));
    table = {entry(u"old"_s), entry(u"older"_s), entry(u"oldest"_s)};
    const auto again = file.load(table);
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->created);
    EXPECT_EQ(table, (Entries{entry(u"a"_s), entry(u"b"_s)}));
}

TEST_F(DataFileTest, AppendedEntriesReadBackUnchanged)
{
    DataFile file = dataFile();
    Entries table = load(file);
    Entry first = entry(u"コーヒー, 毎朝　1杯 "_s, u"\\1,500"_s);
    first.amounts[9] = u"\\-5,475,000"_s;
    const Entry second = entry(u"禁煙"_s);
    ASSERT_TRUE(file.append(first, table));
    table = load(file);
    ASSERT_TRUE(file.append(second, table));
    table = load(file);

    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[0], first);
    EXPECT_EQ(table[1], second);
    EXPECT_TRUE(readFile().endsWith(line(sjis("8bd6898c"))));
}

TEST_F(DataFileTest, AppendKeepsEveryByteAndStartsItsOwnLine)
{
    const QByteArray old =
        "  \"a\", \"\\1\",,,,,,,,,\r\n\"b\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"";
    writeFile(old);
    DataFile file = dataFile();
    Entries table = load(file);
    ASSERT_EQ(table.size(), 2);
    ASSERT_TRUE(file.append(entry(u"c"_s), table));
    EXPECT_EQ(readFile(), old + "\r\n" + line("c"));
}

struct UnreadableRest : Described
{
    QByteArray bytes;
};

class AppendBeforeARest : public DataFileTest, public ::testing::WithParamInterface<UnreadableRest>
{};

TEST_P(AppendBeforeARest, GoesBeforeTheUnreadableRest)
{
    const QByteArray &rest = GetParam().bytes;
    const QByteArray readable = line("a");
    writeFile(readable + rest);
    DataFile file = dataFile();
    Entries table;
    ASSERT_TRUE(file.load(table));
    ASSERT_EQ(table.size(), 1);
    ASSERT_TRUE(file.append(entry(u"new"_s), table));
    EXPECT_EQ(readFile(), readable + line("new") + rest);
    ASSERT_TRUE(file.load(table));
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table[1].name, u"new"_s);
}

INSTANTIATE_TEST_SUITE_P(Rests, AppendBeforeARest,
                         ::testing::Values(UnreadableRest{"entry cut short", "\"cut\",\"\\1\",\""},
                                           UnreadableRest{"entry not CP932",
                                                          line(sjis("ff")) + line("after")}),
                         whatName);

TEST_F(DataFileTest, RefusedAppendsLeaveTheFileAsItWas)
{
    writeFile(lines(1, 300));
    DataFile file = dataFile();
    Entries full = load(file);
    ASSERT_EQ(full.size(), 300);
    const auto tooMany = file.append(entry(u"301"_s), full);
    ASSERT_FALSE(tooMany);
    EXPECT_EQ(tooMany.error().kind, DataFileError::Kind::TableFull);

    Entries some;
    some.resize(3);
    const auto quoted = file.append(entry(u"a\"b"_s), some);
    ASSERT_FALSE(quoted);
    EXPECT_EQ(quoted.error().kind, DataFileError::Kind::UnwritableText);
    EXPECT_EQ(readFile(), lines(1, 300));
}

TEST_F(DataFileTest, FailedWriteLeavesTheOldFileIdentical)
{
    const QByteArray old = lines(1, 5);
    writeFile(old);
    DataFile file = dataFile();
    Entries table = load(file);
    file.setReplacer(
        [](const QString &, const QByteArray &) -> pomiro::Result<void, pomiro::SaveError> {
            return pomiro::fail(pomiro::SaveError{u"disk full"_s, true});
        });

    const auto appended = file.append(entry(u"x"_s), table);
    ASSERT_FALSE(appended);
    EXPECT_EQ(appended.error().kind, DataFileError::Kind::DiskFull);
    EXPECT_EQ(appended.error().detail, u"disk full"_s);

    const auto rewritten = file.rewrite(table, 1);
    ASSERT_FALSE(rewritten);
    EXPECT_EQ(rewritten.error().kind, DataFileError::Kind::DiskFull);
    EXPECT_EQ(readFile(), old);

    // The real replacer: a file in a folder that does not exist cannot be written.
    EXPECT_FALSE(pomiro::replaceFileAtomically(m_dir.filePath(u"none/x.txt"_s), "x"));
}

TEST_F(DataFileTest, RewriteLeavesOutOneSlotAndKeepsTheUnreadTail)
{
    writeFile(lines(1, 303));
    DataFile file = dataFile();
    Entries table = load(file, LoadStop::TableFull);
    ASSERT_EQ(table.size(), 300);

    table[0].amounts[0] = u"\\500"_s; // a changed entry, saved by a rewrite
    ASSERT_TRUE(file.rewrite(table));
    EXPECT_EQ(readFile(), line("e1", "\\500") + lines(2, 303));

    // Deleting the 150th: the first line beyond the table moves up into it.
    ASSERT_TRUE(file.rewrite(table, 149));
    table = load(file, LoadStop::TableFull);
    EXPECT_EQ(table[148].name, u"e149"_s);
    EXPECT_EQ(table[149].name, u"e151"_s);
    EXPECT_EQ(table[299].name, u"e301"_s);
    EXPECT_EQ(readFile(), line("e1", "\\500") + lines(2, 149) + lines(151, 303));
}

TEST_F(DataFileTest, RewriteKeepsAnIncompleteRest)
{
    const QByteArray rest = "\"cut\",\"";
    writeFile(lines(1, 3) + rest);
    DataFile file = dataFile();
    Entries table = load(file, LoadStop::IncompleteEntry);
    ASSERT_TRUE(file.rewrite(table, 2));
    EXPECT_EQ(readFile(), lines(1, 2) + rest);
}

TEST_F(DataFileTest, RewriteRefusesUnwritableTextBeforeWriting)
{
    writeFile(lines(1, 3));
    DataFile file = dataFile();
    Entries table = load(file);
    table[1].amounts[4] = u"5€"_s;
    const auto refused = file.rewrite(table);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, DataFileError::Kind::UnwritableText);
    EXPECT_EQ(refused.error().field, EntryField::Year);
    EXPECT_EQ(refused.error().character, U'€');
    EXPECT_EQ(refused.error().entry, 1);
    EXPECT_EQ(readFile(), lines(1, 3));
}

TEST_F(DataFileTest, UnreadableFileIsNeverReplaced)
{
    // A folder by the data file's name: it exists but cannot be read as a file.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(kName));
    DataFile file = dataFile();
    Entries table;
    table.resize(2);
    const auto loaded = file.load(table);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().kind, DataFileError::Kind::ReadFailed);
    EXPECT_EQ(table.size(), 2);

    const auto rewritten = file.rewrite(table);
    ASSERT_FALSE(rewritten);
    EXPECT_EQ(rewritten.error().kind, DataFileError::Kind::ReadFailed);
    const auto appended = file.append(entry(u"x"_s), table);
    ASSERT_FALSE(appended);
    EXPECT_EQ(appended.error().kind, DataFileError::Kind::ReadFailed);
    EXPECT_TRUE(QFileInfo(filePath()).isDir());
}

TEST_F(DataFileTest, FileNameMatchesWithoutRegardToCase)
{
    const QString upper = u"データ.TXT"_s;
    writeFile(line("upper"), upper);
    // Where the file system itself ignores case (Windows), every spelling names that one file.
    const bool systemIgnoresCase = QFile::exists(filePath());
    DataFile file = dataFile();
    if (!systemIgnoresCase) {
        EXPECT_EQ(file.path(), filePath(upper));
    }
    Entries table = load(file);
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table[0].name, u"upper"_s);
    ASSERT_TRUE(file.append(entry(u"more"_s), table));
    EXPECT_EQ(readFile(upper), line("upper") + line("more"));
    if (systemIgnoresCase)
        return;
    EXPECT_FALSE(QFile::exists(filePath()));

    // The exact spelling wins when both exist.
    writeFile(line("exact"));
    EXPECT_EQ(file.path(), filePath());
    EXPECT_EQ(load(file)[0].name, u"exact"_s);
}

// Another program or window changed the file after it was read: no write may go ahead, whatever
// the change, and the file keeps what the other one wrote.
struct ChangeElsewhere : Described
{
    QByteArray changedTo; // empty with `removed`
    bool removed;
};

class ChangedElsewhere : public DataFileTest, public ::testing::WithParamInterface<ChangeElsewhere>
{};

TEST_P(ChangedElsewhere, IsNeverOverwritten)
{
    const ChangeElsewhere &c = GetParam();
    writeFile(lines(1, 3));
    DataFile file = dataFile();
    Entries table = load(file);
    if (c.removed) {
        ASSERT_TRUE(QFile::remove(filePath()));
    } else {
        writeFile(c.changedTo);
    }

    const auto appended = file.append(entry(u"new"_s), table);
    ASSERT_FALSE(appended);
    EXPECT_EQ(appended.error().kind, DataFileError::Kind::ChangedElsewhere);
    const auto rewritten = file.rewrite(table, 0);
    ASSERT_FALSE(rewritten);
    EXPECT_EQ(rewritten.error().kind, DataFileError::Kind::ChangedElsewhere);
    EXPECT_EQ(QFile::exists(filePath()), !c.removed);
    if (!c.removed) {
        EXPECT_EQ(readFile(), c.changedTo);
    }

    // Once read again, writing goes on from what the other one wrote.
    table = load(file);
    ASSERT_TRUE(file.append(entry(u"new"_s), table));
    EXPECT_EQ(readFile(), c.changedTo + line("new"));
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangedElsewhere,
                         ::testing::Values(ChangeElsewhere{"an entry added", lines(1, 4), false},
                                           ChangeElsewhere{"same size, one byte changed",
                                                           lines(1, 2) + line("e9"), false},
                                           ChangeElsewhere{"emptied", QByteArray(), false},
                                           ChangeElsewhere{"removed", QByteArray(), true}),
                         whatName);

TEST_F(DataFileTest, ItsOwnWritesAreNoChangeElsewhere)
{
    writeFile(lines(1, 3));
    DataFile file = dataFile();
    Entries table = load(file);
    // A rewrite is not followed by a load: the next write must still go ahead.
    table[1].amounts[0] = u"\\1"_s;
    ASSERT_TRUE(file.rewrite(table));
    ASSERT_TRUE(file.rewrite(table, 2));
    ASSERT_TRUE(file.append(entry(u"new"_s), table));
    EXPECT_EQ(readFile(), line("e1") + line("e2", "\\1") + line("new"));

    // The same bytes written again by someone else are no change.
    writeFile(readFile());
    EXPECT_TRUE(file.rewrite(load(file)));
}

} // namespace
