#include "main_window/mainwindow.h"

#include "core/cellwidth.h"
#include "core/entrystore.h"
#include "core/recordstore.h"
#include "help_window/helpviewer.h"
#include "letters/letterprinting.h"
#include "list_window/listwindow.h"
#include "main_window/entrycommand.h"
#include "main_window/layout.h"
#include "main_window/printpanel.h"
#include "main_window/texts.h"
#include "platform/accessibility.h"
#include "platform/amountfield.h"
#include "platform/announcer.h"
#include "platform/messagebox.h"
#include "platform/stephistory.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "record_window/recordcommand.h"
#include "record_window/recordwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace pomiro {

namespace {

QAbstractSlider::SliderAction scrollAction(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

} // namespace

MainWindow::MainWindow(EntryStore &store, HelpViewer &help, QWidget *parent)
    : QWidget(parent), m_store(store), m_help(help)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(texts::kWindowTitle);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(twipsToPixels(layout::kClientArea).size());
    buildControls();
    QList<QWidget *> typingFields{m_nameBox};
    for (AmountField *field : m_amountFields)
        typingFields << field;
    setUpSteps(typingFields);
    auto *records = new QAction(this);
    records->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    records->setShortcutContext(Qt::WindowShortcut);
    addAction(records);
    connect(records, &QAction::triggered, this, [this] { showRecords(this, m_position - 1); });

    centreOnScreen(this);

    // Start-up.
    m_helpFile = QStringLiteral("RwHelp.chm");
    m_printPanel->hide();
    connect(&m_store, &EntryStore::modelReset, this, &MainWindow::fitToEntries);
    fitToEntries();
    showPosition(firstPosition());
    accessibility::describeControls(this);
    m_scrollBar->setFocus();
}

void MainWindow::tellLoad(const Result<LoadReport, DataFileError> &loaded)
{
    const QString notice = texts::loadNotice(loaded, m_store.count());
    if (notice.isEmpty())
        return;
    // Once the window is up, so that the user sees what the notice is about.
    QTimer::singleShot(0, this, [this, notice] { warn(this, texts::kLoadTitle, notice); });
}

void MainWindow::fitToEntries()
{
    const int count = int(m_store.count());
    {
        const QSignalBlocker quiet(m_scrollBar);
        m_scrollBar->setRange(firstPosition(), count);
    }
    // A position the entries no longer reach moves to the nearer end, and that entry is shown.
    if (const int fitted = std::clamp(m_position, firstPosition(), count); fitted != m_position)
        showPosition(fitted);
}

void MainWindow::showCurrentEntry()
{
    const Entry &entry = entryAt(m_position);
    // Keep the list's current item on the entry shown, so the arrow keys go on from there.
    m_nameBox->setCurrentIndex(m_position - 1);
    m_nameBox->setEditText(entry.name);
    for (int i = 0; i < kPeriodCount; ++i)
        m_amountFields[i]->setText(entry.amounts[i]);
    const QString counter = texts::counter(m_position, m_store.count());
    m_counter->setText(counter);
    // The counter is drawn beside the scroll bar; a screen reader hears it with the scroll bar.
    m_scrollBar->setAccessibleDescription(
        texts::scrollBarDescription(texts::shownEntry(entry.name, counter)));
}

void MainWindow::clearFields()
{
    for (QLineEdit *field : m_amountFields)
        field->clear();
}

bool MainWindow::recalculate(double dailyBase)
{
    // All ten texts first, so that a failure leaves every field as it was.
    const auto texts = periodAmountTexts(dailyBase);
    if (!texts) {
        reportAmountError(texts.error());
        return false;
    }
    for (int i = 0; i < kPeriodCount; ++i)
        m_amountFields[i]->setText(texts.value()[i]);
    return true;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_scrollBar) {
        // Qt's (6.4) scroll bar takes Right and Down for "back"; here they go to the next entry.
        const QAbstractSlider::SliderAction action =
            scrollAction(static_cast<QKeyEvent *>(event)->key());
        if (action == QAbstractSlider::SliderNoAction)
            return false;
        m_scrollBar->triggerAction(action);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::enterAmount(int periodIndex)
{
    const auto base = dailyBaseFromEntry(m_amountFields[periodIndex]->text(), periodIndex);
    if (!base) {
        reportAmountError(base.error());
        return;
    }
    // The focus stays in the field, which a screen reader reads again; the nine other amounts
    // changed out of its hearing.
    if (recalculate(base.value()))
        m_announcer->announce(texts::kConverted);
}

void MainWindow::reportAmountError(AmountError error)
{
    warn(this, texts::kAmountTitle, texts::amountError(error));
}

const Entry &MainWindow::entryAt(int position) const
{
    return m_store.at(position - 1);
}

int MainWindow::firstPosition() const
{
    return m_store.isEmpty() ? 0 : 1;
}

void MainWindow::showPosition(int position)
{
    m_position = position;
    const QSignalBlocker quiet(m_scrollBar);
    m_scrollBar->setValue(position);
    showCurrentEntry();
}

PeriodTexts MainWindow::shownAmounts() const
{
    PeriodTexts amounts;
    for (std::size_t i = 0; i < amounts.size(); ++i)
        amounts[i] = m_amountFields[i]->text();
    return amounts;
}

void MainWindow::browseTo(int position)
{
    showPosition(position);
    // The focus stays on the scroll bar or the name box, which would say a number or the name
    // alone.
    m_announcer->announce(texts::shownEntry(entryAt(m_position).name, m_counter->text()));
}

void MainWindow::newEntry()
{
    // Only the window is emptied; the counter keeps the old position until the next display.
    m_nameBox->setEditText(QString());
    m_nameBox->setFocus();
    clearFields();
}

void MainWindow::saveEntry()
{
    const QString name = m_nameBox->currentText();
    if (name.isEmpty())
        return; // nothing to save under
    const auto saved = m_store.save({name, shownAmounts()});
    if (!saved) {
        reportFileError(saved.error(), FileChange::Save);
        return;
    }
    const EntryChange &change = saved.value();
    const QString &storedName = change.after.name;
    if (change.kind == EntryChange::Kind::Changed) {
        recordStep(saveOverStep(change));
        // No move: the window keeps showing what it showed.
        inform(this, texts::kUpdatedTitle, texts::updated(storedName));
        return;
    }
    recordStep(new SaveAsNewCommand(m_store, change));
    showPosition(int(change.index) + 1);
    inform(this, texts::kSavedNewTitle, texts::savedNew(storedName));
}

StepCommand *MainWindow::saveOverStep(const EntryChange &change)
{
    auto entries = std::make_unique<SaveOverCommand>(m_store, change);
    const auto daily = parseAmountText(change.after.amount(0));
    if (!m_records || !daily)
        return entries.release();
    const QuitRecord before = m_records->recordOf(change.after.name);
    const auto changed = withPriceChange(before, daily.value(), today(), today());
    if (!changed || changed.value() == before)
        return entries.release(); // no run goes on, or the price stays
    const QuitRecord &next = changed.value();
    // The data file went first: a record that cannot take the price is only missing it.
    if (const auto replaced = m_records->replace(before, next); !replaced) {
        qWarning().noquote() << m_records->path() << ':' << replaced.error().detail;
        return entries.release();
    }
    std::vector<std::unique_ptr<StepCommand>> parts;
    parts.push_back(std::move(entries));
    parts.push_back(std::make_unique<RecordCommand>(*m_records, before, next));
    return new StepSequence(std::move(parts));
}

Amount MainWindow::savedSoFar(const Entries &chosen) const
{
    // Each record once, whatever number of entries carry its name; a habit that earned counts
    // nothing, and a sum beyond the range none.
    QSet<QString> counted;
    Amount sum;
    for (const Entry &entry : chosen) {
        if (counted.contains(entry.name))
            continue;
        counted.insert(entry.name);
        const auto overall = recordFigures(m_records->recordOf(entry.name), today()).overall;
        if (!overall || overall.value() <= Amount{})
            continue;
        const auto added = addAmounts(sum, overall.value());
        if (!added)
            return Amount{};
        sum = added.value();
    }
    return sum;
}

QDate MainWindow::today() const
{
    return m_printing ? m_printing->today() : QDate::currentDate();
}

void MainWindow::deleteEntry()
{
    if (m_nameBox->currentText().isEmpty())
        return;
    // The position decides what goes, so both boxes name that entry, not the name box's text.
    const int position = m_position;
    if (position < 1 || position > m_store.count())
        return;
    const QString name = entryAt(position).name;

    if (!confirm(this, texts::kDeleteQuestionTitle, texts::deleteQuestion(name)))
        return;

    const auto removed = m_store.remove(position - 1);
    if (!removed) {
        reportFileError(removed.error(), FileChange::Delete);
        return;
    }
    recordStep(new DeleteCommand(m_store, removed.value()));
    if (m_store.isEmpty()) {
        m_nameBox->setEditText(QString());
        clearFields();
    }
    showPosition(firstPosition());
    inform(this, texts::kDeletedTitle, texts::deleted(name));
}

void MainWindow::reportFileError(const DataFileError &error, FileChange change)
{
    // The store has read the file again: show what is really stored now, near where the user was.
    if (error.kind == DataFileError::Kind::ChangedElsewhere)
        showPosition(m_position);
    if (!error.detail.isEmpty()) // the system's own words, for whoever reads the log
        qWarning().noquote() << m_store.path() << ':' << error.detail;
    const QString titles[] = {kSaveFailedTitle, texts::kDeleteFailedTitle,
                              steptexts::kUndoFailedTitle, steptexts::kRedoFailedTitle};
    warn(this, titles[int(change)], texts::fileError(error, change, m_store.entries()));
}

void MainWindow::nameChosen(int index)
{
    // Choosing the entry already shown shows it again, as a way back to what was saved.
    browseTo(index + 1);
}

void MainWindow::openPrintPanel()
{
    if (m_nameBox->currentText().isEmpty())
        return;
    m_printPanel->show();
    m_printPanel->raise();
    // Straight to the first letter: the user opened the panel to choose one.
    m_letterButtons[0]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::closePrintPanel()
{
    // The focus goes back before the panel hides, so that it never passes through another control
    // on the way (a screen reader would speak that one).
    m_printButton->setFocus(Qt::OtherFocusReason);
    m_printPanel->hide();
}

void MainWindow::showList()
{
    ListWindow *list = ListWindow::showList(m_store.entries(), this, m_list,
                                            QFileInfo(m_store.path()).absolutePath());
    if (m_records) {
        list->setOpenRecords([this](QWidget *over, const QString &name) {
            showRecords(over, m_store.indexOf(name));
        });
        list->setSavedSoFar([this](const Entries &chosen) { return savedSoFar(chosen); });
    }
}

void MainWindow::setPrinting(PdfPrinting *printing)
{
    m_printing = printing;
}

void MainWindow::setRecords(RecordStore *records)
{
    m_records = records;
}

void MainWindow::showRecords(QWidget *over, qsizetype index)
{
    if (!m_records)
        return;
    auto *window = new RecordWindow(m_store, *m_records, *m_steps, index,
                                    QFileInfo(m_store.path()).absolutePath(), over);
    if (m_printing)
        window->setPrinting(*m_printing);
    window->open();
}

void MainWindow::printLetter(int kind)
{
    // What the window shows at the click, saved or not.
    const std::optional<Printable> letter =
        m_printing ? letters::letterPrintable(kind, m_nameBox->currentText(), shownAmounts(),
                                              m_printing->today())
                   : std::nullopt;
    // After a failure the panel stays open, so the user can try again once a printer is set up.
    if (letter && m_printing->print(this, *letter))
        closePrintPanel();
}

void MainWindow::openHelp()
{
    m_help.displayTopic(this, m_helpFile);
}

void MainWindow::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    m_help.closeAll();
    QApplication::closeAllWindows();
    QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing through the window frame ends the program just as End does.
    endProgram();
    event->accept();
}

} // namespace pomiro
