#include "platform/fonts.h"

#include <QStringList>

namespace pomiro::fonts {

void registerSubstitutes()
{
    // IPA first (the set-up script installs it); the others keep Japanese glyphs where it is missing.
    QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                                         QStringLiteral("Noto Sans Mono CJK JP")});
    QFont::insertSubstitutions(kPGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic"),
                                          QStringLiteral("Noto Sans CJK JP")});
}

QFont font(const QString &family, double pointSize, bool italic)
{
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setItalic(italic);
    if (family == kGothic)
        result.setStyleHint(QFont::Monospace); // keeps a fixed-pitch fallback if no substitute exists
    return result;
}

} // namespace pomiro::fonts
