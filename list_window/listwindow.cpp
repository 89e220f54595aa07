#include "list_window/listwindow.h"

#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "list_window/layout.h"
#include "list_window/listexport.h"
#include "list_window/listreport.h"
#include "list_window/texts.h"
#include "platform/accessibility.h"
#include "platform/announcer.h"
#include "platform/fonts.h"
#include "platform/twips.h"
#include "platform/windowplacement.h"
#include "savings_window/savingswindow.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace pomiro {

using namespace listlayout;

ListWindow::ListWindow(const Entries &entries, QWidget *parent, const QString &folder)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_folder(folder), m_askSavePath(&askCsvPathInDialog)
{
    setObjectName(QStringLiteral("listWindow"));
    setWindowTitle(listtexts::kWindowTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(kClientArea).size());

    m_grid = new FrozenTableView(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setToolTip(listtexts::kClickHint); // for the area below the last row
    m_grid->setAccessibleName(listtexts::kGridName);
    m_grid->setGeometry(twipsToPixels(kGrid));

    m_hint = new QLabel(listtexts::kHint, this);
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setFont(fonts::font(fonts::kProportional, kHintFontSize));
    m_hint->setGeometry(twipsToPixels(kHint));

    m_backButton = new QPushButton(listtexts::kBack, this);
    m_backButton->setObjectName(QStringLiteral("backButton"));
    m_backButton->setFont(fonts::font(fonts::kProportional, kGridFontSize));
    m_backButton->setGeometry(twipsToPixels(kBackButton));
    connect(m_backButton, &QPushButton::clicked, this, &QWidget::close);

    QWidget::setTabOrder(m_backButton, m_grid);
    accessibility::describeControls(this);
    m_backButton->setFocus();

    setUpGrid();
    fillRows(entries);
    connect(m_grid, &FrozenTableView::cellTriggered, this,
            [this](const QModelIndex &index) { m_model->toggleRow(index.row()); });
    connect(m_grid, &FrozenTableView::menuRequested, this, &ListWindow::showMenu);
    connect(m_grid, &FrozenTableView::copyRequested, this, &ListWindow::copyList);
    m_announcer = new Announcer(this);
    connect(m_grid->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &ListWindow::tellSortOrder);

    centreOnScreen(this);
}

ListWindow *ListWindow::showList(const Entries &entries, QWidget *mainWindow,
                                 QPointer<ListWindow> &existing, const QString &folder)
{
    if (!existing)
        existing = new ListWindow(entries, mainWindow, folder);
    bringToFront(existing);
    return existing;
}

void ListWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The grid's look: its font and the widths of the name column and the ten amount columns.
void ListWindow::setUpGrid()
{
    m_grid->setFont(fonts::font(fonts::kProportional, kGridFontSize));
    QList<int> widths(EntryListModel::kColumns, twipsToPixels(kAmountColumnWidth));
    widths[0] = twipsToPixels(kNameColumnWidth);
    m_grid->setColumnWidths(widths);
}

// The rows, from a copy of the entries: the window never reads the table again.
void ListWindow::fillRows(const Entries &entries)
{
    m_model = new EntryListModel(entries, this);
    m_grid->setModel(m_model);
    m_grid->setSelectionModel(m_model->selectionModel());
}

// The menu is made on first use; the items that take the list away stand together in it, in the
// order the user meets them.
void ListWindow::showMenu(const QPoint &globalPos, bool byKeys)
{
    if (!m_menu) {
        m_menu = new QMenu(this);
        m_menu->setObjectName(QStringLiteral("gridMenu"));
        m_menu->setFont(fonts::font(fonts::kProportional, kGridFontSize));
        QAction *copy = m_menu->addAction(listtexts::kCopy, this, &ListWindow::copyList);
        // Shown as the item's key; the grid itself handles Ctrl+C, menu or not.
        copy->setShortcut(QKeySequence::Copy);
        copy->setShortcutContext(Qt::WidgetShortcut);
        copy->setShortcutVisibleInContextMenu(true);
        m_menu->addAction(listtexts::kSaveCsv, this, &ListWindow::saveCsv);
        m_menu->addAction(listtexts::kSavePdf, this, &ListWindow::savePdf);
        m_menu->addAction(listtexts::kPrint, this, &ListWindow::printList);
        m_menu->addAction(listtexts::kSavings, this, &ListWindow::showSavings);
        if (m_openRecords)
            m_menu->addAction(listtexts::kRecords, this, &ListWindow::showRecords);
        addSortMenu();
    }
    // A platform may send its own menu request after the Menu key the grid already answered.
    if (m_menu->isVisible())
        return;
    m_menu->popup(globalPos);
    // A menu opened by keys starts on its first item, as desktop menus do: the arrows go on from
    // there, and a screen reader has an item to speak.
    if (byKeys)
        m_menu->setActiveAction(m_menu->actions().value(0));
}

void ListWindow::copyList()
{
    copyReport(makeListReport(*m_model));
}

void ListWindow::saveCsv()
{
    saveReportAsCsv(this, makeListReport(*m_model), m_folder, m_askSavePath);
}

void ListWindow::savePdf()
{
    m_printing.saveAsPdf(this,
                         listPrintable(makeListReport(*m_model), m_printing.today(), m_folder));
}

// The columns' titles, each sorting as a click on it does, then the file's order. The item of the
// order the rows are in is checked.
void ListWindow::addSortMenu()
{
    QMenu *sort = m_menu->addMenu(listtexts::kSortMenu);
    sort->setObjectName(QStringLiteral("sortMenu"));
    auto *orders = new QActionGroup(sort);
    const auto add = [&](const QString &text, int column) {
        QAction *action =
            sort->addAction(text, this, [this, column] { m_grid->sortAsTitleClick(column); });
        action->setCheckable(true);
        action->setData(column);
        orders->addAction(action);
    };
    for (int column = 0; column < EntryListModel::kColumns; ++column)
        add(m_model->headerData(column, Qt::Horizontal).toString(), column);
    sort->addSeparator();
    add(listtexts::kFileOrder, -1);
    const auto check = [orders](int column) {
        for (QAction *action : orders->actions())
            action->setChecked(action->data().toInt() == column);
    };
    check(m_grid->horizontalHeader()->sortIndicatorSection());
    connect(m_grid->horizontalHeader(), &QHeaderView::sortIndicatorChanged, sort,
            [check](int column) { check(column); });
}

// Told to a screen reader whichever way the order changed: a title clicked or the menu.
void ListWindow::tellSortOrder(int column, Qt::SortOrder order)
{
    m_announcer->announce(
        column < 0 ? listtexts::kSortedInFileOrder
                   : listtexts::sortedBy(
                         column, m_model->headerData(column, Qt::Horizontal).toString(), order));
}

// Modal: the plan is of the rows taken when it opened.
void ListWindow::showSavings()
{
    Entries chosen;
    for (const int row : m_model->takenRows())
        chosen << m_model->entryOfRow(row);
    auto *savings = new SavingsWindow(chosen, !m_model->hasSelection(), m_folder, this,
                                      m_savedSoFar ? m_savedSoFar(chosen) : Amount{});
    savings->setPrinting(m_printing);
    savings->open();
}

void ListWindow::showRecords()
{
    const QModelIndex current = m_grid->currentIndex();
    const int row = current.isValid() && current.row() < m_model->entryCount() ? current.row() : 0;
    m_openRecords(this, m_model->entryCount() > 0 ? m_model->entryOfRow(row).name : QString());
}

void ListWindow::printList()
{
    m_printing.print(this, listPrintable(makeListReport(*m_model), m_printing.today(), m_folder));
}

} // namespace pomiro
