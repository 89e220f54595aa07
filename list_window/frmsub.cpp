#include "list_window/frmsub.h"

#include "list_window/entrylistmodel.h"
#include "list_window/frozentableview.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

using pomiro::Entries;
using pomiro::Twips;
using pomiro::twipsToPixels;

namespace {

constexpr int kNameColTwips = 4000;
constexpr int kAmountColTwips = 1000;
constexpr double kGridFontSize = 9.0;
constexpr double kLabelFontSize = 12.0;

} // namespace

frmSub::frmSub(const Entries &entries, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmSub"));
    setWindowTitle(QStringLiteral("ぽみろ一覧"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixels(Twips{0, 0, 9435, 6750}).size());
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    msg1 = new FrozenTableView(this);
    msg1->setObjectName(QStringLiteral("msg1"));
    msg1->setToolTip(EntryListModel::clickHint()); // for the area below the last row
    msg1->setAccessibleName(QStringLiteral("ぽみろ一覧の表"));
    msg1->setGeometry(twipsToPixels(Twips{150, 150, 9165, 5865}));

    Label1 = new QLabel(QStringLiteral("行をクリックすると選択した「ぽみろ…」の小計を表示します"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(pomiro::fonts::font(pomiro::fonts::kPGothic, kLabelFontSize));
    Label1->setGeometry(twipsToPixels(Twips{300, 6300, 6090, 390}));

    cmdModori = new QPushButton(QStringLiteral("戻る"), this);
    cmdModori->setObjectName(QStringLiteral("cmdModori"));
    cmdModori->setFont(pomiro::fonts::font(pomiro::fonts::kPGothic, kGridFontSize));
    cmdModori->setGeometry(twipsToPixels(Twips{7650, 6150, 1590, 465}));
    connect(cmdModori, &QPushButton::clicked, this, &QWidget::close);

    QWidget::setTabOrder(cmdModori, msg1);
    pomiro::accessibility::describeControls(this);
    cmdModori->setFocus();

    SET_GRID();
    SET_LIST(entries);
    connect(msg1, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        m_model->toggleRow(index.row());
    });

    if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmSub *frmSub::showList(const Entries &entries, QWidget *mainWindow, QPointer<frmSub> &existing)
{
    if (!existing) {
        existing = new frmSub(entries, mainWindow);
    } else {
        existing->setWindowState(existing->windowState() & ~Qt::WindowMinimized);
        existing->raise();
    }
    existing->show();
    existing->activateWindow();
    return existing;
}

// The grid's look: its font and the widths of the name column and the ten amount columns.
void frmSub::SET_GRID()
{
    msg1->setFont(pomiro::fonts::font(pomiro::fonts::kPGothic, kGridFontSize));
    QList<int> widths(EntryListModel::kColumns, twipsToPixels(kAmountColTwips));
    widths[0] = twipsToPixels(kNameColTwips);
    msg1->setColumnWidths(widths);
}

// The rows, from a copy of the entries: the window never reads the table again.
void frmSub::SET_LIST(const Entries &entries)
{
    m_model = new EntryListModel(entries, this);
    msg1->setModel(m_model);
}
