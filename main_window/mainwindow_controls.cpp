// The main window's controls, built from the layout tables.

#include "main_window/mainwindow.h"

#include "core/entrystore.h"
#include "letters/letterkind.h"
#include "main_window/artwork.h"
#include "main_window/layout.h"
#include "main_window/namebox.h"
#include "main_window/printpanel.h"
#include "main_window/texts.h"
#include "platform/amountfield.h"
#include "platform/announcer.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>

namespace pomiro {

using namespace layout;

namespace {

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
                        const char16_t *tooltip, TwipRect at)
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

void MainWindow::buildControls()
{
    std::array<QToolButton *, kTopButtons.size()> top{};
    for (std::size_t i = 0; i < kTopButtons.size(); ++i) {
        const ButtonSpec &button = kTopButtons[i];
        top[i] = makeButton(this, button.name, button.caption, button.tooltip, button.at);
    }
    m_newButton = top[0];
    m_saveButton = top[1];
    m_deleteButton = top[2];
    m_printButton = top[3];
    m_listButton = top[4];
    m_helpButton = top[5];
    m_endButton = top[6];

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("titlePicture"));
    image->setGeometry(twipsToPixels(kTitlePicture));
    image->setPixmap(artwork::titlePicture(image->size(), devicePixelRatioF()));

    auto *line = new QWidget(this);
    line->setObjectName(QStringLiteral("separator"));
    const QRect lineAt = twipsToPixels(kSeparator);
    const int whiteRow = twipsToPixels(kSeparatorWhiteTop) - lineAt.top();
    line->setGeometry(lineAt.left(), lineAt.top(), lineAt.width(), whiteRow + 1);
    for (const auto &[row, colour] :
         {std::pair{0, QColor(Qt::black)}, {whiteRow, QColor(Qt::white)}}) {
        auto *stroke = new QWidget(line);
        stroke->setGeometry(0, row, lineAt.width(), 1);
        stroke->setAutoFillBackground(true);
        setColours(stroke, QPalette::Window, colour, colour);
    }

    auto *nameCaption = new QLabel(texts::kNameCaption, this);
    nameCaption->setObjectName(QStringLiteral("nameCaption"));
    nameCaption->setGeometry(twipsToPixels(kNameCaption));
    nameCaption->setFont(fonts::font(fonts::kProportional, 15.75));
    nameCaption->setAlignment(Qt::AlignCenter);
    nameCaption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    nameCaption->setAutoFillBackground(true);
    setColours(nameCaption, QPalette::Window, kPeach, Qt::black);

    auto *nameBox = new NameBox(this);
    m_nameBox = nameBox;
    m_nameBox->setObjectName(QLatin1String(kNameBox.name));
    m_nameBox->setInsertPolicy(QComboBox::NoInsert);
    // Completing inline would put a longer saved name into the box while a new one is typed.
    m_nameBox->setCompleter(nullptr);
    m_nameBox->setMaxVisibleItems(20);
    m_nameBox->setToolTip(texts::kNameBoxTip);
    m_nameBox->setFont(fonts::font(fonts::kProportional, 15.75));
    setColours(m_nameBox, QPalette::Base, kCream, Qt::black);
    m_nameBox->setGeometry(twipsToPixels(kNameBox.at));
    m_nameBox->setAttribute(Qt::WA_InputMethodEnabled, true);
    // The list shows the stored names straight from the store, which resets it at every load. The
    // store is given last: given before the completer was gone and the font set, the 300 names of
    // a full file went through both at start-up (+300 KiB, bench/startup.sh).
    m_nameBox->setModel(&m_store);
    connect(m_nameBox, &QComboBox::activated, this, [this, nameBox](int index) {
        if (!nameBox->isEndingEdit())
            nameChosen(index);
    });

    nameCaption->setBuddy(m_nameBox);
    m_nameBox->lineEdit()->setAccessibleName(texts::kNameBoxName);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt 6.8 gives the focus of an editable combo box to the box itself, not to its line edit:
    // the box carries the field's name then.
    m_nameBox->setAccessibleName(texts::kNameBoxName);
#endif
    m_nameBox->view()->setAccessibleName(texts::kSavedNamesName);

    m_amountsFrame = new QGroupBox(texts::kAmountsCaption, this);
    m_amountsFrame->setObjectName(QStringLiteral("amountsFrame"));
    m_amountsFrame->setFont(fonts::font(fonts::kProportional, 12));
    m_amountsFrame->setGeometry(twipsToPixels(kAmountsFrame));

    const QFont amountFont = fonts::font(fonts::kFixedPitch, 21.75, true);
    const QFont captionFont = fonts::font(fonts::kProportional, 21.75);
    for (int i = 0; i < kPeriodCount; ++i) {
        const FieldSpec &layout = kAmountFields[i];
        const int column = i / kPeriodsPerColumn;

        auto *caption = new QLabel(QString::fromUtf16(kPeriods[i].caption), m_amountsFrame);
        caption->setObjectName(QStringLiteral("periodCaption%1").arg(i));
        caption->setGeometry(
            twipsToPixels({kCaptionLeft[column], layout.at.top, kCaptionWidth, layout.at.height}));
        caption->setFont(captionFont);
        caption->setAlignment(Qt::AlignCenter);
        caption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        caption->setAutoFillBackground(true);
        setColours(caption, QPalette::Window, column == 0 ? kNavy : kMaroon, Qt::white);

        auto *field = new AmountField(m_amountsFrame);
        field->setObjectName(QLatin1String(layout.name));
        field->setGeometry(twipsToPixels(layout.at));
        field->setFont(amountFont);
        setColours(field, QPalette::Base, kCream, Qt::black);
        connect(field, &AmountField::amountEntered, this, [this, i] { enterAmount(i); });
        field->setAccessibleDescription(texts::kAmountFieldDescription);
        caption->setBuddy(field);
        // Named for screen readers with the digits every period's name has: the caption writes
        // "1ヶ月" with a half-width 1, which a listener would hear apart from "１日" and "１年".
        field->setAccessibleName(QString::fromUtf16(kPeriods[i].listHeader));
        m_amountFields[i] = field;
    }
    m_amountFields[0]->setToolTip(texts::kDayFieldTip);

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("counter"));
    m_counter->setGeometry(twipsToPixels(kCounter));
    m_counter->setFont(fonts::font(fonts::kProportional, 12));

    m_scrollBar = new QScrollBar(Qt::Horizontal, this);
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    m_scrollBar->setGeometry(twipsToPixels(kScrollBar));
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    // Only the end of a move shows an entry, not every step of a drag.
    m_scrollBar->setTracking(false);
    m_scrollBar->setFocusPolicy(Qt::StrongFocus);
    m_scrollBar->installEventFilter(this);
    m_scrollBar->setAccessibleName(texts::kScrollBarName);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &MainWindow::browseTo);

    // Never shown: it only speaks to screen readers.
    m_announcer = new Announcer(this);

    // Created last so that it lies over the name box and m_amountsFrame when shown.
    m_printPanel = new PrintPanel(this);
    m_printPanel->setGeometry(twipsToPixels(kPrintPanel));
    for (std::size_t i = 0; i < letters::kLetterKinds.size(); ++i) {
        const letters::LetterKind &kind = letters::kLetterKinds[i];
        m_letterButtons[i] = makeButton(m_printPanel, kind.buttonName, kind.caption, kind.tooltip,
                                        letterButtonAt(i));
        connect(m_letterButtons[i], &QToolButton::clicked, this,
                [this, i] { printLetter(int(i)); });
    }
    m_cancelPrintButton = makeButton(m_printPanel, kCancelButton.name, kCancelButton.caption,
                                     kCancelButton.tooltip, kCancelButton.at);

    connect(m_newButton, &QToolButton::clicked, this, &MainWindow::newEntry);
    connect(m_saveButton, &QToolButton::clicked, this, &MainWindow::saveEntry);
    connect(m_deleteButton, &QToolButton::clicked, this, &MainWindow::deleteEntry);
    connect(m_printButton, &QToolButton::clicked, this, &MainWindow::openPrintPanel);
    connect(m_cancelPrintButton, &QToolButton::clicked, this, &MainWindow::closePrintPanel);
    connect(m_printPanel, &PrintPanel::closeRequested, this, &MainWindow::closePrintPanel);
    connect(m_listButton, &QToolButton::clicked, this, &MainWindow::showList);
    connect(m_helpButton, &QToolButton::clicked, this, &MainWindow::openHelp);
    connect(m_endButton, &QToolButton::clicked, this, &MainWindow::endProgram);

    QList<QWidget *> tabOrder{m_scrollBar};
    tabOrder.append({top.begin(), top.end()});
    tabOrder.append(m_nameBox);
    tabOrder.append({m_amountFields.begin(), m_amountFields.end()});
    tabOrder.append({m_letterButtons.begin(), m_letterButtons.end()});
    tabOrder.append(m_cancelPrintButton);
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

} // namespace pomiro
