// Writes the data file that bench/startup.sh starts the program with, the sample entries, into the
// folder given.
#include "bench/sampleentries.h"
#include "core/datafile.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    pomiro::DataFile file{QDir(QString::fromLocal8Bit(argv[1]))};
    pomiro::Entries existing;
    if (!file.load(existing) || !file.rewrite(pomiro::bench::fullTable())) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file.path()));
        return 1;
    }
    return 0;
}
