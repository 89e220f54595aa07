#include "list_window/listwindow.h"

#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace pomiro {

namespace {

constexpr int kNameColTwips = 4000;
constexpr int kAmountColTwips = 1000;
constexpr double kGridFontSize = 9.0;
constexpr double kLabelFontSize = 12.0;

} // namespace

ListWindow::ListWindow(const Entries &entries, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("listWindow"));
    setWindowTitle(QStringLiteral("ぽみろ一覧"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(Twips{0, 0, 9435, 6750}).size());
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    m_grid = new FrozenTableView(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setToolTip(EntryListModel::clickHint()); // for the area below the last row
    m_grid->setAccessibleName(QStringLiteral("ぽみろ一覧の表"));
    m_grid->setGeometry(twipsToPixels(Twips{150, 150, 9165, 5865}));

    m_hint = new QLabel(QStringLiteral("行をクリックすると選択した「ぽみろ…」の小計を表示します"), this);
    m_hint->setObjectName(QStringLiteral("hint"));
    m_hint->setFont(fonts::font(fonts::kPGothic, kLabelFontSize));
    m_hint->setGeometry(twipsToPixels(Twips{300, 6300, 6090, 390}));

    m_backButton = new QPushButton(QStringLiteral("戻る"), this);
    m_backButton->setObjectName(QStringLiteral("backButton"));
    m_backButton->setFont(fonts::font(fonts::kPGothic, kGridFontSize));
    m_backButton->setGeometry(twipsToPixels(Twips{7650, 6150, 1590, 465}));
    connect(m_backButton, &QPushButton::clicked, this, &QWidget::close);

    QWidget::setTabOrder(m_backButton, m_grid);
    accessibility::describeControls(this);
    m_backButton->setFocus();

    setUpGrid();
    fillRows(entries);
    connect(m_grid, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        m_model->toggleRow(index.row());
    });

    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

ListWindow *ListWindow::showList(const Entries &entries, QWidget *mainWindow, QPointer<ListWindow> &existing)
{
    if (!existing) {
        existing = new ListWindow(entries, mainWindow);
    } else {
        existing->setWindowState(existing->windowState() & ~Qt::WindowMinimized);
        existing->raise();
    }
    existing->show();
    existing->activateWindow();
    return existing;
}

// The grid's look: its font and the widths of the name column and the ten amount columns.
void ListWindow::setUpGrid()
{
    m_grid->setFont(fonts::font(fonts::kPGothic, kGridFontSize));
    QList<int> widths(EntryListModel::kColumns, twipsToPixels(kAmountColTwips));
    widths[0] = twipsToPixels(kNameColTwips);
    m_grid->setColumnWidths(widths);
}

// The rows, from a copy of the entries: the window never reads the table again.
void ListWindow::fillRows(const Entries &entries)
{
    m_model = new EntryListModel(entries, this);
    m_grid->setModel(m_model);
}

} // namespace pomiro
