#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>

namespace pomiro::fonts {

namespace {

// The first installed stand-in for `family`, or `family` itself when none is installed.
QString installedFamily(const QString &family)
{
    const QStringList standIns = QFont::substitutes(family);
    const auto installed = std::find_if(standIns.begin(), standIns.end(), [](const QString &name) {
        return QFontDatabase::hasFamily(name);
    });
    return installed != standIns.end() ? *installed : family;
}

} // namespace

void registerSubstitutes()
{
    // IPA first (the set-up script installs it); the others keep Japanese glyphs where it is
    // missing.
    QFont::insertSubstitutions(kFixedPitch,
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(kProportional,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                QStringLiteral("Noto Sans CJK JP")});
}

QFont font(const QString &family, double pointSize, bool italic)
{
    // Named by the installed font itself, Qt finds it at once and looks for another font only for a
    // character it lacks. Asked for the Windows name, Qt would search all fonts for stand-ins
    // first, for every script the text holds, which would be most of the main window's start-up.
    QFont result(installedFamily(family));
    result.setPointSizeF(pointSize);
    result.setItalic(italic);
    if (family == kFixedPitch)
        result.setStyleHint(
            QFont::Monospace); // keeps a fixed-pitch fallback if no substitute exists
    return result;
}

} // namespace pomiro::fonts
