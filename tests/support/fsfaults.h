#pragma once

// Real file-system faults for tests: a small tmpfs mounted over a folder (filled up, or made
// read-only) and a thread that loses root's right to ignore file permissions. Mounting needs root;
// POMIRO_REQUIRE_MOUNTS skips such a case for anyone else.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <linux/capability.h>
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

} // namespace pomiro::testing
