// The entries' store without any window: what each change leaves in the entries and in the file
// when it succeeds, when it is refused, and when the file system fails it for real.

#include "core/entrystore.h"

#include "core/datafile.h"
#include "tests/support/cases.h"
#include "tests/support/datafiles.h"
#include "tests/support/fsfaults.h"
#include "tests/support/samples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using namespace pomiro;
using namespace pomiro::testing;
using Kind = DataFileError::Kind;

Entries named(const QStringList &names)
{
    Entries entries;
    for (const QString &name : names)
        entries << entry(name, u"\\%1"_s.arg(entries.size() + 1));
    return entries;
}

const Entries kStored = named({u"禁煙"_s, u"コーヒー"_s, u"お菓子"_s});

class EntryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(u"データ.txt"_s); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList leftInFolder() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                        QDir::Name);
    }

    // A store of `entries`, loaded.
    std::unique_ptr<EntryStore> storeOf(const Entries &entries)
    {
        writeFile(fileOf(entries));
        auto store = std::make_unique<EntryStore>(QDir(folder()));
        EXPECT_TRUE(store->load());
        EXPECT_EQ(store->entries(), entries);
        return store;
    }

private:
    QTemporaryDir m_dir;
};

// --- Changes that go through -----------------------------------------------------------------

TEST_F(EntryStoreTest, EachChangeReachesTheFileAndTheEntriesAlike)
{
    const auto store = storeOf(kStored);
    QSignalSpy resets(store.get(), &EntryStore::modelReset);

    const auto appended = store->append(entry(u"ランチ"_s, u"\\800"_s));
    // Each answers what it did, with the entries as the file holds them.
    using enum EntryChange::Kind;
    ASSERT_TRUE(appended);
    Entries expected = kStored;
    expected << entry(u"ランチ"_s, u"\\800"_s);
    EXPECT_EQ(appended.value(), (EntryChange{Added, 3, {}, expected[3]}));
    EXPECT_EQ(store->entries(), expected);
    EXPECT_EQ(readFile(), fileOf(expected));

    Entry changed = entry(u"コーヒー"_s);
    changed.amounts = k500ADay;
    const auto replaced = store->replace(1, changed);
    ASSERT_TRUE(replaced);
    expected[1].amounts = k500ADay;
    EXPECT_EQ(replaced.value(), (EntryChange{Changed, 1, kStored[1], expected[1]}));
    EXPECT_EQ(store->entries(), expected);
    EXPECT_EQ(readFile(), fileOf(expected));

    const auto removed = store->remove(0);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed.value(), (EntryChange{Removed, 0, kStored[0], {}}));
    expected.removeFirst();
    EXPECT_EQ(store->entries(), expected);
    EXPECT_EQ(readFile(), fileOf(expected));

    // A view of the names hears of the appended and the removed entry; new amounts change no name.
    EXPECT_EQ(resets.count(), 2);
    ASSERT_EQ(store->rowCount(), 3);
    EXPECT_EQ(store->index(0).data().toString(), u"コーヒー"_s);
    EXPECT_EQ(store->index(2).data(Qt::EditRole).toString(), u"ランチ"_s);
    EXPECT_FALSE(store->index(3).data().isValid());
}

TEST_F(EntryStoreTest, AnAppendedEntryIsFoundWhereTheFileHasItBeforeAnUnreadRest)
{
    // The file ends in an entry cut short: the new line goes before it, so it is read back last
    // of the entries, not lost behind the rest.
    const QByteArray cutShort = "\"cut\",\"\\1\",\"\\7\"";
    writeFile(fileOf(kStored) + cutShort);
    EntryStore store{QDir(folder())};
    ASSERT_TRUE(store.load());
    ASSERT_EQ(store.count(), 3);

    const auto appended = store.append(entry(u"new"_s));
    ASSERT_TRUE(appended);
    EXPECT_EQ(store.at(appended.value().index).name, u"new"_s);
    EXPECT_EQ(store.count(), 4);
    EXPECT_TRUE(readFile().endsWith(cutShort));
}

// --- Matching a name ---------------------------------------------------------------------------

struct Match : Described
{
    QString typed;
    qsizetype found;
};

class MatchingAName : public EntryStoreTest, public ::testing::WithParamInterface<Match>
{};

TEST_P(MatchingAName, ComparesTheNameAsTheFileHoldsIt)
{
    const auto store = storeOf(named({u"禁煙"_s, u"朝の～習慣"_s, u"Coffee"_s, u"禁煙"_s}));
    EXPECT_EQ(store->indexOf(GetParam().typed), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Names, MatchingAName,
    ::testing::Values(Match{{"the first of two equal names"}, u"禁煙"_s, 0},
                      Match{{"a wave dash typed, a full-width tilde stored"}, u"朝の〜習慣"_s, 1},
                      Match{{"exactly as stored"}, u"朝の～習慣"_s, 1},
                      Match{{"letter case counts"}, u"coffee"_s, -1},
                      Match{{"a trailing space counts"}, u"Coffee "_s, -1},
                      Match{{"an empty name"}, QString(), -1}),
    whatName);

// --- Finding an entry whole: its name and every amount -----------------------------------------

struct WholeMatch : Described
{
    Entry sought;
    qsizetype near;
    qsizetype found;
};

class FindingAnEntryWhole : public EntryStoreTest, public ::testing::WithParamInterface<WholeMatch>
{};

TEST_P(FindingAnEntryWhole, TakesNoOtherEntryOfTheName)
{
    const auto store = storeOf({entry(u"禁煙"_s, u"\\1"_s), entry(u"Coffee"_s, u"\\2"_s),
                                entry(u"禁煙"_s, u"\\3"_s), entry(u"朝の～習慣"_s, u"約～500"_s),
                                entry(u"禁煙"_s, u"\\3"_s)});
    EXPECT_EQ(store->indexOf(GetParam().sought, GetParam().near), GetParam().found);
}

Entry withYear30(Entry e, const QString &amount)
{
    e.amounts[9] = amount;
    return e;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Entries, FindingAnEntryWhole, ::testing::Values(
    WholeMatch{{"where it was, an earlier one of the name aside"}, entry(u"禁煙"_s, u"\\3"_s), 2, 2},
    WholeMatch{{"where it was, the same entry also earlier"}, entry(u"禁煙"_s, u"\\3"_s), 4, 4},
    WholeMatch{{"another of the name where it was"}, entry(u"禁煙"_s, u"\\3"_s), 0, 2},
    WholeMatch{{"where it was is past the end"}, entry(u"禁煙"_s, u"\\3"_s), 5, 2},
    WholeMatch{{"no place to look first"}, entry(u"禁煙"_s, u"\\3"_s), -1, 2},
    WholeMatch{{"the name with other amounts"}, entry(u"禁煙"_s, u"\\9"_s), 0, -1},
    WholeMatch{{"the last amount differs"}, withYear30(entry(u"禁煙"_s, u"\\1"_s), u"\\1"_s), 0, -1},
    WholeMatch{{"the amounts of another name"}, entry(u"coffee"_s, u"\\2"_s), 1, -1},
    WholeMatch{{"a wave dash typed in the name and amount"}, entry(u"朝の〜習慣"_s, u"約〜500"_s), 0, 3}),
    whatName);
// clang-format on

TEST_F(EntryStoreTest, ReplacingKeepsTheStoredNameAndRefusesWhatTheFileCannotHold)
{
    const auto store = storeOf(named({u"朝の～習慣"_s}));
    Entry typed = entry(u"朝の〜習慣"_s, u"\\500"_s);
    ASSERT_EQ(store->indexOf(typed.name), 0);
    ASSERT_TRUE(store->replace(0, typed));
    EXPECT_EQ(store->at(0), entry(u"朝の～習慣"_s, u"\\500"_s));

    const QByteArray before = readFile();
    typed.amounts[9] = u"€5"_s;
    const auto refused = store->replace(0, typed);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::UnwritableText);
    EXPECT_EQ(refused.error().field, EntryField::Year30);
    EXPECT_EQ(refused.error().character, U'€');
    EXPECT_EQ(store->at(0).amounts[9], QString());
    EXPECT_EQ(readFile(), before);
}

// Saving decides by the name: the first entry of that name changes, any other name is added.
TEST_F(EntryStoreTest, SavingChangesTheFirstEntryOfTheNameOrAddsANewOne)
{
    const auto store = storeOf(named({u"禁煙"_s, u"朝の～習慣"_s, u"禁煙"_s}));
    using SavedKind = EntryChange::Kind;

    const auto changed = store->save(entry(u"朝の〜習慣"_s, u"\\700"_s));
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed.value().kind, SavedKind::Changed);
    EXPECT_EQ(changed.value().index, 1);
    EXPECT_EQ(store->at(1), entry(u"朝の～習慣"_s, u"\\700"_s));

    const auto first = store->save(entry(u"禁煙"_s, u"\\9"_s));
    ASSERT_TRUE(first);
    EXPECT_EQ(first.value().index, 0);
    EXPECT_EQ(store->at(2), entry(u"禁煙"_s, u"\\3"_s)); // the second of the name is left alone

    const auto added = store->save(entry(u"ランチ"_s, u"\\800"_s));
    ASSERT_TRUE(added);
    EXPECT_EQ(added.value().kind, SavedKind::Added);
    EXPECT_EQ(added.value().index, 3);
    EXPECT_EQ(store->count(), 4);
    EXPECT_EQ(readFile(), fileOf(store->entries()));

    // A refusal is told as it stands, and neither the entries nor the file change.
    const QByteArray before = readFile();
    const auto refused = store->save(entry(u"ユーロ€"_s));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::UnwritableText);
    EXPECT_EQ(store->count(), 4);
    EXPECT_EQ(readFile(), before);
}

// --- The 300 limit -----------------------------------------------------------------------------

TEST_F(EntryStoreTest, ThreeHundredEntriesTakeNoNewOneButStillChange)
{
    Entries full;
    for (int i = 1; i <= kMaxEntries; ++i)
        full << entry(u"e%1"_s.arg(i));
    const auto store = storeOf(full);

    const auto refused = store->append(entry(u"e301"_s));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::TableFull);
    EXPECT_EQ(store->count(), kMaxEntries);
    EXPECT_EQ(readFile(), fileOf(full));

    ASSERT_TRUE(store->replace(299, entry(u"e300"_s, u"\\1"_s)));
    ASSERT_TRUE(store->remove(0));
    ASSERT_TRUE(store->append(entry(u"e301"_s)));
    EXPECT_EQ(store->count(), kMaxEntries);
    EXPECT_EQ(store->entries().last().name, u"e301"_s);
}

// The count that refuses a 301st entry is the file's own: another program that made room since the
// last read is noticed first, and after reading again the entry is taken, by append and by insert.
TEST_F(EntryStoreTest, RoomMadeByAnotherProgramIsNoticedBeforeTheCount)
{
    Entries full;
    for (int i = 1; i <= kMaxEntries; ++i)
        full << entry(u"e%1"_s.arg(i));
    for (const bool byInsert : {false, true}) {
        const auto store = storeOf(full);
        EntryStore other{QDir(folder())};
        ASSERT_TRUE(other.load());
        ASSERT_TRUE(other.remove(0));

        const auto add = [&] {
            return byInsert ? store->insert(5, entry(u"新"_s)) : store->save(entry(u"新"_s));
        };
        const auto first = add();
        ASSERT_FALSE(first);
        EXPECT_EQ(first.error().kind, Kind::ChangedElsewhere) << "byInsert " << byInsert;
        EXPECT_EQ(store->count(), kMaxEntries - 1) << "the file was not read again";
        const auto added = add();
        ASSERT_TRUE(added);
        EXPECT_EQ(store->count(), kMaxEntries);
        const qsizetype at = byInsert ? 5 : kMaxEntries - 1;
        EXPECT_EQ(store->indexOf(u"新"_s), at);
        EXPECT_EQ(added.value(), (EntryChange{EntryChange::Kind::Added, at, {}, entry(u"新"_s)}));
    }
}

// --- Failures: nothing is lost, and the entries keep matching the file ------------------------

// Besides the folder's own faults (FolderFault, real ones: root for the mounts).
enum class Fault {
    InFolder,       // FailureCase::folderFault
    ReplaceFails,   // the replacing write fails after the temporary file was written
    SecondInstance, // another instance of the program saved first
};
enum class Change { Append, Replace, Remove, Insert };

struct FailureCase
{
    Fault fault;
    FolderFault folderFault;
    Change change;
    Kind kind;
};

const char *const kChangeNames[] = {"append", "replace", "remove", "insert"};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << (c.fault == Fault::InFolder       ? describe(c.folderFault)
             : c.fault == Fault::ReplaceFails ? "replacing write fails"
                                              : "second instance saved first")
         << ", " << kChangeNames[int(c.change)];
}

class AFailedChange : public EntryStoreTest, public ::testing::WithParamInterface<FailureCase>
{};

TEST_P(AFailedChange, LeavesTheEntriesMatchingTheFile)
{
    const FailureCase &c = GetParam();
    const bool inFolder = c.fault == Fault::InFolder;
    std::ostringstream what;
    PrintTo(c, &what);
    if (inFolder && needsMount(c.folderFault))
        POMIRO_REQUIRE_MOUNTS(what.str());
    std::optional<FaultyFolder> faulty;
    if (inFolder) {
        faulty.emplace(folder(), c.folderFault);
        ASSERT_EQ(faulty->error(), QString());
    }
    const auto store = storeOf(kStored);
    const QStringList left =
        (faulty ? faulty->leftByFault() : QStringList()) + QStringList{u"データ.txt"_s};
    Entries onDisk = kStored;

    switch (c.fault) {
    case Fault::InFolder:
        ASSERT_TRUE(faulty->strike(u"データ.txt"_s));
        break;
    case Fault::ReplaceFails:
        store->setReplacer(failingReplacer());
        break;
    case Fault::SecondInstance: {
        EntryStore other{QDir(folder())};
        ASSERT_TRUE(other.load());
        ASSERT_TRUE(other.append(entry(u"ほかのウィンドウ"_s)));
        onDisk << entry(u"ほかのウィンドウ"_s);
        break;
    }
    }
    QSignalSpy resets(store.get(), &EntryStore::modelReset);

    Entry changed = entry(u"コーヒー"_s);
    changed.amounts = k500ADay;
    const auto change = [&]() -> Result<EntryChange, DataFileError> {
        ObeyFilePermissions obey;
        switch (c.change) {
        case Change::Append:
            return store->append(entry(u"新しいぽみろ"_s));
        case Change::Replace:
            return store->replace(1, changed);
        case Change::Remove:
            return store->remove(0);
        case Change::Insert:
            return store->insert(1, entry(u"新しいぽみろ"_s));
        }
        return fail(DataFileError{});
    };
    const auto result = change();
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_FALSE(result) << "a change the file did not take was reported as done";
    EXPECT_EQ(result.error().kind, c.kind);
    EXPECT_EQ(leftInFolder(), left) << "something was left beside the data file";
    if (inFolder && c.folderFault == FolderFault::FileIsAFolder)
        EXPECT_TRUE(QFileInfo(path()).isDir());
    else
        EXPECT_EQ(readFile(), fileOf(onDisk)) << "the data file changed";
    // The store holds what the file holds: what it read before, or what the other instance wrote,
    // read again for the views.
    EXPECT_EQ(store->entries(), onDisk);
    EXPECT_EQ(resets.count(), c.fault == Fault::SecondInstance ? 1 : 0);
}

std::vector<FailureCase> failureCases()
{
    const std::tuple<Fault, FolderFault, Kind> faults[] = {
        {Fault::InFolder, FolderFault::DiskFull, Kind::DiskFull},
        {Fault::InFolder, FolderFault::ReadOnlyMount, Kind::WriteFailed},
        {Fault::InFolder, FolderFault::FolderNotWritable, Kind::WriteFailed},
        {Fault::ReplaceFails, {}, Kind::WriteFailed},
        {Fault::InFolder, FolderFault::FileIsAFolder, Kind::ReadFailed},
        {Fault::SecondInstance, {}, Kind::ChangedElsewhere},
    };
    std::vector<FailureCase> cases;
    for (const auto &[fault, folderFault, kind] : faults)
        for (const Change change :
             {Change::Append, Change::Replace, Change::Remove, Change::Insert})
            cases.push_back({fault, folderFault, change, kind});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(FaultsAndChanges, AFailedChange, ::testing::ValuesIn(failureCases()),
                         [](const auto &info) {
                             std::ostringstream what;
                             PrintTo(info.param, &what);
                             return caseName(what.str());
                         });

TEST_F(EntryStoreTest, TwoInstancesNeverOverwriteEachOther)
{
    const auto first = storeOf(kStored);
    EntryStore second{QDir(folder())};
    ASSERT_TRUE(second.load());

    ASSERT_TRUE(first->append(entry(u"一つ目"_s)));
    // The second instance read the file before that: its save is refused, and it reads again.
    const auto refused = second.append(entry(u"二つ目"_s));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Kind::ChangedElsewhere);
    EXPECT_EQ(second.entries(), first->entries());

    // Tried again, it keeps both.
    ASSERT_TRUE(second.append(entry(u"二つ目"_s)));
    ASSERT_FALSE(first->remove(0));
    ASSERT_TRUE(first->remove(0));
    Entries expected = kStored.mid(1);
    expected << entry(u"一つ目"_s) << entry(u"二つ目"_s);
    EXPECT_EQ(first->entries(), expected);
    EXPECT_EQ(readFile(), fileOf(expected));
}

TEST_F(EntryStoreTest, AnUnreadableFileIsNeitherForgottenNorReplaced)
{
    const auto store = storeOf(kStored);
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::WriteOwner));
    {
        ObeyFilePermissions obey;
        const auto loaded = store->load();
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.error().kind, Kind::ReadFailed);
        // What was read before stays on show, but nothing may be written over the file from it.
        EXPECT_EQ(store->entries(), kStored);
        const auto removed = store->remove(0);
        ASSERT_FALSE(removed);
        EXPECT_EQ(removed.error().kind, Kind::ReadFailed);
    }
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(readFile(), fileOf(kStored));
}

} // namespace
