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
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using namespace pomiro;
using namespace pomiro::testing;
using Kind = RecordFileError::Kind;

QuitRecord going(const QString &name, QDate start, qint64 dailyYen)
{
    return QuitRecord{name, {QuitRun{start, std::nullopt, Amount::fromYen(dailyYen)}}, {}};
}

const QuitRecords kStored = {going(u"禁煙"_s, QDate(2026, 9, 1), 500),
                             going(u"コーヒー"_s, QDate(2026, 8, 1), 400),
                             going(u"お菓子"_s, QDate(2026, 7, 1), 150)};

class RecordStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(u"ぽみろの記録.json"_s); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }

    std::unique_ptr<RecordStore> storeOf(const QuitRecords &records)
    {
        writeFile(encodeRecordFile(records));
        auto store = std::make_unique<RecordStore>(QDir(folder()));
        EXPECT_TRUE(store->load());
        EXPECT_EQ(store->records(), records);
        return store;
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(RecordStoreTest, EachChangeReachesTheFileAndTheRecordsAlike)
{
    const auto store = storeOf(kStored);
    QSignalSpy changes(store.get(), &RecordStore::changed);
    QuitRecords expected = kStored;

    // The middle record changed where it is.
    const QuitRecord coffee = store->recordOf(u"コーヒー"_s);
    ASSERT_EQ(coffee, kStored[1]);
    const QuitRecord ended = *withRunEnded(coffee, QDate(2026, 9, 10));
    ASSERT_TRUE(store->replace(coffee, ended));
    expected[1] = ended;
    EXPECT_EQ(store->records(), expected);
    EXPECT_EQ(readFile(), encodeRecordFile(expected));

    // A name without a record has an empty one, and its first run makes a record after the others.
    const QuitRecord none = store->recordOf(u"ランチ"_s);
    EXPECT_EQ(none, (QuitRecord{u"ランチ"_s, {}, {}}));
    const QuitRecord lunch = going(u"ランチ"_s, QDate(2026, 9, 2), 800);
    ASSERT_TRUE(store->replace(none, lunch));
    expected << lunch;
    EXPECT_EQ(store->records(), expected);

    // Emptied, the first record goes; the others keep their order.
    ASSERT_TRUE(store->replace(kStored[0], QuitRecord{u"禁煙"_s, {}, {}}));
    expected.removeFirst();
    EXPECT_EQ(store->records(), expected);
    EXPECT_EQ(readFile(), encodeRecordFile(expected));
    EXPECT_EQ(store->recordOf(u"禁煙"_s), (QuitRecord{u"禁煙"_s, {}, {}}));
    EXPECT_EQ(changes.count(), 3);

    // Read afresh, the file gives the same.
    RecordStore again{QDir(folder())};
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.records(), expected);
    EXPECT_FALSE(store->reloadIfChanged());
}

TEST_F(RecordStoreTest, AStoreWithoutAFileMakesOneOnlyForARecord)
{
    RecordStore store{QDir(folder())};
    ASSERT_TRUE(store.load());
    EXPECT_TRUE(store.records().isEmpty());
    const QuitRecord none = store.recordOf(u"禁煙"_s);
    // Nothing to keep: no file is made.
    ASSERT_TRUE(store.replace(none, none));
    EXPECT_FALSE(QFile::exists(path()));
    ASSERT_TRUE(store.replace(none, kStored[0]));
    EXPECT_EQ(readFile(), encodeRecordFile({kStored[0]}));
}

// What another program (or another window) did between reading and the change; each is noticed,
// the change refused, the records read again, and what the other one wrote kept.
struct InBetween : Described
{
    std::function<QuitRecords(QuitRecords)> otherProgram;
};

class AChangeInBetween : public RecordStoreTest, public ::testing::WithParamInterface<InBetween>
{};

TEST_P(AChangeInBetween, IsReadAndNotOverwritten)
{
    const auto store = storeOf(kStored);
    const QuitRecord expected = store->recordOf(u"コーヒー"_s);
    const QuitRecords theirs = GetParam().otherProgram(kStored);
    const QByteArray theirBytes = encodeRecordFile(theirs);
    writeFile(theirBytes);
    QSignalSpy changes(store.get(), &RecordStore::changed);

    const QuitRecord mine = *withRunEnded(expected, QDate(2026, 9, 10));
    const auto refused = store->replace(expected, mine);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(readFile(), theirBytes);
    EXPECT_EQ(store->records(), theirs);
    EXPECT_EQ(changes.count(), 1);

    // Tried again from what is there now, the record of that name changes and no other.
    const QuitRecord now = store->recordOf(u"コーヒー"_s);
    QuitRecord next = now;
    next.prices << PriceChange{QDate(2026, 9, 9), Amount::fromYen(7)};
    ASSERT_TRUE(store->replace(now, next));
    QuitRecords expectedAfter = theirs;
    const auto at = std::find_if(expectedAfter.begin(), expectedAfter.end(),
                                 [](const QuitRecord &r) { return r.name == u"コーヒー"_s; });
    if (at == expectedAfter.end())
        expectedAfter << next;
    else
        *at = next;
    EXPECT_EQ(store->records(), expectedAfter);
    EXPECT_EQ(readFile(), encodeRecordFile(expectedAfter));
}

QuitRecords reversed(QuitRecords records)
{
    std::reverse(records.begin(), records.end());
    return records;
}

INSTANTIATE_TEST_SUITE_P(Changes, AChangeInBetween,
                         ::testing::Values(InBetween{{"the record itself changed"},
                                                     [](QuitRecords r) {
                                                         r[1].runs[0].start = QDate(2026, 8, 15);
                                                         return r;
                                                     }},
                                           InBetween{{"another record changed"},
                                                     [](QuitRecords r) {
                                                         r[2].runs[0].end = QDate(2026, 9, 3);
                                                         return r;
                                                     }},
                                           InBetween{{"the records in another order"}, reversed},
                                           InBetween{{"the record removed"},
                                                     [](QuitRecords r) {
                                                         r.removeAt(1);
                                                         return r;
                                                     }},
                                           InBetween{{"every record removed"},
                                                     [](QuitRecords) { return QuitRecords(); }}),
                         whatName);

TEST_F(RecordStoreTest, AFileRemovedInBetweenIsNoticed)
{
    const auto store = storeOf(kStored);
    ASSERT_TRUE(QFile::remove(path()));
    EXPECT_TRUE(store->reloadIfChanged());
    EXPECT_TRUE(store->records().isEmpty());
    EXPECT_FALSE(store->reloadIfChanged());
}

// A record given as it no longer is, though the file is as the store last read it: another
// window of this program changed it through the same store.
TEST_F(RecordStoreTest, AStaleRecordIsRefused)
{
    const auto store = storeOf(kStored);
    const QuitRecord stale = store->recordOf(u"禁煙"_s);
    const QuitRecord first = *withRunEnded(stale, QDate(2026, 9, 5));
    ASSERT_TRUE(store->replace(stale, first));
    const QByteArray bytes = readFile();

    const auto refused = store->replace(stale, *withRunEnded(stale, QDate(2026, 9, 9)));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(store->recordOf(u"禁煙"_s), first);
    EXPECT_EQ(readFile(), bytes);

    // A record the store has not, given as if it had one, and the reverse.
    const auto invented =
        store->replace(going(u"ランチ"_s, QDate(2026, 9, 1), 1), QuitRecord{u"ランチ"_s, {}, {}});
    ASSERT_FALSE(invented);
    EXPECT_EQ(invented.error().kind, Kind::ChangedElsewhere);
    const auto overlooked = store->replace(QuitRecord{u"コーヒー"_s, {}, {}},
                                           going(u"コーヒー"_s, QDate(2026, 9, 1), 1));
    ASSERT_FALSE(overlooked);
    EXPECT_EQ(overlooked.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(readFile(), bytes);
}

// Another program wrote a file that is not whole (here: two records of one name): the store reads
// it again, goes read-only and keeps it; once mended, it changes again.
TEST_F(RecordStoreTest, ADamagedFileMakesTheStoreReadOnly)
{
    const auto store = storeOf(kStored);
    const QByteArray damaged = encodeRecordFile(kStored).replace("コーヒー", "お菓子");
    writeFile(damaged);
    const QuitRecord expected = store->recordOf(u"禁煙"_s);
    const auto refused = store->replace(expected, QuitRecord{u"禁煙"_s, {}, {}});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::ChangedElsewhere);
    EXPECT_TRUE(store->readOnly());
    EXPECT_TRUE(store->records().isEmpty());

    const auto readOnly = store->replace(store->recordOf(u"禁煙"_s), kStored[0]);
    ASSERT_FALSE(readOnly);
    EXPECT_EQ(readOnly.error().kind, Kind::ReadOnly);
    EXPECT_EQ(readFile(), damaged);
    EXPECT_FALSE(store->reloadIfChanged());

    writeFile(encodeRecordFile(kStored));
    EXPECT_TRUE(store->reloadIfChanged());
    EXPECT_FALSE(store->readOnly());
    EXPECT_EQ(store->records(), kStored);
    EXPECT_TRUE(store->replace(kStored[0], QuitRecord{u"禁煙"_s, {}, {}}));
}

TEST_F(RecordStoreTest, AFailedWriteChangesNothing)
{
    const auto store = storeOf(kStored);
    const QByteArray bytes = readFile();
    QSignalSpy changes(store.get(), &RecordStore::changed);
    store->setReplacer(failingReplacer());

    const QuitRecord coffee = store->recordOf(u"コーヒー"_s);
    const auto changed = store->replace(coffee, *withRunEnded(coffee, QDate(2026, 9, 9)));
    ASSERT_FALSE(changed);
    EXPECT_EQ(changed.error().kind, Kind::WriteFailed);
    const auto added =
        store->replace(store->recordOf(u"ランチ"_s), going(u"ランチ"_s, QDate(2026, 9, 1), 800));
    ASSERT_FALSE(added);
    const auto removed = store->replace(kStored[0], QuitRecord{u"禁煙"_s, {}, {}});
    ASSERT_FALSE(removed);

    EXPECT_EQ(store->records(), kStored);
    EXPECT_EQ(readFile(), bytes);
    EXPECT_EQ(changes.count(), 0);
    // Written at last, from the records as they were.
    store->setReplacer(replaceFileAtomically);
    ASSERT_TRUE(store->replace(coffee, *withRunEnded(coffee, QDate(2026, 9, 9))));
    EXPECT_EQ(store->records()[1].runs[0].end, QDate(2026, 9, 9));
}

} // namespace
