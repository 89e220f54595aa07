#pragma once

#include "core/period.h"
#include "main_window/texts.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QScrollBar;
class QStringListModel;
class QToolButton;
class frmSub;


namespace pomiro {
class AmountField;
struct DataFileError;
struct Entry;
struct Pomiro;
class HelpViewer;
} // namespace pomiro

namespace pomiro::letters {
class LetterPrinting;
} // namespace pomiro::letters

// The main window: one entry at a time, its ten amount fields, browsing, the print panel, Help
// and End. The entry table and the daily base belong to `data`; the window holds the position
// (the scroll bar's value) and the help file name.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    frmMain(pomiro::Pomiro &data, pomiro::HelpViewer &help, QWidget *parent = nullptr);

    // `text` after as many half-width spaces as make it `width` cells wide.
    QString CHG_KETA(const QString &text, qint16 width) const;

    // What the letter buttons print with; without it they do nothing. Not owned.
    void setLetterPrinting(pomiro::letters::LetterPrinting *printing);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void LOAD_DATA();
    void SHOW_DATA();
    void CLEAR_DATA();
    void CALC_DATA();

    void buildControls();
    void enterAmount(int periodIndex);
    void reportAmountError(pomiro::AmountError error);

    // Sets the position and shows the entry there, also when the position already had that value.
    void showPosition(int position);
    // The entry shown at a position: 1 is the first entry; 0 (no entries) shows an empty one.
    const pomiro::Entry &entryAt(int position) const;
    // Tells why a change was not stored; a file changed elsewhere is read again first.
    void reportFileError(const pomiro::DataFileError &error, pomiro::FileChange change);
    pomiro::PeriodTexts shownAmounts() const;

    // Handlers.
    void newEntry();
    void saveEntry();
    void deleteEntry();
    void nameChosen(int index);
    void openPrintPanel();
    void closePrintPanel();
    void showList();
    void printLetter(int kind);
    void openHelp();
    void endProgram();

    pomiro::Pomiro &m_data;
    pomiro::HelpViewer &m_help;
    pomiro::letters::LetterPrinting *m_letterPrinting = nullptr;

    QString m_helpFile;
    QString m_loadNotice; // what the last load could not read, told once at start-up
    bool m_ending = false;
    QPointer<frmSub> m_list; // the list window while it is open

    QToolButton *cmdNew = nullptr;
    QToolButton *cmdHozon = nullptr;
    QToolButton *cmdDel = nullptr;
    QToolButton *cmdPrint = nullptr;
    QToolButton *cmdHyou = nullptr;
    QToolButton *cmdHelp = nullptr;
    QToolButton *cmdEnd = nullptr;
    QComboBox *cboPomiro = nullptr;
    QStringListModel *m_savedNames = nullptr; // the names cboPomiro lists
    QLabel *lblKensu = nullptr;
    QScrollBar *hsbData = nullptr;
    QFrame *fraPrint = nullptr;
    QToolButton *cmdYame = nullptr;
    std::array<QToolButton *, 3> m_letterButtons{}; // in the order of letters::kLetterKinds
    QGroupBox *Frame1 = nullptr;
    std::array<pomiro::AmountField *, pomiro::kPeriodCount> m_amountFields{};
};
