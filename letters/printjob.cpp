#include "letters/printjob.h"

#include "core/amount.h"
#include "core/cellwidth.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/printer.h"
#include "platform/qtprinter.h"

namespace pomiro::letters {

namespace {

constexpr int kScaleLeft = -500; // twips: a left margin inside the printable area
constexpr int kScaleTop = -200;  // twips: a top margin
constexpr double kTitleSize = 78;
constexpr double kNameSize = 16;
constexpr double kAmountSize = 28;
constexpr double kDateSize = 22;

const QString kSpacer = QStringLiteral(" ");
const QString kNamePrefix = QStringLiteral("　ぽみろ…");

const QString kFailureTitle = QStringLiteral("印刷エラー");
const QString kFailureText =
    QStringLiteral("印刷できませんでした。プリンターを設定してから、もう一度お試しください。");

// Walks the printer operations and stops at the first one refused; later calls do nothing.
class Steps
{
public:
    explicit Steps(Printer &printer) : m_printer(printer) {}

    bool ok() const { return m_ok; }

    void origin(int left, int top)
    {
        run([&] { return m_printer.setScaleLeft(left); });
        run([&] { return m_printer.setScaleTop(top); });
    }
    void font(double points)
    {
        run([&] { return m_printer.setFontName(fonts::kGothic); });
        size(points);
    }
    void size(double points)
    {
        run([&] { return m_printer.setFontSize(points); });
        m_size = points;
    }
    // Only where the size differs, so a letter sets no size it already has.
    void sizeIfNot(double points)
    {
        if (points != m_size)
            size(points);
    }
    void line(const QString &text) { run([&] { return m_printer.printLine(text); }); }
    void spacers(int count)
    {
        for (int i = 0; i < count; ++i)
            line(kSpacer);
    }
    void end() { run([&] { return m_printer.endDocument(); }); }

private:
    template <typename Operation>
    void run(Operation operation)
    {
        if (m_ok)
            m_ok = operation();
    }

    Printer &m_printer;
    bool m_ok = true;
    double m_size = 0; // the size the job last set; 0 before it set any
};

} // namespace

QString dateLine(QDate date)
{
    return QStringLiteral("　") + QString(29, u' ')
           + QStringLiteral("%1年%2月%3日")
                 .arg(date.year(), 4, 10, QChar(u'0'))
                 .arg(date.month(), 2, 10, QChar(u'0'))
                 .arg(date.day(), 2, 10, QChar(u'0'));
}

bool printLetter(const LetterKind &kind, Printer &printer, const QString &name,
                 const PeriodTexts &amounts, QDate date)
{
    Steps steps(printer);
    steps.origin(kScaleLeft, kScaleTop);

    // In the font every new document starts with.
    steps.spacers(3);

    steps.font(kTitleSize);
    steps.line(QString::fromUtf16(kind.titleLine));
    steps.spacers(1);

    steps.font(kNameSize);
    steps.line(kNamePrefix + name);
    steps.spacers(2);

    steps.font(kAmountSize);
    for (size_t i = 0; i < amounts.size(); ++i) {
        // A typed yen sign U+00A5 counts one cell (it is the byte 0x5C in CP932) but the font draws
        // it two cells wide; the one-cell sign the font draws for "\" keeps the column straight.
        const QString amount = QString(amounts[i]).replace(QChar(0x00A5), QChar(kYenSign));
        // A text wider than its cells is printed as it stands and ends further right.
        steps.line(QString::fromUtf16(kAmountCaptions[i]) + rightAlignInCells(amount, kAmountCells));
    }
    steps.spacers(2);

    steps.font(kind.closingFontSize);
    for (const char16_t *closing : kind.closingLines) {
        if (closing)
            steps.line(QString::fromUtf16(closing));
    }
    steps.sizeIfNot(kind.spacerFontSize);
    steps.spacers(3);

    steps.sizeIfNot(kDateSize);
    steps.line(dateLine(date));
    steps.end();

    if (!steps.ok())
        printer.abort();
    return steps.ok();
}

PrinterFactory defaultPrinterFactory()
{
    return [] { return std::unique_ptr<Printer>(QtPrinter::forDefaultPrinter()); };
}

LetterPrinting::LetterPrinting(PrinterFactory makePrinter, std::function<QDate()> today)
    : m_makePrinter(std::move(makePrinter)), m_today(std::move(today))
{
}

bool LetterPrinting::print(int kindIndex, QWidget *window, const QString &name,
                           const PeriodTexts &amounts)
{
    if (kindIndex < 0 || kindIndex >= static_cast<int>(kLetterKinds.size()))
        return false;
    const std::unique_ptr<Printer> printer = m_makePrinter ? m_makePrinter() : nullptr;
    const bool printed = printer
                         && printLetter(kLetterKinds[static_cast<size_t>(kindIndex)], *printer,
                                        name, amounts, m_today());
    if (!printed)
        warn(window, kFailureTitle, kFailureText);
    return printed;
}

} // namespace pomiro::letters
