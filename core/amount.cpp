#include "core/amount.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace pomiro {

namespace {

constexpr std::uint64_t kMaxPositiveUnits = std::numeric_limits<qint64>::max();
constexpr std::uint64_t kMaxNegativeUnits = kMaxPositiveUnits + 1; // magnitude of INT64_MIN

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

bool isCurrencySign(QChar c)
{
    // "\" is what the program writes; the two yen signs are what a user may type.
    return c == kYenSign || c == u'\u00A5' || c == u'\uFFE5';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}

} // namespace

// Accepted: [blanks] [sign and/or currency sign, either order] digits [. digits] [blanks].
// Commas may stand between any two digits of the whole part, never first or last. A point needs
// digits on both sides: ".5", "1." and "1,000." are not numbers.
Result<Amount, AmountError> parseAmountText(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;

    bool negative = false;
    bool sawSign = false;
    bool sawCurrency = false;
    while (begin < end) {
        const QChar c = text.at(begin);
        if (!sawSign && (c == u'-' || c == u'+')) {
            sawSign = true;
            negative = c == u'-';
        } else if (!sawCurrency && isCurrencySign(c)) {
            sawCurrency = true;
        } else {
            break;
        }
        ++begin;
    }

    // The whole part, checked for form before any arithmetic so that a long run of digits
    // followed by a letter is still "not a number".
    const qsizetype wholeBegin = begin;
    qsizetype pos = begin;
    while (pos < end && (isDigit(text.at(pos)) || text.at(pos) == u','))
        ++pos;
    const qsizetype wholeEnd = pos;
    if (wholeEnd == wholeBegin || text.at(wholeBegin) == u',' || text.at(wholeEnd - 1) == u',')
        return fail(AmountError::NotANumber);

    qsizetype fractionBegin = pos;
    qsizetype fractionEnd = pos;
    if (pos < end && text.at(pos) == u'.') {
        fractionBegin = ++pos;
        while (pos < end && isDigit(text.at(pos)))
            ++pos;
        fractionEnd = pos;
        if (fractionEnd == fractionBegin)
            return fail(AmountError::NotANumber);
    }
    if (pos != end)
        return fail(AmountError::NotANumber);

    const std::uint64_t limit = negative ? kMaxNegativeUnits : kMaxPositiveUnits;
    std::uint64_t units = 0;
    for (qsizetype i = wholeBegin; i < wholeEnd; ++i) {
        if (text.at(i) == u',')
            continue;
        if (__builtin_mul_overflow(units, 10u, &units) ||
            __builtin_add_overflow(units, static_cast<unsigned>(digitValue(text.at(i))), &units) ||
            units > limit)
            return fail(AmountError::OutOfRange);
    }
    if (__builtin_mul_overflow(units, static_cast<std::uint64_t>(Amount::kUnitsPerYen), &units))
        return fail(AmountError::OutOfRange);

    // Four decimals exactly; the rest decides the rounding, ties to even.
    std::uint64_t fraction = 0;
    std::uint64_t scale = Amount::kUnitsPerYen;
    for (qsizetype i = fractionBegin; i < fractionEnd && scale > 1; ++i) {
        scale /= 10;
        fraction += static_cast<std::uint64_t>(digitValue(text.at(i))) * scale;
    }
    const qsizetype restBegin = std::min(fractionBegin + 4, fractionEnd);
    bool roundUp = false;
    if (restBegin < fractionEnd) {
        const int first = digitValue(text.at(restBegin));
        bool beyondHalf = false;
        for (qsizetype i = restBegin + 1; i < fractionEnd && !beyondHalf; ++i)
            beyondHalf = text.at(i) != u'0';
        if (first > 5 || (first == 5 && beyondHalf))
            roundUp = true;
        else if (first == 5)
            roundUp = ((units + fraction) & 1u) != 0;
    }
    if (__builtin_add_overflow(units, fraction + (roundUp ? 1u : 0u), &units) || units > limit)
        return fail(AmountError::OutOfRange);

    // Negate in unsigned arithmetic: the magnitude of INT64_MIN has no positive qint64.
    const qint64 value = negative ? static_cast<qint64>(0 - units) : static_cast<qint64>(units);
    return Amount{value};
}

QString formatAmountText(Amount amount)
{
    const bool negative = amount.units < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(amount.units)
                                             : static_cast<std::uint64_t>(amount.units);
    // Whole yen, halves away from zero.
    std::uint64_t yen = (magnitude + Amount::kUnitsPerYen / 2) / Amount::kUnitsPerYen;

    QString text(1, kYenSign);
    if (yen == 0)
        return text;
    if (negative)
        text += u'-';

    char16_t digits[32];
    int count = 0;
    while (yen != 0) {
        if (count % 4 == 3)
            digits[count++] = u',';
        digits[count++] = static_cast<char16_t>(u'0' + yen % 10);
        yen /= 10;
    }
    while (count > 0)
        text += QChar(digits[--count]);
    return text;
}

Result<Amount, AmountError> addAmounts(Amount a, Amount b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a.units, b.units, &sum))
        return fail(AmountError::OutOfRange);
    return Amount{sum};
}

double toYenDouble(Amount amount)
{
    // The extended type holds every qint64 exactly, so only the quotient is rounded (once to the
    // extended type, once to double; nearest in all but vanishingly rare cases).
    return static_cast<double>(static_cast<long double>(amount.units) /
                               static_cast<long double>(Amount::kUnitsPerYen));
}

Result<Amount, AmountError> amountFromYenDouble(double yen)
{
    // 2^63 is exactly representable; every double below it and at or above -2^63 fits a qint64.
    constexpr double kLimit = 9223372036854775808.0;
    const double scaled = std::nearbyint(yen * static_cast<double>(Amount::kUnitsPerYen));
    if (!(scaled >= -kLimit && scaled < kLimit)) // NaN fails here too
        return fail(AmountError::OutOfRange);
    return Amount{static_cast<qint64>(scaled)};
}

} // namespace pomiro
