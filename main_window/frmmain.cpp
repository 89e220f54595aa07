#include "main_window/frmmain.h"

#include "core/cellwidth.h"
#include "core/cp932.h"
#include "core/pomiro.h"
#include "help_window/helpviewer.h"
#include "letters/printjob.h"
#include "list_window/frmsub.h"
#include "main_window/amountfield.h"
#include "main_window/artwork.h"
#include "main_window/layout.h"
#include "main_window/texts.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace pomiro;

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

frmMain::frmMain(Pomiro &data, HelpViewer &help, QWidget *parent)
    : QWidget(parent), m_data(data), m_help(help)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("ぽみろチェッカー"));
    setWindowIcon(artwork::windowIcon());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFont(fonts::font(fonts::kPGothic, 9));
    setFixedSize(twipsToPixels(layout::kClientArea).size());
    buildControls();

    if (const QScreen *shown = screen())
        move(shown->availableGeometry().center() - rect().center());

    // Start-up.
    m_helpFile = QStringLiteral("RwHelp.chm");
    fraPrint->hide();
    LOAD_DATA();
    const bool atMinimum = hsbData->value() == hsbData->minimum();
    hsbData->setValue(hsbData->minimum());
    if (atMinimum)
        SHOW_DATA();
    accessibility::describeControls(this);
    hsbData->setFocus();

    if (!m_loadNotice.isEmpty()) {
        // Once the window is up, so that the user sees what the notice is about.
        QTimer::singleShot(0, this, [this] {
            warn(this, texts::kLoadTitle, m_loadNotice);
        });
    }
}

QString frmMain::CHG_KETA(const QString &text, qint16 width) const
{
    return rightAlignInCells(text, width);
}

void frmMain::LOAD_DATA()
{
    const auto loaded = m_data.dataFile.load(m_data.entries);
    const int count = int(m_data.entries.size());
    m_loadNotice = texts::loadNotice(loaded, count);
    QStringList names;
    names.reserve(count);
    for (const Entry &entry : std::as_const(m_data.entries))
        names.append(entry.name);
    m_savedNames->setStringList(names);
    hsbData->setMaximum(count);
    hsbData->setMinimum(count > 0 ? 1 : 0);
}

void frmMain::SHOW_DATA()
{
    const int k = hsbData->value();
    const Entry &entry = entryAt(k);
    // Keep the list's current item on the entry shown, so the arrow keys go on from there.
    cboPomiro->setCurrentIndex(k - 1);
    cboPomiro->setEditText(entry.name);
    for (int i = 0; i < kPeriodCount; ++i)
        m_amountFields[i]->setText(entry.amounts[i]);
    lblKensu->setText(QStringLiteral("%1 / %2").arg(k).arg(m_data.entries.size()));
}

void frmMain::CLEAR_DATA()
{
    for (QLineEdit *field : m_amountFields)
        field->clear();
}

void frmMain::CALC_DATA()
{
    // All ten texts first, so that a failure leaves every field as it was.
    const auto texts = periodAmountTexts(m_data.dailyBase);
    if (!texts) {
        reportAmountError(texts.error());
        return;
    }
    for (int i = 0; i < kPeriodCount; ++i)
        m_amountFields[i]->setText(texts.value()[i]);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == hsbData) {
        // Qt's scroll bar takes Right and Down for "back"; here they go to the next entry.
        const QAbstractSlider::SliderAction action = scrollAction(static_cast<QKeyEvent *>(event)->key());
        if (action == QAbstractSlider::SliderNoAction)
            return false;
        hsbData->triggerAction(action);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::enterAmount(int periodIndex)
{
    const auto base = dailyBaseFromEntry(m_amountFields[periodIndex]->text(), periodIndex);
    if (!base) {
        reportAmountError(base.error());
        return;
    }
    m_data.dailyBase = base.value();
    CALC_DATA();
}

void frmMain::reportAmountError(AmountError error)
{
    warn(this, texts::kAmountTitle, texts::amountError(error));
}

const Entry &frmMain::entryAt(int position) const
{
    static const Entry none;
    return position >= 1 && position <= m_data.entries.size() ? m_data.entries[position - 1] : none;
}

void frmMain::showPosition(int position)
{
    // setValue() with the value the scroll bar already has notifies nobody.
    if (hsbData->value() == position)
        SHOW_DATA();
    else
        hsbData->setValue(position);
}

PeriodTexts frmMain::shownAmounts() const
{
    PeriodTexts amounts;
    for (std::size_t i = 0; i < amounts.size(); ++i)
        amounts[i] = m_amountFields[i]->text();
    return amounts;
}

void frmMain::newEntry()
{
    // Only the window is emptied; the counter keeps the old position until the next display.
    cboPomiro->setEditText(QString());
    cboPomiro->setFocus();
    CLEAR_DATA();
}

void frmMain::saveEntry()
{
    const QString name = cboPomiro->currentText();
    if (name.isEmpty())
        return;
    const Entry shown{name, shownAmounts()};

    // New or change is decided by the name alone, compared exactly as the file will hold it;
    // the first equal item wins.
    const int index = cboPomiro->findText(cp932::storedForm(name), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        const auto appended = m_data.dataFile.append(shown, m_data.entries);
        if (!appended) {
            reportFileError(appended.error(), FileChange::Save);
            return;
        }
        LOAD_DATA();
        const int count = int(m_data.entries.size());
        showPosition(count);
        inform(this, texts::kSavedNewTitle, texts::savedNew(entryAt(count).name));
        return;
    }

    // Checked before the entry changes, so that a refusal names what the user typed.
    if (const auto line = encodeEntryLine(shown); !line) {
        reportFileError(line.error(), FileChange::Save);
        return;
    }
    Entry &entry = m_data.entries[index];
    const PeriodTexts before = entry.amounts;
    entry.amounts = shown.amounts;
    const auto written = m_data.dataFile.rewrite(m_data.entries);
    if (!written) {
        // The entries must keep matching the file, which still holds the old amounts.
        entry.amounts = before;
        reportFileError(written.error(), FileChange::Save);
        return;
    }
    // No reload and no move: the window keeps showing what it showed.
    inform(this, texts::kUpdatedTitle, texts::updated(entry.name));
}

void frmMain::deleteEntry()
{
    if (cboPomiro->currentText().isEmpty())
        return;
    // The position decides what goes, so both boxes name that entry, not the name box's text.
    const int position = hsbData->value();
    if (position < 1 || position > m_data.entries.size())
        return;
    const QString name = entryAt(position).name;

    if (!confirm(this, texts::kDeleteQuestionTitle, texts::deleteQuestion(name)))
        return;

    const auto written = m_data.dataFile.rewrite(m_data.entries, position - 1);
    if (!written) {
        reportFileError(written.error(), FileChange::Delete);
        return;
    }
    LOAD_DATA();
    if (m_data.entries.isEmpty()) {
        cboPomiro->setEditText(QString());
        CLEAR_DATA();
    }
    showPosition(hsbData->minimum());
    inform(this, texts::kDeletedTitle, texts::deleted(name));
}

void frmMain::reportFileError(const DataFileError &error, FileChange change)
{
    if (error.kind == DataFileError::Kind::ChangedElsewhere) {
        // Show what is really stored now, near where the user was.
        const int position = hsbData->value();
        LOAD_DATA();
        showPosition(std::clamp(position, hsbData->minimum(), hsbData->maximum()));
    }
    warn(this, change == FileChange::Save ? texts::kSaveFailedTitle : texts::kDeleteFailedTitle,
         texts::fileError(error, change, m_data.entries));
}

void frmMain::nameChosen(int index)
{
    // Choosing the entry already shown shows it again, as a way back to what was saved.
    showPosition(index + 1);
}

void frmMain::openPrintPanel()
{
    if (cboPomiro->currentText().isEmpty())
        return;
    fraPrint->show();
    fraPrint->raise();
}

void frmMain::closePrintPanel()
{
    fraPrint->hide();
}

void frmMain::showList()
{
    frmSub::showList(m_data.entries, this, m_list);
}

void frmMain::setLetterPrinting(letters::LetterPrinting *printing)
{
    m_letterPrinting = printing;
}

void frmMain::printLetter(int kind)
{
    if (!m_letterPrinting)
        return;
    // What the window shows at the click, saved or not. After a failure the panel stays open, so
    // the user can try again once a printer is set up.
    if (m_letterPrinting->print(kind, this, cboPomiro->currentText(), shownAmounts()))
        fraPrint->hide();
}

void frmMain::openHelp()
{
    m_help.displayTopic(this, m_helpFile);
}

void frmMain::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    m_help.closeAll();
    QApplication::closeAllWindows();
    QApplication::quit();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing through the window frame ends the program just as End does.
    endProgram();
    event->accept();
}
