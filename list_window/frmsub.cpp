#include "list_window/frmsub.h"

#include "core/amount.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/qtgrid.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <array>

using pomiro::Amount;
using pomiro::Entries;
using pomiro::Grid;
using pomiro::Twips;
using pomiro::twipsToPixels;

namespace {

constexpr int kCols = 11;
constexpr int kNameColTwips = 4000;
constexpr int kAmountColTwips = 1000;
constexpr double kGridFontSize = 9.0;
constexpr double kLabelFontSize = 12.0;
// A total names at most this many left-out rows; a longer tooltip would leave the screen.
constexpr int kMaxNamedRows = 10;

const QColor kSelected(192, 255, 255);
const QColor kDeselected(255, 255, 255);
const QColor kTotalRow(255, 255, 192);
const QColor kSelectedTotalRow(255, 224, 192);

const std::array<QString, kCols> kHeaders = {
    QStringLiteral("ぽみろ…"), QStringLiteral("１日"),   QStringLiteral("１週間"), QStringLiteral("１ヶ月"),
    QStringLiteral("半年"),    QStringLiteral("１年"),   QStringLiteral("３年"),   QStringLiteral("５年"),
    QStringLiteral("１０年"),  QStringLiteral("２０年"), QStringLiteral("３０年"),
};

// An empty amount and "\" alone (how a zero amount is written) add nothing; they are not faults.
// Blanks alone are typed text like any other, so they are left out and marked.
bool isZeroText(const QString &text)
{
    return text.isEmpty() || text.trimmed() == QString(pomiro::kYenSign);
}

struct ColumnTotal
{
    QString text;
    QString toolTip;
};

// The total of one amount column over the given rows. A text that cannot be read is left out and
// named; a text or sum beyond the Amount range makes the whole total "桁あふれ".
template <typename RowFilter>
ColumnTotal columnTotal(const Grid &grid, int col, int count, RowFilter include)
{
    Amount sum;
    bool overflow = false;
    QStringList skipped;
    for (int row = 1; row <= count; ++row) {
        if (!include(row))
            continue;
        const QString text = grid.text(row, col);
        if (isZeroText(text))
            continue;
        const auto value = pomiro::ParseAmountText(text);
        if (!value) {
            if (value.error() == pomiro::AmountError::OutOfRange)
                overflow = true;
            else
                skipped << grid.text(row, 0);
            continue;
        }
        if (overflow)
            continue;
        const auto next = pomiro::addAmounts(sum, *value);
        if (next)
            sum = *next;
        else
            overflow = true;
    }

    ColumnTotal total;
    total.text = overflow ? QStringLiteral("桁あふれ") : pomiro::FormatAmountText(sum);
    QStringList notes;
    if (overflow)
        notes << QStringLiteral("合計が大きすぎるため表示できません。");
    if (!skipped.isEmpty()) {
        total.text += QStringLiteral(" *");
        QStringList names;
        for (qsizetype i = 0; i < skipped.size() && i < kMaxNamedRows; ++i)
            names << (skipped[i].isEmpty() ? QStringLiteral("（名前なし）") : skipped[i].toHtmlEscaped());
        QString line = QStringLiteral("金額として読めないため合計に入れていない行：") + names.join(u'、');
        if (skipped.size() > kMaxNamedRows)
            line += QStringLiteral("、ほか%1行").arg(skipped.size() - kMaxNamedRows);
        notes << line;
    }
    // Rich text with the names escaped, so that a name is shown exactly as typed.
    total.toolTip = notes.isEmpty() ? QString() : QStringLiteral("<qt>") + notes.join(QStringLiteral("<br>"));
    return total;
}

} // namespace

frmSub::frmSub(const Entries &entries, std::unique_ptr<Grid> grid, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_grid(grid ? std::move(grid) : std::make_unique<pomiro::QtGrid>())
    , m_openingEntries(&entries)
    , m_count(int(entries.size()))
{
    setObjectName(QStringLiteral("frmSub"));
    setWindowTitle(QStringLiteral("ぽみろ一覧"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(Twips{0, 0, 9435, 6750}).size());
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    m_grid->setFontName(pomiro::fonts::kPGothic);
    m_grid->setToolTip(QStringLiteral("クリックで選択"));
    m_grid->setClickHandler([this] { toggleSelection(); });
    if (QWidget *msg1 = m_grid->widget()) {
        msg1->setParent(this);
        msg1->setObjectName(QStringLiteral("msg1"));
        msg1->setAccessibleName(QStringLiteral("ぽみろ一覧の表"));
        msg1->setGeometry(twipsToPixels(Twips{150, 150, 9165, 5865}));
    }

    Label1 = new QLabel(QStringLiteral("行をクリックすると選択した「ぽみろ…」の小計を表示します"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pomiro::fonts::font(pomiro::fonts::kPGothic, kLabelFontSize));
    Label1->setGeometry(twipsToPixels(Twips{300, 6300, 6090, 390}));

    cmdModori = new QPushButton(QStringLiteral("戻る"), this);
    cmdModori->setObjectName(QStringLiteral("cmdModori"));
    cmdModori->setFont(pomiro::fonts::font(pomiro::fonts::kPGothic, kGridFontSize));
    cmdModori->setGeometry(twipsToPixels(Twips{7650, 6150, 1590, 465}));
    connect(cmdModori, &QPushButton::clicked, this, &QWidget::close);

    if (QWidget *msg1 = m_grid->widget())
        QWidget::setTabOrder(cmdModori, msg1);
    pomiro::accessibility::describeControls(this);
    cmdModori->setFocus();

    SET_GRID();
    SET_LIST();
    SET_TOTAL();
    m_openingEntries = nullptr;

    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmSub::~frmSub() = default;

frmSub *frmSub::showList(const Entries &entries, QWidget *mainWindow, QPointer<frmSub> &existing)
{
    if (!existing) {
        existing = new frmSub(entries, nullptr, mainWindow);
    } else {
        existing->setWindowState(existing->windowState() & ~Qt::WindowMinimized);
        existing->raise();
    }
    existing->show();
    existing->activateWindow();
    return existing;
}

void frmSub::SET_GRID()
{
    m_grid->setFontSize(kGridFontSize);
    m_grid->setCols(kCols);
    m_grid->setRows(m_count + 4);
    m_grid->setFixedRows(1);
    m_grid->setFixedCols(1);
    m_grid->setColWidth(0, kNameColTwips);
    for (int col = 1; col < kCols; ++col)
        m_grid->setColWidth(col, kAmountColTwips);
    for (int col = 0; col < kCols; ++col) {
        m_grid->setText(0, col, kHeaders[static_cast<size_t>(col)]);
        m_grid->setColAlignmentFixed(col, Qt::AlignCenter);
    }
    for (int col = 1; col < kCols; ++col)
        m_grid->setColAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
}

void frmSub::SET_LIST()
{
    for (int row = 1; row <= m_count; ++row) {
        const pomiro::Entry &entry = m_openingEntries->at(row - 1);
        m_grid->setText(row, 0, entry.name);
        for (int period = 0; period < pomiro::kPeriodCount; ++period)
            m_grid->setText(row, period + 1, entry.amounts[static_cast<size_t>(period)]);
    }
}

void frmSub::SET_TOTAL()
{
    const int totalRow = m_count + 2;
    const int selectedRow = m_count + 3;
    m_grid->setText(totalRow, 0, QStringLiteral("全合計"));
    m_grid->setText(selectedRow, 0, QStringLiteral("選択合計"));
    for (int col = 0; col < kCols; ++col) {
        m_grid->setCellBackground(totalRow, col, kTotalRow);
        m_grid->setCellBackground(selectedRow, col, kSelectedTotalRow);
    }
    writeTotals(totalRow, false);
    m_grid->setCurrentCell(selectedRow, kCols - 1);
}

void frmSub::writeTotals(int row, bool selectedOnly)
{
    for (int col = 1; col < kCols; ++col) {
        const ColumnTotal total =
            columnTotal(*m_grid, col, m_count, [&](int r) { return !selectedOnly || isSelected(r); });
        m_grid->setText(row, col, total.text);
        m_grid->setCellToolTip(row, col, total.toolTip);
    }
}

// The selection lives in the colour of a row's first amount cell and nowhere else.
bool frmSub::isSelected(int row) const
{
    return m_grid->cellBackground(row, 1) == kSelected;
}

void frmSub::toggleSelection()
{
    const int row = m_grid->currentRow();
    // The header and the rows below the entries are not selectable.
    if (row < 1 || row > m_count)
        return;
    const QColor mark = isSelected(row) ? kDeselected : kSelected;
    for (int col = 1; col < kCols; ++col)
        m_grid->setCellBackground(row, col, mark);
    writeTotals(m_count + 3, true);
    m_grid->setCurrentCell(m_count + 3, kCols - 1);
}
