#pragma once

#include "core/amount.h"
#include "core/entry.h"
#include "list_window/listprinting.h"
#include "platform/savedialog.h"

#include <QDir>
#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QMenu;
class QPushButton;

namespace pomiro {

class Announcer;

class EntryListModel;
class FrozenTableView;

// The list window "ぽみろ一覧": every entry of the table as one grid row, the total row and the
// total of the rows the user selects by clicking them (or with Space or Enter on the current cell).
// It works on a copy of the rows it was opened with and never changes the table. Esc closes it, as
// the back button does.
//
// The grid's menu (a right click, the Menu key, Shift+F10) takes the list away as the grid shows
// it: copied for a spreadsheet (also Ctrl+C), saved as a CSV file or a PDF (proposed beside the
// data file), or printed on the default printer; it also sorts the rows by keys, as a click on a
// column's title does.
class ListWindow : public QWidget
{
    Q_OBJECT

public:
    // `folder` holds the data file; a saved list is proposed there. The program keeps its data
    // file in the working folder.
    explicit ListWindow(const Entries &entries, QWidget *parent = nullptr,
                        const QString &folder = QDir::currentPath());

    // The list button's action: opens the window on first use (and after it was closed), or
    // brings the open one to the front as it stands, selection and all.
    static ListWindow *showList(const Entries &entries, QWidget *mainWindow,
                                QPointer<ListWindow> &existing,
                                const QString &folder = QDir::currentPath());

    // Tests answer the save dialog here in place of a user.
    void setAskSavePath(AskSavePath askSavePath) { m_askSavePath = std::move(askSavePath); }
    // Tests give the printer and the PDF save dialog here.
    void setPrinting(PdfPrinting printing) { m_printing = std::move(printing); }

    // What the menu's 「記録」 does: opens the records over `over` on the entry named `name` (the
    // current row's). Without it, the menu has no such item.
    using OpenRecords = std::function<void(QWidget *over, const QString &name)>;
    void setOpenRecords(OpenRecords openRecords) { m_openRecords = std::move(openRecords); }

    // What quitting has saved for some entries, which the savings window starts from; nothing
    // without it.
    using SavedSoFar = std::function<Amount(const Entries &chosen)>;
    void setSavedSoFar(SavedSoFar savedSoFar) { m_savedSoFar = std::move(savedSoFar); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setUpGrid();
    void fillRows(const Entries &entries);
    void showMenu(const QPoint &globalPos, bool byKeys);
    void copyList();
    void saveCsv();
    void savePdf();
    void printList();
    void showSavings();
    void showRecords();
    void addSortMenu();
    void tellSortOrder(int column, Qt::SortOrder order);

    FrozenTableView *m_grid;
    EntryListModel *m_model = nullptr;
    QLabel *m_hint;
    QPushButton *m_backButton;
    QMenu *m_menu = nullptr; // made when first asked for
    Announcer *m_announcer;
    QString m_folder;
    AskSavePath m_askSavePath;
    PdfPrinting m_printing;
    OpenRecords m_openRecords;
    SavedSoFar m_savedSoFar;
};

} // namespace pomiro
