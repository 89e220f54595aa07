#pragma once

#include "platform/accessibility.h"
#include "tests/support/cases.h"

#include <QApplication>
#include <QColor>
#include <QString>
#include <QUrl>
#include <ostream>

namespace pomiro::testing {

// One application object for a whole test binary, made on first use. It is never destroyed:
// tearing it down among the static destructors at exit crashes inside Qt.
inline QApplication &application()
{
    static int argc = 1;
    static char name[] = "pomiro-test";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        auto *made = new QApplication(argc, argv);
        // Our widgets answer screen readers as they do in the program.
        accessibility::registerInterfaces();
        return made;
    }();
    return *app;
}

} // namespace pomiro::testing

// Readable failure messages for Qt values (QString's is in cases.h).
inline void PrintTo(const QUrl &url, std::ostream *out)
{
    *out << url.toString().toStdString();
}

inline void PrintTo(const QColor &colour, std::ostream *out)
{
    *out << colour.name(QColor::HexArgb).toStdString();
}
