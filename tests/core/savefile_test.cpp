// Saving over a file when the disk does not keep the new bytes: the save is a failure, never a
// success, and the old file stays as it was.
#include "core/savefile.h"

#include "core/datafile.h"
#include "tests/support/cases.h"
#include "tests/support/fsyncfault.h"
#include "tests/support/samples.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// What a power cut leaves between a save's write and its rename: a full copy "データ.txt.XXXXXX".
// Loading removes such copies once they are over an hour old, and nothing else.
struct Leftover : Described
{
    const char16_t *name;
    enum Kind { File, Folder, Link } kind;
    int minutesOld;
    bool removed;
};

class LeftoverCopy : public SaveFileTest, public ::testing::WithParamInterface<Leftover>
{
protected:
    // Makes the thing, dated `minutesOld` ago.
    void make(const Leftover &c)
    {
        const QString at = QDir(folder()).filePath(QString::fromUtf16(c.name));
        if (c.kind == Leftover::Folder)
            ASSERT_TRUE(QDir(folder()).mkdir(QString::fromUtf16(c.name)));
        else if (c.kind == Leftover::Link)
            ASSERT_TRUE(QFile::link(path(), at));
        else
            ASSERT_TRUE(QFile(at).open(QIODevice::WriteOnly));
        // The link itself is dated, not the data file it points to.
        const timespec when{std::time(nullptr) - 60 * c.minutesOld, 0};
        const timespec times[2] = {when, when};
        ASSERT_EQ(
            ::utimensat(AT_FDCWD, QFile::encodeName(at).constData(), times, AT_SYMLINK_NOFOLLOW), 0)
            << std::strerror(errno);
    }
};

TEST_P(LeftoverCopy, GoesOnlyWhenItIsAnOldCopy)
{
    const Leftover &c = GetParam();
    make(c);
    DataFile file{QDir(folder())};
    Entries table;
    ASSERT_TRUE(file.load(table));
    EXPECT_EQ(QFileInfo::exists(QDir(folder()).filePath(QString::fromUtf16(c.name))), !c.removed);
    // The data file itself is never touched.
    EXPECT_EQ(content(), kOld);
    ASSERT_EQ(table.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LeftoverCopy,
    ::testing::Values(
        Leftover{{"an old copy"}, u"データ.txt.AbCdEz", Leftover::File, 61, true},
        Leftover{{"a day old copy"}, u"データ.txt.qwERty", Leftover::File, 24 * 60, true},
        Leftover{{"a copy of the last hour"}, u"データ.txt.AbCdEz", Leftover::File, 59, false},
        Leftover{{"a copy saved now"}, u"データ.txt.AbCdEz", Leftover::File, 0, false},
        Leftover{{"five letters"}, u"データ.txt.AbCdE", Leftover::File, 120, false},
        Leftover{{"seven letters"}, u"データ.txt.AbCdEzz", Leftover::File, 120, false},
        Leftover{{"a digit"}, u"データ.txt.AbCd3z", Leftover::File, 120, false},
        Leftover{{"a lower-case backup"}, u"データ.txt.backup", Leftover::File, 120, false},
        Leftover{{"a capitalised backup"}, u"データ.txt.Backup", Leftover::File, 120, false},
        Leftover{{"an upper-case backup"}, u"データ.txt.BACKUP", Leftover::File, 120, false},
        Leftover{{"another file's copy"}, u"メモ.txt.AbCdEz", Leftover::File, 120, false},
        Leftover{{"the name in other letters"}, u"データ.TXT.AbCdEz", Leftover::File, 120, false},
        Leftover{{"a folder of that name"}, u"データ.txt.AbCdEz", Leftover::Folder, 120, false},
        Leftover{{"a link of that name"}, u"データ.txt.AbCdEz", Leftover::Link, 120, false}),
    whatName);

// Qt's own names for a save's temporary file: most mix the cases enough to be told from a name a
// person gives; those are removed, the rest stay. 64 names, so that both kinds occur.
TEST_F(SaveFileTest, CopiesNamedAsQtNamesThemAreRemoved)
{
    int removable = 0;
    for (int i = 0; i < 64; ++i) {
        QTemporaryFile copy(path() + u".XXXXXX"_s);
        copy.setAutoRemove(false);
        ASSERT_TRUE(copy.open());
        const QString suffix = copy.fileName().sliced(path().size() + 1);
        ASSERT_TRUE(copy.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 60 * 60),
                                     QFileDevice::FileModificationTime));
        int upper = 0;
        for (const QChar c : suffix)
            upper += c.isUpper();
        removable += upper >= 2 && upper <= 4;
    }
    EXPECT_EQ(pomiro::removeLeftoverCopies(path()), removable);
    EXPECT_EQ(leftInFolder().size(), 1 + 64 - removable);
    EXPECT_GT(removable, 32);
}

} // namespace
