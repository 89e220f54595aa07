#include "platform/qtjapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pomiro {

void useQtJapanese()
{
    // Loaded on first use rather than at start-up: only Qt's own dialogs need it.
    static QTranslator *const translator = [] {
        auto *qtbase = new QTranslator(QCoreApplication::instance());
        if (qtbase->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtbase);
        return qtbase;
    }();
    Q_UNUSED(translator);
}

} // namespace pomiro
