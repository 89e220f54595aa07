#pragma once

#include "platform/accessibility.h"
#include "platform/settings.h"
#include "tests/support/cases.h"

#include <QApplication>
#include <QColor>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
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
    // The user's settings stay untouched: what a test leaves goes to a folder of the binary's own,
    // unless the test points them at one of its own.
    static QTemporaryDir settings;
    static QApplication *app = [] {
        auto *made = new QApplication(argc, argv);
        // Our widgets answer screen readers, and find their settings, as they do in the program.
        accessibility::registerInterfaces();
        setSettingsNames();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
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
