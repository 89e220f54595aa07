#pragma once

// Real file-system faults for tests: a small tmpfs mounted over a folder (filled up, or made
// read-only), a thread that loses root's right to ignore file permissions, and FaultyFolder, which
// brings about each fault a file the program writes can meet. Mounting needs root;
// POMIRO_REQUIRE_MOUNTS skips such a case for anyone else.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <optional>
#include <string>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace pomiro::testing {

// Opens a case that mounts file systems. For anyone but root the case is skipped, and GoogleTest
// reports it as skipped; CI (POMIRO_CI), which must run every root-only step, fails it instead.
#define POMIRO_REQUIRE_MOUNTS(what)                                                                \
    do {                                                                                           \
        if (::geteuid() != 0) {                                                                    \
            if (qEnvironmentVariableIsSet("POMIRO_CI"))                                            \
                GTEST_FAIL() << (what)                                                             \
                             << ": mounting a file system needs root, and CI must run "            \
                                "every root-only step";                                            \
            GTEST_SKIP() << (what) << ": mounting a file system needs root";                       \
        }                                                                                          \
    } while (false)

// A tmpfs of `kib` KiB mounted over `folder` (which must exist) while this object lives.
class TmpfsMount
{
public:
    TmpfsMount(const QString &folder, int kib) : m_folder(QFile::encodeName(folder))
    {
        const QByteArray options = "size=" + QByteArray::number(kib) + "k";
        if (::mount("tmpfs", m_folder.constData(), "tmpfs", 0, options.constData()) != 0)
            m_error = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~TmpfsMount()
    {
        if (m_error.isEmpty())
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    // Empty when mounted.
    QString error() const { return m_error; }

    // Writes `filler` in the folder until no byte fits any more; true when the disk is full.
    bool fill(const QString &filler) const
    {
        QFile file(filler);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'x');
        while (file.write(block) == block.size()) {
        }
        return file.error() == QFileDevice::ResourceError;
    }

    bool makeReadOnly() const
    {
        return ::mount(nullptr, m_folder.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
    }

private:
    QByteArray m_folder;
    QString m_error;
};

// While this object lives, the calling thread obeys file permissions even as root: the
// capabilities that override them are out of its effective set. Does nothing for other users,
// who obey them anyway.
class ObeyFilePermissions
{
public:
    ObeyFilePermissions()
    {
        if (::geteuid() != 0 || !capabilities(false, m_saved))
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_lowered = capabilities(true, lowered);
    }
    ~ObeyFilePermissions()
    {
        if (m_lowered)
            capabilities(true, m_saved);
    }
    ObeyFilePermissions(const ObeyFilePermissions &) = delete;
    ObeyFilePermissions &operator=(const ObeyFilePermissions &) = delete;

private:
    static bool capabilities(bool set, __user_cap_data_struct (&data)[2])
    {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
    }

    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

// The faults of the folder that holds a file the program replaces, each made for real.
enum class FolderFault {
    DiskFull,          // a tmpfs filled up
    ReadOnlyMount,     // a tmpfs remounted read-only
    FolderNotWritable, // no new file may be made beside the file
    FileIsAFolder,     // the file was replaced by a folder
    FileRemoved,       // the file is gone
};

inline const char *describe(FolderFault fault)
{
    static const char *const names[] = {"full disk", "read-only mount", "folder not writable",
                                        "file replaced by a folder", "file removed"};
    return names[int(fault)];
}

inline bool needsMount(FolderFault fault)
{
    return fault == FolderFault::DiskFull || fault == FolderFault::ReadOnlyMount;
}

// One fault on a folder, in two steps: made with the folder (a 64 KiB tmpfs mounted over it where
// the fault needs one: open the case with POMIRO_REQUIRE_MOUNTS), then brought about by strike()
// once the file is there. Hold an ObeyFilePermissions around the write under test, so that root
// too meets a folder it may not write; the folder's permissions come back with this object.
class FaultyFolder
{
public:
    FaultyFolder(const QString &folder, FolderFault fault) : m_folder(folder), m_fault(fault)
    {
        if (needsMount(fault))
            m_mount.emplace(folder, 64);
    }
    ~FaultyFolder()
    {
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    FaultyFolder(const FaultyFolder &) = delete;
    FaultyFolder &operator=(const FaultyFolder &) = delete;

    // Empty when the folder is ready for the fault.
    QString error() const { return m_mount ? m_mount->error() : QString(); }

    // Brings the fault about on `fileName` in the folder; false when that failed.
    [[nodiscard]] bool strike(const QString &fileName) const
    {
        const QDir folder(m_folder);
        switch (m_fault) {
        case FolderFault::DiskFull:
            return m_mount->fill(folder.filePath(kFiller));
        case FolderFault::ReadOnlyMount:
            return m_mount->makeReadOnly();
        case FolderFault::FolderNotWritable:
            return QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
        case FolderFault::FileIsAFolder:
            return QFile::remove(folder.filePath(fileName)) && folder.mkdir(fileName);
        case FolderFault::FileRemoved:
            return QFile::remove(folder.filePath(fileName));
        }
        return false;
    }

    // Takes the cause away again where it can be: room on the disk, the mount writable, the folder
    // writable. False for the faults that took the file itself.
    [[nodiscard]] bool heal() const
    {
        switch (m_fault) {
        case FolderFault::DiskFull:
            return QFile::remove(QDir(m_folder).filePath(kFiller));
        case FolderFault::ReadOnlyMount:
            return ::mount(nullptr, QFile::encodeName(m_folder).constData(), nullptr, MS_REMOUNT,
                           nullptr) == 0;
        case FolderFault::FolderNotWritable:
            return QFile::setPermissions(m_folder,
                                         QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        case FolderFault::FileIsAFolder:
        case FolderFault::FileRemoved:
            break;
        }
        return false;
    }

    // What the fault itself put in the folder: the filler of a full disk.
    QStringList leftByFault() const
    {
        return m_fault == FolderFault::DiskFull ? QStringList{kFiller} : QStringList();
    }

private:
    static inline const QString kFiller = QStringLiteral("filler");

    QString m_folder;
    FolderFault m_fault;
    std::optional<TmpfsMount> m_mount;
};

} // namespace pomiro::testing
