// The records' store: each change reaches the file and the records alike, a change another
// program made in between is never lost, and a failed write changes nothing.

#include "core/recordstore.h"

#include "tests/support/cases.h"
#include "tests/support/datafiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace Qt::StringLiterals;
using namespace pomiro;
using namespace pomiro::testing;
using Kind = RecordFileError::Kind;

// clang-format off
QuitRecord going(const QString &name, int month, qint64 daily = 500) { return {name, {{QDate(2026, month, 1), std::nullopt, Amount::fromYen(daily)}}, {}}; }
QuitRecord none(const QString &name) { return {name, {}, {}}; }
QuitRecord endedOn(QuitRecord record, int day) { return *withRunEnded(std::move(record), QDate(2026, 9, day)); }
// clang-format on

const QuitRecords kStored = {going(u"禁煙"_s, 9), going(u"コーヒー"_s, 8), going(u"お菓子"_s, 7)};

class RecordStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        writeFile(encodeRecordFile(kStored));
        ASSERT_TRUE(store.load());
        ASSERT_EQ(store.records(), kStored);
    }

    QString path() const { return m_dir.filePath(u"ぽみろの記録.json"_s); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(bytes) == bytes.size());
    }

    QByteArray readFile() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }

    QTemporaryDir m_dir;
    RecordStore store{QDir(m_dir.path())};
};

TEST_F(RecordStoreTest, EachChangeReachesTheFileAndTheRecordsAlike)
{
    QSignalSpy changes(&store, &RecordStore::changed);
    QuitRecords expected = kStored;
    // The middle record changes where it is; a new one goes last; an emptied one goes.
    ASSERT_TRUE(store.replace(kStored[1], expected[1] = endedOn(kStored[1], 10)));
    EXPECT_EQ(store.recordOf(u"ランチ"_s), none(u"ランチ"_s));
    ASSERT_TRUE(store.replace(none(u"ランチ"_s), going(u"ランチ"_s, 9, 800)));
    expected << going(u"ランチ"_s, 9, 800);
    ASSERT_TRUE(store.replace(kStored[0], none(u"禁煙"_s)));
    expected.removeFirst();
    // Nothing to keep and nothing kept: no write at all.
    ASSERT_TRUE(store.replace(none(u"夜食"_s), none(u"夜食"_s)));

    EXPECT_EQ(store.records(), expected);
    EXPECT_EQ(readFile(), encodeRecordFile(expected));
    EXPECT_EQ(store.recordOf(u"禁煙"_s), none(u"禁煙"_s));
    EXPECT_EQ(changes.count(), 3);
    RecordStore again{QDir(m_dir.path())};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.records(), expected);
    EXPECT_FALSE(store.reloadIfChanged());
}

// What another program did between reading and the change: noticed, the change refused, the
// records read again, and what the other one wrote kept; tried again, the record of that name
// changes and no other.
struct InBetween : Described
{
    std::function<void(QuitRecords &)> change;
};

class AChangeInBetween : public RecordStoreTest, public ::testing::WithParamInterface<InBetween>
{};

TEST_P(AChangeInBetween, IsReadAndNotOverwritten)
{
    QuitRecords theirs = kStored;
    GetParam().change(theirs);
    writeFile(encodeRecordFile(theirs));
    QSignalSpy changes(&store, &RecordStore::changed);

    const auto refused = store.replace(kStored[1], endedOn(kStored[1], 10));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(readFile(), encodeRecordFile(theirs));
    EXPECT_EQ(store.records(), theirs);
    EXPECT_EQ(changes.count(), 1);

    QuitRecord now = store.recordOf(u"コーヒー"_s);
    QuitRecord next = now;
    next.prices << PriceChange{QDate(2026, 9, 9), Amount::fromYen(7)};
    ASSERT_TRUE(store.replace(now, next));
    const auto at = std::find_if(theirs.begin(), theirs.end(),
                                 [](const QuitRecord &r) { return r.name == u"コーヒー"_s; });
    if (at == theirs.end())
        theirs << next;
    else
        *at = next;
    EXPECT_EQ(store.records(), theirs);
    EXPECT_EQ(readFile(), encodeRecordFile(theirs));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Changes, AChangeInBetween, ::testing::Values(
    InBetween{{"the record itself changed"}, [](QuitRecords &r) { r[1].runs[0].start = QDate(2026, 8, 15); }},
    InBetween{{"another record changed"}, [](QuitRecords &r) { r[2] = endedOn(r[2], 3); }},
    InBetween{{"the records in another order"}, [](QuitRecords &r) { std::reverse(r.begin(), r.end()); }},
    InBetween{{"the record removed"}, [](QuitRecords &r) { r.removeAt(1); }},
    InBetween{{"every record removed"}, [](QuitRecords &r) { r.clear(); }}),
    whatName);
// clang-format on

// A record given as it no longer is, while the file is as last read: another window of this
// program changed it through the same store. Refused, and nothing written.
TEST_F(RecordStoreTest, AStaleRecordIsRefused)
{
    ASSERT_TRUE(store.replace(kStored[0], endedOn(kStored[0], 5)));
    const QByteArray bytes = readFile();
    EXPECT_EQ(store.replace(kStored[0], endedOn(kStored[0], 9)).error().kind,
              Kind::ChangedElsewhere);
    EXPECT_EQ(store.replace(going(u"ランチ"_s, 9), none(u"ランチ"_s)).error().kind,
              Kind::ChangedElsewhere);
    EXPECT_EQ(store.replace(none(u"コーヒー"_s), going(u"コーヒー"_s, 9)).error().kind,
              Kind::ChangedElsewhere);
    EXPECT_EQ(store.recordOf(u"禁煙"_s), endedOn(kStored[0], 5));
    EXPECT_EQ(readFile(), bytes);

    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_TRUE(store.reloadIfChanged());
    EXPECT_TRUE(store.records().isEmpty());
    EXPECT_FALSE(store.reloadIfChanged());
}

// Another program wrote a file that is not whole (two records of one name): read again, the store
// goes read-only and keeps it; once mended, it changes again.
TEST_F(RecordStoreTest, ADamagedFileMakesTheStoreReadOnly)
{
    const QByteArray damaged = encodeRecordFile(kStored).replace("コーヒー", "お菓子");
    writeFile(damaged);
    EXPECT_EQ(store.replace(kStored[0], none(u"禁煙"_s)).error().kind, Kind::ChangedElsewhere);
    EXPECT_TRUE(store.readOnly());
    EXPECT_TRUE(store.records().isEmpty());
    EXPECT_EQ(store.replace(none(u"禁煙"_s), kStored[0]).error().kind, Kind::ReadOnly);
    EXPECT_EQ(readFile(), damaged);
    EXPECT_FALSE(store.reloadIfChanged());

    writeFile(encodeRecordFile(kStored));
    EXPECT_TRUE(store.reloadIfChanged());
    EXPECT_FALSE(store.readOnly());
    EXPECT_EQ(store.records(), kStored);
    EXPECT_TRUE(store.replace(kStored[0], none(u"禁煙"_s)));
}

TEST_F(RecordStoreTest, AFailedWriteChangesNothing)
{
    QSignalSpy changes(&store, &RecordStore::changed);
    store.setReplacer(failingReplacer());
    EXPECT_EQ(store.replace(kStored[1], endedOn(kStored[1], 9)).error().kind, Kind::WriteFailed);
    EXPECT_FALSE(store.replace(none(u"ランチ"_s), going(u"ランチ"_s, 9)));
    EXPECT_FALSE(store.replace(kStored[0], none(u"禁煙"_s)));
    EXPECT_EQ(store.records(), kStored);
    EXPECT_EQ(readFile(), encodeRecordFile(kStored));
    EXPECT_EQ(changes.count(), 0);

    store.setReplacer(replaceFileAtomically);
    ASSERT_TRUE(store.replace(kStored[1], endedOn(kStored[1], 9)));
    EXPECT_EQ(store.records()[1], endedOn(kStored[1], 9));
}

} // namespace
