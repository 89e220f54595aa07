#include "platform/qtjapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pomiro {

void useQtJapanese()
{
    static QTranslator *const translator = [] {
        auto *qtbase = new QTranslator(QCoreApplication::instance());
        if (qtbase->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtbase);
        return qtbase;
    }();
    Q_UNUSED(translator);
}

} // namespace pomiro
