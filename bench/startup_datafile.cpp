// Writes the data file that bench/startup.sh starts the program with: 300 entries (the most the
// file holds) with Japanese names and ten amount texts each, into the folder given.
#include "core/datafile.h"
#include "core/period.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    pomiro::Entries table;
    for (int i = 1; i <= pomiro::kMaxEntries; ++i)
        table.append({u"毎朝のコーヒー、%1杯目"_s.arg(i), *pomiro::periodAmountTexts(i * 10.5)});
    pomiro::DataFile file{QDir(QString::fromLocal8Bit(argv[1]))};
    pomiro::Entries existing;
    if (!file.load(existing) || !file.rewrite(table)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file.path()));
        return 1;
    }
    return 0;
}
