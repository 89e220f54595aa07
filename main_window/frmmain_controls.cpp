// The main window's controls, built from the layout tables.

#include "main_window/frmmain.h"

#include "letters/letterkind.h"
#include "main_window/amountfield.h"
#include "main_window/artwork.h"
#include "main_window/layout.h"
#include "main_window/namebox.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QToolButton>

using namespace pomiro;
using namespace pomiro::layout;

namespace {

const QString kAmountFieldDescription =
    QStringLiteral("金額を入れて Enter キーを押すと、10 の期間すべての金額に換算します");

// A fixed background comes with a fixed text colour: the desktop's theme gives the rest of the
// window, and a dark theme's light text would vanish on these light colours.
void setColours(QWidget *widget, QPalette::ColorRole background, const QColor &colour,
                const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(background, colour);
    palette.setColor(background == QPalette::Base ? QPalette::Text : QPalette::WindowText, text);
    widget->setPalette(palette);
}

QToolButton *makeButton(QWidget *parent, const char *name, const char16_t *caption,
                        const char16_t *tooltip, Twips at)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QString::fromUtf16(caption));
    button->setToolTip(QString::fromUtf16(tooltip));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIcon(artwork::icon(QLatin1String(name)));
    button->setIconSize(QSize(32, 32));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(twipsToPixels(at));
    return button;
}

} // namespace

void frmMain::buildControls()
{
    std::array<QToolButton *, kTopButtons.size()> top{};
    for (std::size_t i = 0; i < kTopButtons.size(); ++i) {
        const ButtonSpec &button = kTopButtons[i];
        top[i] = makeButton(this, button.name, button.caption, button.tooltip, button.at);
    }
    cmdNew = top[0];
    cmdHozon = top[1];
    cmdDel = top[2];
    cmdPrint = top[3];
    cmdHyou = top[4];
    cmdHelp = top[5];
    cmdEnd = top[6];

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image2"));
    image->setGeometry(twipsToPixels(kTitlePicture));
    image->setPixmap(artwork::titlePicture(image->size(), devicePixelRatioF()));

    auto *line = new QWidget(this);
    line->setObjectName(QStringLiteral("Line1"));
    const QRect lineAt = twipsToPixels(kSeparator);
    const int whiteRow = twipsToPixels(kSeparatorWhiteTop) - lineAt.top();
    line->setGeometry(lineAt.left(), lineAt.top(), lineAt.width(), whiteRow + 1);
    for (const auto &[row, colour] : {std::pair{0, QColor(Qt::black)}, {whiteRow, QColor(Qt::white)}}) {
        auto *stroke = new QWidget(line);
        stroke->setGeometry(0, row, lineAt.width(), 1);
        stroke->setAutoFillBackground(true);
        setColours(stroke, QPalette::Window, colour, colour);
    }

    auto *nameCaption = new QLabel(QStringLiteral("ぽみろ…"), this);
    nameCaption->setObjectName(QStringLiteral("Label2"));
    nameCaption->setGeometry(twipsToPixels(kNameCaption));
    nameCaption->setFont(fonts::font(fonts::kPGothic, 15.75));
    nameCaption->setAlignment(Qt::AlignCenter);
    nameCaption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    nameCaption->setAutoFillBackground(true);
    setColours(nameCaption, QPalette::Window, kPeach, Qt::black);

    auto *nameBox = new NameBox(this);
    cboPomiro = nameBox;
    cboPomiro->setObjectName(QStringLiteral("cboPomiro"));
    cboPomiro->setEditable(true);
    // One list of the names, replaced whole at every load: cheaper than an item per entry.
    m_savedNames = new QStringListModel(cboPomiro);
    cboPomiro->setModel(m_savedNames);
    cboPomiro->setInsertPolicy(QComboBox::NoInsert);
    // Completing inline would put a longer saved name into the box while a new one is typed.
    cboPomiro->setCompleter(nullptr);
    cboPomiro->setMaxVisibleItems(20);
    cboPomiro->setToolTip(QStringLiteral("ぽみろを切り替えます"));
    cboPomiro->setFont(fonts::font(fonts::kPGothic, 15.75));
    setColours(cboPomiro, QPalette::Base, kCream, Qt::black);
    cboPomiro->setGeometry(twipsToPixels(kNameBox));
    cboPomiro->setAttribute(Qt::WA_InputMethodEnabled, true);
    connect(cboPomiro, &QComboBox::activated, this, [this, nameBox](int index) {
        if (!nameBox->isEndingEdit())
            nameChosen(index);
    });

    nameCaption->setBuddy(cboPomiro);
    cboPomiro->lineEdit()->setAccessibleName(QStringLiteral("ぽみろの名前"));
    cboPomiro->view()->setAccessibleName(QStringLiteral("保存してあるぽみろの一覧"));

    Frame1 = new QGroupBox(QStringLiteral("　『ぽみろ』の達成 "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(fonts::font(fonts::kPGothic, 12));
    Frame1->setGeometry(twipsToPixels(kFrame1));

    const QFont amountFont = fonts::font(fonts::kGothic, 21.75, true);
    const QFont captionFont = fonts::font(fonts::kPGothic, 21.75);
    for (int i = 0; i < kPeriodCount; ++i) {
        const FieldSpec &layout = kAmountFields[i];
        const int column = i / kPeriodsPerColumn;

        auto *caption = new QLabel(QString::fromUtf16(kPeriods[i].caption), Frame1);
        caption->setObjectName(QStringLiteral("Label1_%1").arg(i));
        caption->setGeometry(twipsToPixels({kCaptionLeft[column], layout.at.top, kCaptionWidth, layout.at.height}));
        caption->setFont(captionFont);
        caption->setAlignment(Qt::AlignCenter);
        caption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        caption->setAutoFillBackground(true);
        setColours(caption, QPalette::Window, column == 0 ? kNavy : kMaroon, Qt::white);

        auto *field = new AmountField(Frame1);
        field->setObjectName(QLatin1String(layout.name));
        field->setGeometry(twipsToPixels(layout.at));
        field->setFont(amountFont);
        setColours(field, QPalette::Base, kCream, Qt::black);
        connect(field, &AmountField::amountEntered, this, [this, i] { enterAmount(i); });
        field->setAccessibleDescription(kAmountFieldDescription);
        // The caption names the field for screen readers.
        caption->setBuddy(field);
        m_amountFields[i] = field;
    }
    m_amountFields[0]->setToolTip(QStringLiteral("任意の箇所で金額を入れて「Ｅｎｔｅｒキー」を押します"));

    lblKensu = new QLabel(this);
    lblKensu->setObjectName(QStringLiteral("lblKensu"));
    lblKensu->setGeometry(twipsToPixels(kCounter));
    lblKensu->setFont(fonts::font(fonts::kPGothic, 12));

    hsbData = new QScrollBar(Qt::Horizontal, this);
    hsbData->setObjectName(QStringLiteral("hsbData"));
    hsbData->setGeometry(twipsToPixels(kScrollBar));
    hsbData->setRange(0, 0);
    hsbData->setSingleStep(1);
    hsbData->setPageStep(1);
    // Only the end of a move shows an entry, not every step of a drag.
    hsbData->setTracking(false);
    hsbData->setFocusPolicy(Qt::StrongFocus);
    hsbData->installEventFilter(this);
    hsbData->setAccessibleName(QStringLiteral("ぽみろの切り替え"));
    hsbData->setAccessibleDescription(QStringLiteral("左右の矢印キーで、保存してあるぽみろを順に表示します"));
    connect(hsbData, &QScrollBar::valueChanged, this, [this] { SHOW_DATA(); });

    // Created last so that it lies over the name box and Frame1 when shown.
    fraPrint = new QFrame(this);
    fraPrint->setObjectName(QStringLiteral("fraPrint"));
    fraPrint->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fraPrint->setAutoFillBackground(true);
    fraPrint->setGeometry(twipsToPixels(kPrintPanel));
    for (std::size_t i = 0; i < letters::kLetterKinds.size(); ++i) {
        const letters::LetterKind &kind = letters::kLetterKinds[i];
        Twips at = kLetterButton;
        at.left = kLetterButtonLeft + int(i) * kLetterButtonStep;
        m_letterButtons[i] = makeButton(fraPrint, kind.buttonName, kind.caption, kind.tooltip, at);
        connect(m_letterButtons[i], &QToolButton::clicked, this, [this, i] { printLetter(int(i)); });
    }
    cmdYame = makeButton(fraPrint, kCancelButton.name, kCancelButton.caption, kCancelButton.tooltip,
                         kCancelButton.at);

    connect(cmdNew, &QToolButton::clicked, this, &frmMain::newEntry);
    connect(cmdHozon, &QToolButton::clicked, this, &frmMain::saveEntry);
    connect(cmdDel, &QToolButton::clicked, this, &frmMain::deleteEntry);
    connect(cmdPrint, &QToolButton::clicked, this, &frmMain::openPrintPanel);
    connect(cmdYame, &QToolButton::clicked, this, &frmMain::closePrintPanel);
    connect(cmdHyou, &QToolButton::clicked, this, &frmMain::showList);
    connect(cmdHelp, &QToolButton::clicked, this, &frmMain::openHelp);
    connect(cmdEnd, &QToolButton::clicked, this, &frmMain::endProgram);

    QList<QWidget *> tabOrder{hsbData};
    tabOrder.append({top.begin(), top.end()});
    tabOrder.append(cboPomiro);
    tabOrder.append({m_amountFields.begin(), m_amountFields.end()});
    tabOrder.append({m_letterButtons.begin(), m_letterButtons.end()});
    tabOrder.append(cmdYame);
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}
