#pragma once

#include "core/entry.h"
#include "core/period.h"
#include "main_window/texts.h"

#include <QDate>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QScrollBar;
class QToolButton;

namespace pomiro {

class AmountField;
class Announcer;
class HelpViewer;
class ListWindow;
class PrintPanel;
class RecordStore;
class EntryStore;
class PdfPrinting;
class StepCommand;
class StepHistory;
struct DataFileError;
struct Entry;
struct EntryChange;

// The main window: one entry at a time, its ten amount fields, browsing, the print panel, Help
// and End. The entries belong to `store`, which the window asks to change them and whose answers
// it shows; the window holds the position of the entry shown, which it pushes to the scroll bar
// and the counter, and the help file name. Saves and deletes are steps that Ctrl+Z takes back and
// Ctrl+Shift+Z or Ctrl+Y makes again, while the program runs.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // Shows the entries `store` has loaded.
    MainWindow(EntryStore &store, HelpViewer &help, QWidget *parent = nullptr);

    // Tells the user, once the window is up, what the load at start-up could not read.
    void tellLoad(const Result<LoadReport, DataFileError> &loaded);

    // What the letter buttons print with; without it they do nothing. Not owned.
    void setPrinting(PdfPrinting *printing);

    // The quit records, which Ctrl+R and the list's menu show, and to which a save over an entry
    // whose run goes on adds the new price; without them, neither. Not owned.
    void setRecords(RecordStore *records);

    // Opens the records over `over` on the entry at `index`.
    void showRecords(QWidget *over, qsizetype index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Fits the scroll bar and the position to the entries, whenever the store has read its file.
    void fitToEntries();
    // Shows the entry at the position: its name, its ten amounts and the counter.
    void showCurrentEntry();
    void clearFields();
    // Writes the ten amounts of `dailyBase` (yen a day) into the fields; false (and told why) if
    // they cannot be written.
    bool recalculate(double dailyBase);

    void buildControls();
    void enterAmount(int periodIndex);
    void reportAmountError(AmountError error);

    // Sets the position and shows the entry there, also when the position already had that value.
    void showPosition(int position);
    // Shows the entry the user browsed to, and tells a screen reader which it is.
    void browseTo(int position);
    // The position of the first entry; 0 when there are none.
    int firstPosition() const;
    // The entry shown at a position: 1 is the first entry; 0 (no entries) shows an empty one.
    const Entry &entryAt(int position) const;
    // Tells why a change was not stored; the store has read a file changed elsewhere again.
    void reportFileError(const DataFileError &error, FileChange change);
    PeriodTexts shownAmounts() const;

    // The steps Ctrl+Z takes back (mainwindow_steps.cpp); `typingFields` keep their own typing to
    // take back first.
    void setUpSteps(const QList<QWidget *> &typingFields);
    // Pushes a change the file has taken.
    void recordStep(StepCommand *step);
    void showStepEntry(qsizetype index);

    // Handlers.
    void newEntry();
    void saveEntry();
    // The save-over step, with the new price in the record of an entry whose run goes on.
    StepCommand *saveOverStep(const EntryChange &change);
    QDate today() const;
    // What the records of `chosen` have saved so far, for the savings window's start.
    Amount savedSoFar(const Entries &chosen) const;
    void deleteEntry();
    void nameChosen(int index);
    void openPrintPanel();
    void closePrintPanel();
    void showList();
    void printLetter(int kind);
    void openHelp();
    void endProgram();

    EntryStore &m_store;
    HelpViewer &m_help;
    PdfPrinting *m_printing = nullptr;
    RecordStore *m_records = nullptr;

    QString m_helpFile;
    int m_position = 0; // 1 is the first entry; 0 when there are none
    bool m_ending = false;
    QPointer<ListWindow> m_list; // the list window while it is open

    QToolButton *m_newButton = nullptr;
    QToolButton *m_saveButton = nullptr;
    QToolButton *m_deleteButton = nullptr;
    QToolButton *m_printButton = nullptr;
    QToolButton *m_listButton = nullptr;
    QToolButton *m_helpButton = nullptr;
    QToolButton *m_endButton = nullptr;
    QComboBox *m_nameBox = nullptr;
    QLabel *m_counter = nullptr;
    QScrollBar *m_scrollBar = nullptr;
    PrintPanel *m_printPanel = nullptr;
    QToolButton *m_cancelPrintButton = nullptr;
    std::array<QToolButton *, 3> m_letterButtons{}; // in the order of letters::kLetterKinds
    QGroupBox *m_amountsFrame = nullptr;
    std::array<AmountField *, kPeriodCount> m_amountFields{};
    Announcer *m_announcer = nullptr; // what changed away from the focus, for screen readers
    StepHistory *m_steps = nullptr;
};

} // namespace pomiro
