#include "core/dateform.h"

#include "core/typedtext.h"

#include <algorithm>
#include <array>

namespace pomiro {

namespace {

// The eras of the Japanese calendar from 明治 on, each with its first day; an era ends the day
// before the next one begins.
struct Era
{
    const char16_t *name;
    int year;
    int month;
    int day;

    QDate first() const { return QDate(year, month, day); }
};

constexpr std::array<Era, 5> kEras = {{
    {u"明治", 1868, 10, 23},
    {u"大正", 1912, 7, 30},
    {u"昭和", 1926, 12, 25},
    {u"平成", 1989, 1, 8},
    {u"令和", 2019, 5, 1},
}};

// Full-width digits, slash and hyphen (and the typeset minus) as their half-width selves, one
// character for one.
QChar halfWidth(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'０' && u <= u'９')
        return QChar(char16_t(u - u'０' + u'0'));
    if (u == u'／')
        return QChar(u'/');
    if (u == u'－' || u == u'\u2212')
        return QChar(u'-');
    return c;
}

// A cursor over the trimmed text, reading numbers and marks.
class Reader
{
public:
    explicit Reader(QString text) : m_text(std::move(text)) {}

    bool atEnd() const { return m_pos == m_text.size(); }

    // One to `maxDigits` digits, nothing when there are none or more.
    std::optional<int> number(int maxDigits)
    {
        int value = 0;
        int digits = 0;
        while (!atEnd() && m_text.at(m_pos) >= u'0' && m_text.at(m_pos) <= u'9') {
            if (++digits > maxDigits)
                return std::nullopt;
            value = value * 10 + (m_text.at(m_pos).unicode() - u'0');
            ++m_pos;
        }
        return digits > 0 ? std::optional<int>(value) : std::nullopt;
    }

    // Exactly `digits` digits.
    std::optional<int> fixedNumber(int digits)
    {
        const qsizetype begin = m_pos;
        const auto value = number(digits);
        return value && m_pos - begin == digits ? value : std::nullopt;
    }

    bool take(QStringView mark)
    {
        if (!QStringView(m_text).sliced(m_pos).startsWith(mark))
            return false;
        m_pos += mark.size();
        return true;
    }

    // One of the marks, which is then the one taken; nothing when none stands here.
    std::optional<QChar> takeOneOf(QStringView marks)
    {
        if (atEnd() || !marks.contains(m_text.at(m_pos)))
            return std::nullopt;
        return m_text.at(m_pos++);
    }

private:
    QString m_text;
    qsizetype m_pos = 0;
};

QDate dateOf(int year, std::optional<int> month, std::optional<int> day)
{
    return month && day ? QDate(year, *month, *day) : QDate();
}

// "M月D日" after the year.
QDate monthAndDay(Reader &reader, int year)
{
    const auto month = reader.number(2);
    if (!month || !reader.take(u"月"))
        return {};
    const auto day = reader.number(2);
    if (!day || !reader.take(u"日"))
        return {};
    return dateOf(year, month, day);
}

// "令和8年9月1日", "令和元年5月1日", after the era's name.
QDate eraDate(Reader &reader, qsizetype eraIndex)
{
    const Era &era = kEras[static_cast<size_t>(eraIndex)];
    // Four digits: an era of a hundred years or more still reads.
    const std::optional<int> eraYear = reader.take(u"元") ? 1 : reader.number(4);
    if (!eraYear || *eraYear < 1 || !reader.take(u"年"))
        return {};
    const QDate date = monthAndDay(reader, era.year + *eraYear - 1);
    if (!date.isValid() || date < era.first())
        return {};
    if (eraIndex + 1 < qsizetype(kEras.size()) &&
        date >= kEras[static_cast<size_t>(eraIndex + 1)].first())
        return {};
    return date;
}

// "2026/9/1", "2026-09-01", "2026年9月1日".
QDate westernDate(Reader &reader)
{
    const auto year = reader.fixedNumber(4);
    if (!year)
        return {};
    if (reader.take(u"年"))
        return monthAndDay(reader, *year);
    const auto separator = reader.takeOneOf(u"/-");
    if (!separator)
        return {};
    const auto month = reader.number(2);
    if (!month || !reader.take(QStringView(&*separator, 1)))
        return {};
    return dateOf(*year, month, reader.number(2));
}

} // namespace

std::optional<QDate> parseDateText(const QString &text)
{
    QString plain = withoutTypedBlanks(text).toString();
    for (QChar &c : plain)
        c = halfWidth(c);

    Reader reader(plain);
    QDate date;
    const auto era = std::find_if(kEras.cbegin(), kEras.cend(), [&](const Era &e) {
        return plain.startsWith(QStringView(e.name));
    });
    if (era != kEras.cend()) {
        reader.take(QStringView(era->name));
        date = eraDate(reader, era - kEras.cbegin());
    } else {
        date = westernDate(reader);
    }
    if (!date.isValid() || !reader.atEnd())
        return std::nullopt;
    return date;
}

QString formatDate(QDate date)
{
    if (!date.isValid())
        return {};
    return QString::asprintf("%04d/%02d/%02d", date.year(), date.month(), date.day());
}

QString formatEraDate(QDate date)
{
    // The latest era begun by `date`.
    const auto era = std::find_if(kEras.crbegin(), kEras.crend(),
                                  [&](const Era &e) { return e.first() <= date; });
    if (!date.isValid() || era == kEras.crend())
        return {};
    const int eraYear = date.year() - era->year + 1;
    const QString year = eraYear == 1 ? QStringLiteral("元") : QString::number(eraYear);
    return QStringLiteral("%1%2年%3月%4日")
        .arg(QStringView(era->name), year, QString::number(date.month()),
             QString::number(date.day()));
}

} // namespace pomiro
