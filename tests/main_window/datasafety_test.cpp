// Save and Delete against real file-system faults: what the user is told, what the data file
// holds, and what the table and the window show afterwards.

#include "tests/support/fsfaults.h"
#include "tests/support/mainwindowtest.h"

#include <QFileInfo>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace {

using namespace pomiro;
using namespace pomiro::testing;
using pomiro::testing::ObeyFilePermissions;

enum class Command { SaveNew, SaveOver, Delete };

// What the user keeps after the fault.
enum class Kept {
    Everything, // the file byte for byte, the table, and the window as it was
    ReadAgain,  // the file as it now is (removed: made again, empty), read into table and window
};

struct SafetyCase
{
    FolderFault fault;
    Command command;
    Kept kept;
    QString told; // a piece of the one message after the command's question
};

const QString kDiskFull = u"ディスクの空きが足りない"_s;
const QString kNotWritable = u"書き込めるか確かめて"_s;
const QString kUnreadable = u"読み込めないため"_s;
const QString kChanged = u"変更されていました"_s;

const SafetyCase kCases[] = {
    {FolderFault::DiskFull, Command::SaveNew, Kept::Everything, kDiskFull},
    {FolderFault::DiskFull, Command::SaveOver, Kept::Everything, kDiskFull},
    {FolderFault::DiskFull, Command::Delete, Kept::Everything, kDiskFull},
    {FolderFault::ReadOnlyMount, Command::SaveNew, Kept::Everything, kNotWritable},
    {FolderFault::ReadOnlyMount, Command::SaveOver, Kept::Everything, kNotWritable},
    {FolderFault::ReadOnlyMount, Command::Delete, Kept::Everything, kNotWritable},
    {FolderFault::FolderNotWritable, Command::SaveNew, Kept::Everything, kNotWritable},
    {FolderFault::FolderNotWritable, Command::SaveOver, Kept::Everything, kNotWritable},
    {FolderFault::FolderNotWritable, Command::Delete, Kept::Everything, kNotWritable},
    {FolderFault::FileIsAFolder, Command::SaveNew, Kept::Everything, kUnreadable},
    {FolderFault::FileIsAFolder, Command::SaveOver, Kept::Everything, kUnreadable},
    {FolderFault::FileIsAFolder, Command::Delete, Kept::Everything, kUnreadable},
    {FolderFault::FileRemoved, Command::SaveNew, Kept::ReadAgain, kChanged},
    {FolderFault::FileRemoved, Command::SaveOver, Kept::ReadAgain, kChanged},
    {FolderFault::FileRemoved, Command::Delete, Kept::ReadAgain, kChanged},
};

const char *const kCommandNames[] = {"Save of a new name", "Save over a stored name", "Delete"};

constexpr int kStored = 12;
constexpr int kShown = 3;

std::string describe(const SafetyCase &c)
{
    return std::string(describe(c.fault)) + ", " + kCommandNames[int(c.command)];
}

void PrintTo(const SafetyCase &c, std::ostream *out)
{
    *out << describe(c);
}

class DataSafetyTest : public MainWindowTest
{
protected:
    // Everything the user sees and keeps after `c`, checked against the real file system.
    void run(const SafetyCase &c)
    {
        FaultyFolder faulty(folder(), c.fault);
        ASSERT_EQ(faulty.error(), QString());
        writeDataFile(dataFileBytes(kStored));
        start();
        scrollBar()->setValue(kShown);
        const QString typed = c.command == Command::SaveNew    ? u"新しいぽみろ"_s
                              : c.command == Command::SaveOver ? kNames[6]
                                                               : kNames[kShown - 1];
        if (c.command != Command::Delete) {
            nameBox()->setEditText(typed);
            setFieldTexts(k500ADay);
        }
        const PeriodTexts shownAmounts = fieldTexts();
        messages.shown.clear();

        ASSERT_TRUE(faulty.strike(u"データ.txt"_s));
        {
            ObeyFilePermissions obey;
            click(c.command == Command::Delete ? "deleteButton" : "saveButton");
        }
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QStringList leftInFolder = faulty.leftByFault() + QStringList{u"データ.txt"_s};

        // One message after the question, never a success.
        const qsizetype expectedBoxes = c.command == Command::Delete ? 2 : 1;
        ASSERT_EQ(messages.shown.size(), expectedBoxes);
        const auto &told = messages.shown.last();
        EXPECT_EQ(told.title,
                  c.command == Command::Delete ? u"削除できません"_s : u"保存できません"_s);
        EXPECT_TRUE(told.text.contains(c.told)) << told.text.toStdString();

        // No temporary file, nor anything else, left beside the data file.
        EXPECT_EQ(QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                           QDir::Name),
                  leftInFolder);

        if (c.kept == Kept::Everything) {
            if (c.fault == FolderFault::FileIsAFolder)
                EXPECT_TRUE(QFileInfo(dataPath()).isDir());
            else
                EXPECT_EQ(dataFileContent(), dataFileBytes(kStored));
            EXPECT_EQ(store.entries(), sampleEntries(kStored));
            EXPECT_EQ(listedNames(), kNames);
            EXPECT_EQ(counter(), u"%1 / %2"_s.arg(kShown).arg(kStored));
            EXPECT_EQ(nameBox()->currentText(), typed);
            EXPECT_EQ(fieldTexts(), shownAmounts);
        } else {
            EXPECT_EQ(dataFileContent(), QByteArray());
            EXPECT_EQ(store.entries().size(), 0);
            EXPECT_TRUE(listedNames().isEmpty());
            expectShows(0, 0);
        }
    }
};

class RealFileSystemFault : public DataSafetyTest, public ::testing::WithParamInterface<SafetyCase>
{};

TEST_P(RealFileSystemFault, LosesNothingAndIsTold)
{
    const SafetyCase &c = GetParam();
    if (needsMount(c.fault))
        POMIRO_REQUIRE_MOUNTS(describe(c));
    run(c);
}

INSTANTIATE_TEST_SUITE_P(FaultsAndCommands, RealFileSystemFault, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return caseName(describe(info.param)); });

// Another window saved first: nothing is written, the file is read again and the entry at the
// old position (or the last one, when fewer remain) is shown.
struct ChangedElsewhere : Described
{
    const char *button;
    int storedElsewhere;
    int shownAfter;
};

class AFileChangedElsewhere : public DataSafetyTest,
                              public ::testing::WithParamInterface<ChangedElsewhere>
{};

TEST_P(AFileChangedElsewhere, IsReadAgainNotOverwritten)
{
    const ChangedElsewhere &c = GetParam();
    writeDataFile(dataFileBytes(kStored));
    start();
    scrollBar()->setValue(9);
    nameBox()->setEditText(kNames[1]);
    messages.shown.clear();
    writeDataFile(dataFileBytes(c.storedElsewhere));
    click(c.button);

    EXPECT_EQ(dataFileContent(), dataFileBytes(c.storedElsewhere));
    ASSERT_EQ(store.entries().size(), c.storedElsewhere);
    expectShows(c.shownAfter, c.storedElsewhere);
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_TRUE(messages.shown.last().text.contains(kChanged));
    EXPECT_TRUE(messages.shown.last().text.contains(u"一覧を読み直しました"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AFileChangedElsewhere,
    ::testing::Values(ChangedElsewhere{{"Save, more entries stored"}, "saveButton", 14, 9},
                      ChangedElsewhere{{"Delete, fewer entries stored"}, "deleteButton", 5, 5}),
    whatName);

} // namespace
