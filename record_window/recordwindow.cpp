#include "record_window/recordwindow.h"

#include "core/csv.h"
#include "core/dateform.h"
#include "core/entrystore.h"
#include "core/recordstore.h"
#include "platform/accessibility.h"
#include "platform/announcer.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/stephistory.h"
#include "record_window/datefield.h"
#include "record_window/pricedialog.h"
#include "record_window/recordcommand.h"
#include "record_window/recordpage.h"
#include "record_window/texts.h"
#include "record_window/texttablemodel.h"

#include <QClipboard>
#include <QDateTime>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace pomiro {

namespace {

constexpr double kTextPoints = 10.5;
constexpr int kTableRows = 8;
constexpr int kHistoryRows = 5;
constexpr std::array kTableColumnWidths{160, 100, 70, 110, 110, 70};
constexpr std::array kHistoryColumnWidths{110, 100, 100, 70, 110};

// Milliseconds from `now` until just after the next local midnight.
int msecsToNextDay(const QDateTime &now)
{
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    return int(std::clamp<qint64>(now.msecsTo(midnight) + 500, 500, 24 * 3600 * 1000));
}

QTableView *makeTable(TextTableModel *model, const QString &name, QWidget *parent,
                      const auto &widths, int rows)
{
    auto *view = new QTableView(parent);
    view->setModel(model);
    view->setAccessibleName(name);
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    int width = 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < int(widths.size()); ++col) {
        view->setColumnWidth(col, widths[col]);
        width += widths[col];
    }
    const int rowHeight = view->verticalHeader()->defaultSectionSize();
    view->setFixedSize(width, view->horizontalHeader()->sizeHint().height() + rows * rowHeight +
                                  2 * view->frameWidth());
    return view;
}

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    made->setObjectName(QLatin1String(name));
    made->setAutoDefault(false);
    return made;
}

} // namespace

RecordWindow::RecordWindow(const EntryStore &entries, RecordStore &records, StepHistory &steps,
                           qsizetype entryIndex, const QString &folder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_entries(entries),
      m_records(records), m_steps(steps), m_folder(folder)
{
    setObjectName(QStringLiteral("recordWindow"));
    setWindowTitle(recordtexts::kWindowTitle);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(fonts::font(fonts::kProportional, kTextPoints));

    m_tableModel = new TextTableModel(recordColumnTitles(), this);
    m_table =
        makeTable(m_tableModel, recordtexts::kTableName, this, kTableColumnWidths, kTableRows);
    m_table->setObjectName(QStringLiteral("recordTable"));
    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("total"));
    m_total->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_selectedName = new QLabel(this);
    m_selectedName->setObjectName(QStringLiteral("selectedName"));
    auto *dateCaption = new QLabel(recordtexts::kQuitOnCaption, this);
    m_quitDate = new DateField(this);
    m_quitDate->setObjectName(QStringLiteral("quitDate"));
    m_quitDate->edit()->setAccessibleName(recordtexts::kQuitOnHeader);
    dateCaption->setBuddy(m_quitDate->edit());
    m_setDate = button(recordtexts::kSetDate, "setDateButton", this);
    m_startedAgain = button(recordtexts::kStartedAgain, "startedAgainButton", this);
    m_addPrice = button(recordtexts::kAddPriceChange, "addPriceButton", this);

    auto *historyCaption = new QLabel(recordtexts::kHistoryCaption, this);
    m_historyModel = new TextTableModel(historyColumnTitles(), this);
    m_historyView = makeTable(m_historyModel, recordtexts::kHistoryName, this, kHistoryColumnWidths,
                              kHistoryRows);
    m_historyView->setObjectName(QStringLiteral("history"));
    historyCaption->setBuddy(m_historyView);
    m_historyView->installEventFilter(this);

    QPushButton *copy = button(recordtexts::kCopy, "copyButton", this);
    QPushButton *pdf = button(recordtexts::kSavePdf, "pdfButton", this);
    QPushButton *printButton = button(recordtexts::kPrint, "printButton", this);
    QPushButton *close = button(recordtexts::kClose, "closeButton", this);

    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(dateCaption);
    dateRow->addWidget(m_quitDate);
    dateRow->addWidget(m_setDate);
    dateRow->addStretch();
    auto *actionRow = new QHBoxLayout;
    actionRow->addWidget(m_startedAgain);
    actionRow->addWidget(m_addPrice);
    actionRow->addStretch();
    auto *buttons = new QHBoxLayout;
    for (QPushButton *made : {copy, pdf, printButton})
        buttons->addWidget(made);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_table);
    layout->addWidget(m_total, 0, Qt::AlignRight);
    layout->addSpacing(6);
    layout->addWidget(m_selectedName);
    layout->addLayout(dateRow);
    layout->addLayout(actionRow);
    layout->addWidget(historyCaption);
    layout->addWidget(m_historyView, 0, Qt::AlignLeft);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    m_announcer = new Announcer(this);
    m_midnight = new QTimer(this);
    m_midnight->setObjectName(QStringLiteral("midnight"));
    m_midnight->setSingleShot(true);
    // A coarse timer may fire 5 % late: half an hour after midnight for a window opened at noon.
    m_midnight->setTimerType(Qt::PreciseTimer);
    connect(m_midnight, &QTimer::timeout, this, &RecordWindow::refresh);

    QWidget *const order[] = {m_table,
                              m_quitDate->edit(),
                              m_quitDate->calendarButton(),
                              m_setDate,
                              m_startedAgain,
                              m_addPrice,
                              m_historyView,
                              copy,
                              pdf,
                              printButton,
                              close};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_setDate, &QPushButton::clicked, this, &RecordWindow::setQuitDate);
    connect(m_quitDate, &DateField::accepted, this, &RecordWindow::setQuitDate);
    connect(m_startedAgain, &QPushButton::clicked, this, &RecordWindow::startedAgain);
    connect(m_addPrice, &QPushButton::clicked, this, &RecordWindow::addPriceChange);
    connect(copy, &QPushButton::clicked, this, &RecordWindow::copyTable);
    connect(pdf, &QPushButton::clicked, this, &RecordWindow::savePdf);
    connect(printButton, &QPushButton::clicked, this, &RecordWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(&m_records, &RecordStore::changed, this, &RecordWindow::refresh);
    connect(&m_entries, &QAbstractItemModel::modelReset, this, &RecordWindow::refresh);
    m_steps.addKeys(this, {m_quitDate->edit()});

    refresh();
    if (m_tableModel->rowCount() > 0) {
        const int row = int(std::clamp<qsizetype>(entryIndex, 0, m_tableModel->rowCount() - 1));
        m_table->selectRow(row);
        m_table->setCurrentIndex(m_tableModel->index(row, 0));
    }
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RecordWindow::showSelected);
    showSelected();
    accessibility::describeControls(this);
    m_table->setFocus();
}

void RecordWindow::setPrinting(PdfPrinting printing)
{
    m_printing = std::move(printing);
    refresh();
}

qsizetype RecordWindow::selectedEntry() const
{
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? current.row() : (m_report.rows.isEmpty() ? -1 : 0);
}

void RecordWindow::refresh()
{
    m_report = makeRecordReport(m_entries.entries(), m_records.records(), m_printing.today());
    QList<QStringList> rows;
    rows.reserve(m_report.rows.size());
    for (qsizetype row = 0; row < m_report.rows.size(); ++row) {
        QStringList line;
        for (int col = 0; col < RecordReport::kColumns; ++col)
            line << m_report.cell(row, col);
        rows << line;
    }
    m_tableModel->setRows(std::move(rows));
    m_total->setText(m_report.totalText());
    showSelected();
    armMidnight();
}

void RecordWindow::armMidnight()
{
    m_midnight->start(msecsToNextDay(QDateTime::currentDateTime()));
}

void RecordWindow::showSelected()
{
    const qsizetype entry = selectedEntry();
    const bool any = entry >= 0 && entry < m_report.rows.size();
    const bool writable = any && !m_records.readOnly();
    const RecordRow *row = any ? &m_report.rows.at(entry) : nullptr;
    m_selectedName->setText(row ? QStringLiteral("「%1」").arg(reporttexts::shownName(row->name))
                                : QString());
    // The date as stored (a new text also leaves the field no typing to take back, so Ctrl+Z
    // then goes to the steps).
    m_quitDate->setDate(row ? row->figures.quitOn : std::nullopt);
    m_quitDate->setLatest(m_report.today);
    m_quitDate->setEnabled(writable);
    m_setDate->setEnabled(writable);
    const bool goesOn = row && row->record.currentRun();
    m_startedAgain->setEnabled(writable && goesOn);
    m_addPrice->setEnabled(writable && goesOn);

    m_history = row ? historyLines(row->record, m_report.today) : QList<HistoryLine>();
    QList<QStringList> lines;
    for (const HistoryLine &line : m_history)
        lines << line.cells;
    m_historyModel->setRows(std::move(lines));
}

Amount RecordWindow::entryDailyAmount(qsizetype entry) const
{
    const auto amount = parseAmountText(m_entries.at(entry).amount(0));
    return amount ? amount.value() : Amount{};
}

void RecordWindow::setQuitDate()
{
    const qsizetype entry = selectedEntry();
    if (entry < 0 || m_records.readOnly())
        return;
    const auto date = parseDateText(m_quitDate->text());
    if (!date) {
        warn(this, recordtexts::kDateTitle, recordtexts::kUnreadableDate);
        return;
    }
    const QuitRecord before = m_report.rows.at(entry).record;
    const auto next = withQuitDate(before, *date, entryDailyAmount(entry), m_report.today);
    if (!next) {
        tellEditError(next.error(), before);
        return;
    }
    if (next.value() == before || !change(before, next.value()))
        return;
    const RecordRow &row = m_report.rows.at(entry);
    m_announcer->announce(recordtexts::setAnnouncement(row.name, row.figures.days,
                                                       recordtexts::figure(row.figures.current)));
}

void RecordWindow::startedAgain()
{
    const qsizetype entry = selectedEntry();
    if (entry < 0)
        return;
    const QuitRecord before = m_report.rows.at(entry).record;
    if (!confirm(this, recordtexts::kStartedAgainTitle,
                 recordtexts::startedAgainQuestion(before.name)))
        return;
    const auto next = withRunEnded(before, m_report.today);
    if (!next) {
        tellEditError(next.error(), before);
        return;
    }
    change(before, next.value());
}

void RecordWindow::addPriceChange()
{
    const qsizetype entry = selectedEntry();
    if (entry < 0)
        return;
    const QuitRecord before = m_report.rows.at(entry).record;
    const QuitRun *run = before.currentRun();
    if (!run) {
        warn(this, recordtexts::kPriceTitle, recordtexts::kNoRunForPrice);
        return;
    }
    const auto asked =
        askPriceChange(this, m_report.today, dailyAmountOn(*run, before.prices, m_report.today));
    if (!asked)
        return;
    const auto next = withPriceChange(before, asked->daily, asked->from, m_report.today);
    if (!next) {
        tellEditError(next.error(), before);
        return;
    }
    if (next.value() != before)
        change(before, next.value());
}

void RecordWindow::removeHistoryLine()
{
    const qsizetype entry = selectedEntry();
    const QModelIndex current = m_historyView->currentIndex();
    if (entry < 0 || !current.isValid() || current.row() >= m_history.size() ||
        m_records.readOnly())
        return;
    const HistoryLine &line = m_history.at(current.row());
    if (!confirm(this, recordtexts::kRemoveLineTitle,
                 recordtexts::removeLineQuestion(line.cells.mid(0, 3).join(u' '))))
        return;
    const QuitRecord before = m_report.rows.at(entry).record;
    const auto next =
        line.isRun ? withoutRun(before, line.index) : withoutPriceChange(before, line.index);
    if (!next) {
        tellEditError(next.error(), before);
        return;
    }
    change(before, next.value());
}

bool RecordWindow::change(const QuitRecord &before, const QuitRecord &next)
{
    const auto replaced = m_records.replace(before, next);
    if (!replaced) {
        const RecordFileError &error = replaced.error();
        if (!error.detail.isEmpty())
            qWarning().noquote() << m_records.path() << ':' << error.detail;
        warn(this, kSaveFailedTitle, recordtexts::fileError(error));
        return false;
    }
    m_steps.push(new RecordCommand(m_records, before, next));
    return true;
}

void RecordWindow::tellEditError(RecordEditError error, const QuitRecord &record)
{
    QDate previousEnd;
    for (const QuitRun &run : record.runs)
        if (run.end)
            previousEnd = std::max(previousEnd, *run.end);
    if (error == RecordEditError::BeforeRunStart && record.currentRun()) {
        warn(this, recordtexts::kPriceTitle,
             recordtexts::priceBeforeRun(record.currentRun()->start));
        return;
    }
    warn(this, recordtexts::kDateTitle, recordtexts::dateError(error, previousEnd));
}

void RecordWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(csv::join(m_report.table(), u'\t', u"\n"));
}

void RecordWindow::savePdf()
{
    m_printing.saveAsPdf(this, recordPrintable(m_report, m_folder));
}

void RecordWindow::print()
{
    m_printing.print(this, recordPrintable(m_report, m_folder));
}

bool RecordWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_historyView && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        removeHistoryLine();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void RecordWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_records.readOnly() && !m_toldReadOnly) {
        m_toldReadOnly = true;
        QTimer::singleShot(0, this, [this] {
            warn(this, recordtexts::kReadOnlyTitle,
                 recordtexts::readOnlyNotice(m_records.loadError()));
        });
    }
}

bool RecordWindow::event(QEvent *event)
{
    // Back from another program: the record file may have changed meanwhile.
    if (event->type() == QEvent::WindowActivate)
        m_records.reloadIfChanged();
    return QDialog::event(event);
}

} // namespace pomiro
