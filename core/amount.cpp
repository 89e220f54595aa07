#include "core/amount.h"

#include "core/typedtext.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace pomiro {

namespace {

constexpr std::uint64_t kMaxPositiveUnits = std::numeric_limits<qint64>::max();
constexpr std::uint64_t kMaxNegativeUnits = kMaxPositiveUnits + 1; // magnitude of INT64_MIN

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

// Full-width digits, comma, point and signs as their half-width selves, and the minus sign of
// typeset text as "-": a Japanese input method gives "１，５００" as readily as "1,500". One
// character for one, so that positions keep their meaning.
char16_t halfWidth(char16_t c)
{
    if (c >= u'０' && c <= u'９')
        return char16_t(c - u'０' + u'0');
    switch (c) {
    case u'，':
        return u',';
    case u'．':
        return u'.';
    case u'－':
    case u'\u2212':
        return u'-';
    case u'＋':
        return u'+';
    case u'＼':
        return kYenSign;
    default:
        return c;
    }
}

QString halfWidth(const QString &text)
{
    // The stored amounts are half-width; they are read without a copy.
    QString plain = text;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (const char16_t half = halfWidth(c); half != c)
            plain[i] = QChar(half);
    }
    return plain;
}

// The power of ten in yen that a unit stands for.
int unitPower(QChar c)
{
    if (c == u'億')
        return 8;
    if (c == u'万')
        return 4;
    return 0;
}

// One run of the number: digits with commas, maybe a fraction, maybe a unit after them.
struct Part
{
    qsizetype wholeBegin = 0;
    qsizetype wholeEnd = 0;
    qsizetype fractionBegin = 0;
    qsizetype fractionEnd = 0;
    int power = 0; // 8 for 億, 4 for 万, 0 for the plain yen at the end

    bool hasFraction() const { return fractionEnd > fractionBegin; }
};

// Whether the whole digits of a part stay below the bound; stops early on a long run of digits.
bool wholeBelow(const QString &text, const Part &part, std::uint64_t bound)
{
    std::uint64_t value = 0;
    for (qsizetype i = part.wholeBegin; i < part.wholeEnd; ++i) {
        if (text.at(i) == u',')
            continue;
        value = value * 10 + static_cast<std::uint64_t>(digitValue(text.at(i)));
        if (value >= bound)
            return false;
    }
    return true;
}

std::uint64_t powerOfTen(int power)
{
    std::uint64_t value = 1;
    while (power-- > 0)
        value *= 10;
    return value;
}

// The part's whole and fraction in units of 1/10,000 yen, its fraction rounded ties to even;
// nothing when the magnitude passes the limit.
std::optional<std::uint64_t> partUnits(const QString &text, const Part &part, std::uint64_t limit)
{
    // Four decimals of the yen, and four or eight more for a number of 万 or 億 ("1.5万").
    const int places = 4 + part.power;
    std::uint64_t units = 0;
    for (qsizetype i = part.wholeBegin; i < part.wholeEnd; ++i) {
        if (text.at(i) == u',')
            continue;
        if (__builtin_mul_overflow(units, 10u, &units) ||
            __builtin_add_overflow(units, static_cast<unsigned>(digitValue(text.at(i))), &units) ||
            units > limit)
            return std::nullopt;
    }
    if (__builtin_mul_overflow(units, powerOfTen(places), &units))
        return std::nullopt;

    // The first places exactly; the rest decides the rounding, ties to even.
    std::uint64_t fraction = 0;
    std::uint64_t scale = powerOfTen(places);
    for (qsizetype i = part.fractionBegin; i < part.fractionEnd && scale > 1; ++i) {
        scale /= 10;
        fraction += static_cast<std::uint64_t>(digitValue(text.at(i))) * scale;
    }
    const qsizetype restBegin = std::min(part.fractionBegin + places, part.fractionEnd);
    bool roundUp = false;
    if (restBegin < part.fractionEnd) {
        const int first = digitValue(text.at(restBegin));
        bool beyondHalf = false;
        for (qsizetype i = restBegin + 1; i < part.fractionEnd && !beyondHalf; ++i)
            beyondHalf = text.at(i) != u'0';
        if (first > 5 || (first == 5 && beyondHalf))
            roundUp = true;
        else if (first == 5)
            roundUp = ((units + fraction) & 1u) != 0;
    }
    if (__builtin_add_overflow(units, fraction + (roundUp ? 1u : 0u), &units) || units > limit)
        return std::nullopt;
    return units;
}

} // namespace

// Accepted: [blanks] [sign and/or currency sign, either order] number [円] [blanks], where the
// number is digits [. digits] as ever, or written with 億 and 万 ("1億2000万", "3万5000", "1.5万").
// Commas may stand between any two digits of a whole part, never first or last. A point needs
// digits on both sides: ".5", "1." and "1,000." are not numbers. Nothing may stand between the
// pieces, blanks included: "\ 500", "5 万" and "5万 円" are refused as "1 000" always was.
Result<Amount, AmountError> parseAmountText(const QString &typed)
{
    const QString text = withoutTypedBlanks(halfWidth(typed)).toString();
    qsizetype begin = 0;
    qsizetype end = text.size();

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
    // One 円 after the number; with a yen sign before it the currency would be said twice.
    if (end > begin && text.at(end - 1) == u'円') {
        if (sawCurrency)
            return fail(AmountError::NotANumber);
        --end;
    }

    // The parts, checked for form before any arithmetic so that a long run of digits followed by
    // a letter is still "not a number".
    std::array<Part, 3> parts;
    int partCount = 0;
    qsizetype pos = begin;
    while (partCount < int(parts.size())) {
        Part &part = parts[static_cast<size_t>(partCount++)];
        part.wholeBegin = pos;
        while (pos < end && (isDigit(text.at(pos)) || text.at(pos) == u','))
            ++pos;
        part.wholeEnd = pos;
        if (part.wholeEnd == part.wholeBegin || text.at(part.wholeBegin) == u',' ||
            text.at(part.wholeEnd - 1) == u',')
            return fail(AmountError::NotANumber);
        part.fractionBegin = part.fractionEnd = pos;
        if (pos < end && text.at(pos) == u'.') {
            part.fractionBegin = ++pos;
            while (pos < end && isDigit(text.at(pos)))
                ++pos;
            part.fractionEnd = pos;
            if (part.fractionEnd == part.fractionBegin)
                return fail(AmountError::NotANumber);
        }
        part.power = pos < end ? unitPower(text.at(pos)) : 0;
        if (part.power == 0 || ++pos == end)
            break;
    }
    if (pos != end)
        return fail(AmountError::NotANumber);
    for (int i = 1; i < partCount; ++i) {
        const Part &upper = parts[static_cast<size_t>(i - 1)];
        const Part &part = parts[static_cast<size_t>(i)];
        // Units in descending order, each once; a lower part fits below the unit above it
        // ("1億20000万" is no way to write 3億); a decimal only on a number that a unit ends
        // ("1.5億2000万" would say the 5000万 twice).
        if (part.power >= upper.power || upper.hasFraction() || part.hasFraction() ||
            !wholeBelow(text, part, powerOfTen(upper.power - part.power)))
            return fail(AmountError::NotANumber);
    }

    const std::uint64_t limit = negative ? kMaxNegativeUnits : kMaxPositiveUnits;
    std::uint64_t units = 0;
    for (int i = 0; i < partCount; ++i) {
        const auto partValue = partUnits(text, parts[static_cast<size_t>(i)], limit);
        if (!partValue || __builtin_add_overflow(units, *partValue, &units) || units > limit)
            return fail(AmountError::OutOfRange);
    }

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

QString formatWholeYen(Amount amount)
{
    // The displayed text less its signs, so that the rounding is the display's own by construction.
    QString yen = formatAmountText(amount);
    yen.remove(kYenSign);
    yen.remove(u',');
    return yen.isEmpty() ? QStringLiteral("0") : yen;
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
