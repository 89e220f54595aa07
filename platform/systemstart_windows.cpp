#include "platform/systemstart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QStringList>

namespace pomiro::systemstart {

std::jthread beforeApplication()
{
    // Qt reads Windows' own list of fonts, quickly: nothing to start early.
    return {};
}

void afterApplication()
{
    // A Windows set up for Japanese has the MS Gothic faces the layouts were made with. Elsewhere
    // (a Windows without its Japanese fonts, or Wine) the IPA fonts installed beside the program
    // stand in for them, as on Linux.
    if (QFontDatabase::hasFamily(QStringLiteral("MS Gothic")))
        return;
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString &file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
}

} // namespace pomiro::systemstart
