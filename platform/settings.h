#pragma once

#include <QCoreApplication>
#include <QString>

namespace pomiro {

// The organisation and the application the user's settings are kept under, one name for both:
// every QSettings made with its default constructor then reads and writes
// $XDG_CONFIG_HOME/pomiro-checker/pomiro-checker.conf, where the program has always kept them.
inline const QString kSettingsName = QStringLiteral("pomiro-checker");

// Names the application for its settings. main() calls it once the application object is made,
// before any window reads a setting; the tests' application object does the same.
inline void setSettingsNames()
{
    QCoreApplication::setOrganizationName(kSettingsName);
    QCoreApplication::setApplicationName(kSettingsName);
}

} // namespace pomiro
