// Saving over a file when the disk does not keep the new bytes: the save is a failure, never a
// success, and the old file stays as it was.
#include "core/savefile.h"

#include "core/datafile.h"
#include "tests/support/cases.h"
#include "tests/support/fsyncfault.h"
#include "tests/support/samples.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using pomiro::DataFile;
using pomiro::DataFileError;
using pomiro::Entries;
using pomiro::testing::Described;
using pomiro::testing::FsyncFault;
using pomiro::testing::whatName;

const QByteArray kOld = "\"old\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

class SaveFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(kOld), kOld.size());
    }

    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(u"データ.txt"_s); }

    QByteArray content() const
    {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // Everything in the folder: a temporary file left behind would show here.
    QStringList leftInFolder() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir m_dir;
};

struct SyncFailure : Described
{
    int error;
    DataFileError::Kind kind; // what DataFile makes of it
};

class FailedSync : public SaveFileTest, public ::testing::WithParamInterface<SyncFailure>
{};

// The new bytes were written but did not reach the disk: replacing the old file with them now
// would report a save that a power cut can undo.
TEST_P(FailedSync, IsAFailedSaveAndTheOldFileStays)
{
    const SyncFailure &c = GetParam();
    FsyncFault fault(folder(), c.error);

    const auto saved = pomiro::replaceFileAtomically(path(), "new bytes");

    ASSERT_GT(fault.failedCalls(), 0) << "the save never synced the new content";
    ASSERT_FALSE(saved) << "a save whose bytes may not be on the disk was reported as done";
    EXPECT_EQ(saved.error().detail, QString::fromLocal8Bit(std::strerror(c.error)));
    EXPECT_EQ(saved.error().diskFull, c.kind == DataFileError::Kind::DiskFull);
    EXPECT_EQ(content(), kOld);
    EXPECT_EQ(leftInFolder(), QStringList{u"データ.txt"_s});
}

// The same through the data file, as Save and Delete write it.
TEST_P(FailedSync, IsReportedByTheDataFile)
{
    const SyncFailure &c = GetParam();
    DataFile file{QDir(folder())};
    Entries table;
    ASSERT_TRUE(file.load(table));
    FsyncFault fault(folder(), c.error);

    const auto appended = file.append(pomiro::testing::entry(u"new"_s), table);
    ASSERT_FALSE(appended);
    EXPECT_EQ(appended.error().kind, c.kind);
    const auto rewritten = file.rewrite(table, 0);
    ASSERT_FALSE(rewritten);
    EXPECT_EQ(rewritten.error().kind, c.kind);

    EXPECT_GE(fault.failedCalls(), 2);
    EXPECT_EQ(content(), kOld);
    EXPECT_EQ(leftInFolder(), QStringList{u"データ.txt"_s});
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FailedSync,
    ::testing::Values(SyncFailure{{"write-back failed"}, EIO, DataFileError::Kind::WriteFailed},
                      SyncFailure{{"no space left"}, ENOSPC, DataFileError::Kind::DiskFull},
                      SyncFailure{{"over quota"}, EDQUOT, DataFileError::Kind::DiskFull}),
    whatName);

// A file system that cannot sync at all says EINVAL: that alone is no reason to refuse the save.
TEST_F(SaveFileTest, AFileSystemThatCannotSyncStillSaves)
{
    FsyncFault fault(folder(), EINVAL);
    ASSERT_TRUE(pomiro::replaceFileAtomically(path(), "new bytes"));
    EXPECT_GT(fault.failedCalls(), 0);
    EXPECT_EQ(content(), "new bytes");
    EXPECT_EQ(leftInFolder(), QStringList{u"データ.txt"_s});
}

} // namespace
