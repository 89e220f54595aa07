#include "letters/letterpage.h"

#include "core/amount.h"
#include "core/cellwidth.h"
#include "platform/fonts.h"

namespace pomiro::letters {

namespace {

// The lines start 500 twips right of and 200 twips below the printable area's corner.
constexpr double kTwipsPerPoint = 20.0;
constexpr QPointF kOrigin(500 / kTwipsPerPoint, 200 / kTwipsPerPoint);

// A new page starts in this size, which the first blank lines keep.
constexpr double kFirstSize = 10;
constexpr double kTitleSize = 78;
constexpr double kNameSize = 16;
constexpr double kAmountSize = 28;
constexpr double kDateSize = 22;

const QString kBlank = QStringLiteral(" ");
const QString kNamePrefix = QStringLiteral("　ぽみろ…");

// Puts lines one under the other, each in the size set last.
class Column
{
public:
    explicit Column(const LineHeight &lineHeight) : m_lineHeight(lineHeight) {}

    void size(double points) { m_points = points; }

    void line(const QString &text)
    {
        m_lines.append({QPointF(kOrigin.x(), m_top), text, fonts::kFixedPitch, m_points});
        m_top += m_lineHeight(fonts::kFixedPitch, m_points);
    }

    void blanks(int count)
    {
        for (int i = 0; i < count; ++i)
            line(kBlank);
    }

    QList<PageLine> lines() const { return m_lines; }

private:
    const LineHeight &m_lineHeight;
    QList<PageLine> m_lines;
    double m_points = kFirstSize;
    double m_top = kOrigin.y();
};

QString amountLine(size_t period, const QString &text)
{
    // A typed yen sign U+00A5 counts one cell (it is the byte 0x5C in CP932) but the font draws
    // it two cells wide; the one-cell sign the font draws for "\" keeps the column straight.
    const QString amount = QString(text).replace(QChar(0x00A5), QChar(kYenSign));
    // A text wider than its cells is printed as it stands and ends further right.
    return QString::fromUtf16(kPeriods[period].letterCaption) +
           rightAlignInCells(amount, kAmountCells);
}

} // namespace

QString dateLine(QDate date)
{
    return QStringLiteral("　") + QString(29, u' ') +
           QStringLiteral("%1年%2月%3日")
               .arg(date.year(), 4, 10, QChar(u'0'))
               .arg(date.month(), 2, 10, QChar(u'0'))
               .arg(date.day(), 2, 10, QChar(u'0'));
}

QList<PageLine> layOutLetter(const LetterKind &kind, const QString &name,
                             const PeriodTexts &amounts, QDate date, const LineHeight &lineHeight)
{
    Column page(lineHeight);
    page.blanks(3);

    page.size(kTitleSize);
    page.line(QString::fromUtf16(kind.titleLine));
    page.blanks(1);

    page.size(kNameSize);
    page.line(kNamePrefix + name);
    page.blanks(2);

    page.size(kAmountSize);
    for (size_t i = 0; i < amounts.size(); ++i)
        page.line(amountLine(i, amounts[i]));
    page.blanks(2);

    page.size(kind.closingFontSize);
    for (const char16_t *closing : kind.closingLines) {
        if (closing)
            page.line(QString::fromUtf16(closing));
    }
    page.size(kind.spacerFontSize);
    page.blanks(3);

    page.size(kDateSize);
    page.line(dateLine(date));
    return page.lines();
}

} // namespace pomiro::letters
