// The program killed at random moments while it saves and deletes: the data file always loads,
// holds every entry saved before the kill, and no temporary file can be taken for it.

#include "core/datafile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace {

using namespace Qt::StringLiterals;

constexpr int kKills = 40;

QString saveLoopBinary()
{
    return qEnvironmentVariable("POMIRO_BUILD_DIR") + u"/tests/main_window/saveloop"_s;
}

QSet<QString> namesIn(const QByteArray &bytes, pomiro::LoadStop *stop)
{
    const pomiro::ParsedDataFile parsed = pomiro::parseDataFile(bytes);
    *stop = parsed.stop;
    QSet<QString> names;
    for (const pomiro::Entry &entry : parsed.entries)
        names.insert(entry.name);
    return names;
}

// The seed of the kill times: POMIRO_CRASH_SEED when set, so that a failure can be repeated, and a
// new one each run otherwise.
unsigned killSeed()
{
    if (!qEnvironmentVariableIsSet("POMIRO_CRASH_SEED"))
        return std::random_device{}();
    bool number = false;
    const unsigned seed = qEnvironmentVariable("POMIRO_CRASH_SEED").toUInt(&number);
    EXPECT_TRUE(number) << "POMIRO_CRASH_SEED is not a seed: "
                        << qgetenv("POMIRO_CRASH_SEED").constData();
    return seed;
}

std::string names(const QSet<QString> &set)
{
    QStringList sorted = set.values();
    sorted.sort();
    return sorted.join(u' ').toStdString();
}

TEST(CrashSafety, AKillAtAnyMomentLosesNoSavedEntry)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const unsigned seed = killSeed();
    std::printf("kill times from seed %u (POMIRO_CRASH_SEED=%u repeats them)\n", seed, seed);
    std::fflush(stdout);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> waitMs(0, 60);
    SCOPED_TRACE("seed " + std::to_string(seed) +
                 ", repeat with POMIRO_CRASH_SEED=" + std::to_string(seed));

    QSet<QString> stored; // what the file must hold, as far as the reports tell
    int steps = 0;
    for (int round = 1; round <= kKills; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess loop;
        loop.setWorkingDirectory(dir.path());
        loop.setStandardErrorFile(
            QProcess::nullDevice()); // offscreen message boxes warn about size hints
        loop.start(saveLoopBinary(), {u"r%1"_s.arg(round)});
        ASSERT_TRUE(loop.waitForStarted()) << saveLoopBinary().toStdString();

        QByteArray output;
        // Killed once it is saving: the first save of the round has been confirmed.
        while (!output.contains("saved ") && loop.waitForReadyRead(10000))
            output += loop.readAllStandardOutput();
        ASSERT_TRUE(output.contains("saved ")) << output.toStdString();

        const int wait = waitMs(random);
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < wait && loop.state() == QProcess::Running)
            loop.waitForReadyRead(1);
        loop.kill(); // SIGKILL
        ASSERT_TRUE(loop.waitForFinished());
        output += loop.readAllStandardOutput();
        ASSERT_EQ(loop.exitStatus(), QProcess::CrashExit) << "the loop stopped by itself:\n"
                                                          << output.toStdString();

        int savedThisRound = 0;
        QString pendingDelete; // begun, not reported done
        for (const QString &line : QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts)) {
            const QString word = line.section(u' ', 0, 0);
            const QString name = line.section(u' ', 1);
            if (word == u"saved") {
                stored.insert(name);
                ++savedThisRound;
            } else if (word == u"deleting") {
                pendingDelete = name;
            } else if (word == u"deleted") {
                stored.remove(name);
                pendingDelete.clear();
            }
        }
        steps += savedThisRound;
        // The kill may come after a step reached the file but before it was reported.
        const QString pendingSave = u"r%1-%2"_s.arg(round).arg(savedThisRound + 1);

        QFile file(QDir(dir.path()).filePath(u"データ.txt"_s));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        pomiro::LoadStop stop;
        const QSet<QString> inFile = namesIn(file.readAll(), &stop);
        EXPECT_EQ(stop, pomiro::LoadStop::EndOfFile);
        EXPECT_EQ(names(QSet<QString>(stored).subtract(inFile).subtract({pendingDelete})), "")
            << "saved before the kill, missing from the file";
        EXPECT_EQ(names(QSet<QString>(inFile).subtract(stored).subtract({pendingSave})), "")
            << "in the file, never saved or deleted before the kill";
        stored = inFile;

        // Only the data file, or a leftover of an unfinished save that no name match takes for it.
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString &name : left) {
            if (name.compare(u"データ.txt"_s, Qt::CaseInsensitive) != 0) {
                EXPECT_TRUE(name.startsWith(u"データ.txt."_s)) << name.toStdString();
            }
        }
        EXPECT_EQ(pomiro::DataFile(QDir(dir.path())).path(), file.fileName());
    }
    std::printf("%d saves and deletes confirmed over %d kills\n", steps, kKills);
}

} // namespace
