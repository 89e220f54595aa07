#pragma once

#include "core/result.h"

#include <QString>
#include <QtGlobal>

namespace pomiro {

// The currency sign of amount text. It is the CP932 byte 0x5C, which the Japanese fonts draw as a
// half-width yen sign; U+00A5 would be drawn full-width and break the one-cell count.
inline constexpr char16_t kYenSign = u'\\';

// Money as a signed 64-bit count of 1/10,000 yen: four decimal places, never a double.
struct Amount
{
    static constexpr qint64 kUnitsPerYen = 10000;

    qint64 units = 0;

    static constexpr Amount fromYen(qint64 yen) { return Amount{yen * kUnitsPerYen}; }

    friend constexpr bool operator==(Amount, Amount) = default;
    friend constexpr auto operator<=>(Amount, Amount) = default;
};

enum class AmountError {
    NotANumber,
    OutOfRange,
};

// Reads an amount text ("\1,825,000", "\-3,500") or a number as people type it ("500", "1250.5",
// "１，５００円", "5万", "1億2000万"): blanks around it, a sign and a currency sign ("\", or a
// typed ¥ or ￥) in either order, digits with commas only between digits, an optional point with
// digits after it, or 億 and 万 each after its digits with the lower digits after them, and one 円
// at the end instead of a currency sign. Full-width digits, commas, points and signs count as their
// half-width selves. Decimals are rounded to four places ties to even. ".5", "1.", "万" and "5万万"
// are not numbers, nor is "\" alone, the text of a zero amount.
Result<Amount, AmountError> parseAmountText(const QString &text);

// "\" and the whole-yen amount grouped by "," in threes; zero is "\" alone.
QString formatAmountText(Amount amount);

// The whole-yen amount as a spreadsheet reads a number, rounded as formatAmountText() rounds:
// "3500", "-20", "0".
QString formatWholeYen(Amount amount);

// The sum in the Amount type; OutOfRange instead of overflowing.
Result<Amount, AmountError> addAmounts(Amount a, Amount b);

// The nearest double, in yen.
double toYenDouble(Amount amount);

// Yen in double precision to an Amount: x 10,000 in double, rounded half to even, range-checked.
Result<Amount, AmountError> amountFromYenDouble(double yen);

} // namespace pomiro
