#pragma once

// Where the main window puts its controls, by object name, in pixels of its client area: read from
// main_window/layout.h the way the window reads it, so that the end-to-end scripts find a control
// by its name (e2e_control_place, lib.sh's e2e_click_control) instead of copying its numbers.

#include "letters/letterkind.h"
#include "main_window/layout.h"
#include "platform/twips.h"

#include <QList>
#include <QRect>
#include <QString>
#include <utility>

namespace pomiro::testing {

// Every control the scripts may click or look at, with its place.
inline QList<std::pair<QString, QRect>> controlPlaces()
{
    using namespace layout;
    QList<std::pair<QString, QRect>> places;
    for (const ButtonSpec &button : kTopButtons)
        places.append({QLatin1String(button.name), twipsToPixels(button.at)});
    places.append({QLatin1String(kNameBox.name), twipsToPixels(kNameBox.at)});
    places.append({QStringLiteral("titlePicture"), twipsToPixels(kTitlePicture)});
    // The amount fields and the print panel's buttons are placed inside their frames.
    const QPoint amounts = twipsToPixels(kAmountsFrame).topLeft();
    for (const FieldSpec &field : kAmountFields)
        places.append({QLatin1String(field.name), twipsToPixels(field.at).translated(amounts)});
    const QPoint panel = twipsToPixels(kPrintPanel).topLeft();
    for (std::size_t i = 0; i < letters::kLetterKinds.size(); ++i)
        places.append({QLatin1String(letters::kLetterKinds[i].buttonName),
                       twipsToPixels(letterButtonAt(i)).translated(panel)});
    places.append(
        {QLatin1String(kCancelButton.name), twipsToPixels(kCancelButton.at).translated(panel)});
    return places;
}

// The place of the control with this object name; an empty rectangle when there is none.
inline QRect controlPlace(const QString &name)
{
    for (const auto &[controlName, place] : controlPlaces())
        if (controlName == name)
            return place;
    return {};
}

} // namespace pomiro::testing
