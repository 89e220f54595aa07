#pragma once

#include "core/period.h"
#include "letters/letterkind.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QString>
#include <array>
#include <functional>

namespace pomiro::letters {

// Each amount is right-aligned in this many cells after its caption.
inline constexpr int kAmountCells = 15;

// One line of a letter, written from its top-left corner; nothing is wrapped or clipped.
struct PageLine
{
    QPointF topLeft; // points from the corner of the printable area
    QString text;
    QString fontFamily;
    double points;

    friend bool operator==(const PageLine &, const PageLine &) = default;
};

// How far below a line's top the next line starts: the height of the line's font on the page.
using LineHeight = std::function<double(const QString &fontFamily, double points)>;

// The date line's blanks put the date in cell 32.
QString dateLine(QDate date);

// Every line of one letter, top to bottom, the blank ones included: they carry the space between
// the parts, and the font they are set in decides how much.
QList<PageLine> layOutLetter(const LetterKind &kind, const QString &name,
                             const PeriodTexts &amounts, QDate date, const LineHeight &lineHeight);

} // namespace pomiro::letters
