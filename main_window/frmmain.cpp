#include "main_window/frmmain.h"

#include "core/cellwidth.h"
#include "core/pomiro.h"
#include "letters/letterkind.h"
#include "letters/printjob.h"
#include "list_window/frmsub.h"
#include "main_window/artwork.h"
#include "platform/accessibility.h"
#include "core/cp932.h"
#include "platform/fonts.h"
#include "help_window/helpviewer.h"
#include "platform/messagebox.h"
#include "platform/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolButton>

using namespace pomiro;

namespace {

constexpr Twips kClientArea{0, 0, 9465, 6780};

struct ButtonSpec
{
    const char *name;
    const char16_t *caption;
    const char16_t *tooltip;
    Twips at;
};

// The button row along the top, left to right in tab order.
constexpr std::array<ButtonSpec, 7> kTopButtons = {{
    {"cmdNew", u"ぽみろ", u"新しい「ぽみろ」を入力します", {4050, 150, 765, 990}},
    {"cmdHozon", u"保存", u"表示中の「ぽみろ」を保存します", {4800, 150, 765, 990}},
    {"cmdDel", u"削除", u"表示中の「ぽみろ」を削除します", {5550, 150, 765, 990}},
    {"cmdPrint", u"印刷", u"表示中の「ぽみろ」を印刷します", {6300, 150, 765, 990}},
    {"cmdHyou", u"一覧", u"保存されている「ぽみろ」を一覧で見ます", {7050, 150, 765, 990}},
    {"cmdHelp", u"ヘルプ", u"ヘルプファイルを開きます", {7800, 150, 765, 990}},
    {"cmdEnd", u"終了", u"プログラムを終了します", {8550, 150, 765, 990}},
}};

// The print panel: the letter buttons follow kLetterKinds from this left edge, then やめる.
constexpr Twips kPrintPanel{6225, 1200, 3165, 1215};
constexpr int kLetterButtonLeft = 75;
constexpr int kLetterButtonStep = 750;
constexpr Twips kLetterButton{0, 150, 765, 990};
constexpr ButtonSpec kCancelButton{"cmdYame", u"やめる", u"印刷をキャンセルします",
                                   {2325, 150, 765, 990}};

// The ten amount fields in period order, relative to Frame1; each caption sits on its field's
// row in the column's caption slot.
struct FieldSpec
{
    const char *name;
    Twips at;
};

constexpr std::array<FieldSpec, kPeriodCount> kAmountFields = {{
    {"txtDay", {1575, 450, 2775, 570}},
    {"txtWeek", {1575, 1050, 2760, 570}},
    {"txtMonth", {1575, 1650, 2775, 570}},
    {"txtMonth6", {1575, 2250, 2775, 570}},
    {"txtYear", {1575, 2850, 2775, 570}},
    {"txtYear3", {6000, 450, 2925, 570}},
    {"txtYear5", {6000, 1050, 2925, 570}},
    {"txtYear10", {6000, 1650, 2925, 570}},
    {"txtYear20", {6000, 2250, 2925, 570}},
    {"txtYear30", {6000, 2850, 2925, 570}},
}};

constexpr int kPeriodsPerColumn = 5;
constexpr int kCaptionLeft[2] = {225, 4650};
constexpr int kCaptionWidth = 1320;

constexpr Twips kFrame1{150, 2325, 9165, 3840};
constexpr Twips kNameBox{1360, 1575, 7950, 435};
constexpr Twips kNameCaption{150, 1575, 1215, 435};
constexpr Twips kCounter{8175, 6390, 1170, 240};
constexpr Twips kScrollBar{150, 6390, 7935, 240};
constexpr Twips kTitlePicture{120, 225, 3795, 960};
// An etched separator: a black line with a white one just under it.
constexpr Twips kSeparator{150, 1275, 9150, 0};
constexpr int kSeparatorWhiteTop = 1285;

const QColor kCream(255, 255, 240);
const QColor kPeach(255, 224, 192);
const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

const QString kAmountTitle = QStringLiteral("金額の入力");
const QString kLoadTitle = QStringLiteral("データの読み込み");
const QString kAmountFieldDescription =
    QStringLiteral("金額を入れて Enter キーを押すと、10 の期間すべての金額に換算します");
const QString kSaveFailedTitle = QStringLiteral("保存できません");
const QString kDeleteFailedTitle = QStringLiteral("削除できません");

void setBackground(QWidget *widget, const QColor &colour, QPalette::ColorRole role)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
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

// Qt's editable combo box takes a typed text that matches an item as a choice of that item when
// editing ends (Return or leaving the box). Here typing must only change the text, so the window
// asks whether a choice came from the end of an edit and ignores it then.
class NameBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    bool isEndingEdit() const { return m_endingEdit; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        QScopedValueRollback ending(m_endingEdit, m_endingEdit || enter);
        QComboBox::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        QScopedValueRollback ending(m_endingEdit, true);
        QComboBox::focusOutEvent(event);
    }

private:
    bool m_endingEdit = false;
};

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

QString loadNotice(const Result<LoadReport, DataFileError> &loaded, int count)
{
    const QString fileName = QString::fromUtf16(kDataFileName);
    if (!loaded) {
        if (loaded.error().kind == DataFileError::Kind::WriteFailed)
            return QStringLiteral("「%1」を作れませんでした。このフォルダーに書き込めるか確かめてから、"
                                  "もう一度起動してください。")
                .arg(fileName);
        return QStringLiteral("「%1」を読み込めませんでした。ファイルはそのまま残してあります。"
                              "読み込めるか確かめてから、もう一度起動してください。")
            .arg(fileName);
    }
    switch (loaded->stop) {
    case LoadStop::EndOfFile:
        return {};
    case LoadStop::TableFull:
        return QStringLiteral("「%1」には%2件を超える「ぽみろ」があります。はじめの%2件だけを表示します。"
                              "ファイルはそのまま残してあります。")
            .arg(fileName)
            .arg(kMaxEntries);
    case LoadStop::IncompleteEntry:
    case LoadStop::Undecodable:
        break;
    }
    return QStringLiteral("「%1」の途中に読めないところがありました。はじめの%2件だけを表示します。"
                          "ファイルはそのまま残してあります。")
        .arg(fileName)
        .arg(count);
}

// The one place where a refused or failed write becomes words for the user.
QString fileErrorText(const DataFileError &error, FileChange change, const Entries &entries)
{
    const QString doing = change == FileChange::Save ? QStringLiteral("保存") : QStringLiteral("削除");
    switch (error.kind) {
    case DataFileError::Kind::TableFull:
        return QStringLiteral("登録できるぽみろは%1件までです。不要なぽみろを削除してから保存してください。")
            .arg(kMaxEntries);
    case DataFileError::Kind::UnwritableText: {
        const char32_t character = error.character;
        const QString code = QString::number(uint(character), 16).toUpper().rightJustified(4, u'0');
        const QString shown = QStringLiteral("「%1」(U+%2)").arg(QString::fromUcs4(&character, 1), code);
        if (error.entry >= 0) // a stored entry, read from a hand-written file, holds it
            return QStringLiteral("保存されている「%1」に、ファイルに書き込めない文字%2があるため、%3できませんでした。"
                                  "ファイルは変更されていません。「%1」を削除するか、「%4」を直してから、"
                                  "もう一度お試しください。")
                .arg(entries.value(error.entry).name, shown, doing, QString::fromUtf16(kDataFileName));
        const int field = int(error.field);
        const QString where = field == int(EntryField::Name) ? QStringLiteral("ぽみろ")
                                                             : QString::fromUtf16(kPeriods[field - 1].caption);
        return QStringLiteral("「%1」の文字%2は保存できません。この文字を消すか別の文字に置き換えてから、"
                              "もう一度保存してください。")
            .arg(where, shown);
    }
    case DataFileError::Kind::ReadFailed:
        return QStringLiteral("「%1」を読み込めないため、%2できませんでした。ファイルは変更されていません。"
                              "ファイルを確かめてから、もう一度起動してください。")
            .arg(QString::fromUtf16(kDataFileName), doing);
    case DataFileError::Kind::ChangedElsewhere:
        return QStringLiteral("「%1」がほかのプログラムかウィンドウで変更されていました。一覧を読み直しましたので、"
                              "もう一度%2してください。")
            .arg(QString::fromUtf16(kDataFileName), doing);
    case DataFileError::Kind::DiskFull:
        return QStringLiteral("ディスクの空きが足りないため、データを%1できませんでした。ファイルは変更されていません。"
                              "不要なファイルを削除して空きを作ってから、もう一度%1してください。")
            .arg(doing);
    case DataFileError::Kind::WriteFailed:
        break;
    }
    return QStringLiteral("データを%1できませんでした。ファイルは変更されていません。"
                          "「%2」に書き込めるか確かめてから、もう一度%1してください。")
        .arg(doing, QString::fromUtf16(kDataFileName));
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
    setFixedSize(twipsToPixels(kClientArea).size());
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
            warn(this, kLoadTitle, m_loadNotice);
        });
    }
}

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
        setBackground(stroke, colour, QPalette::Window);
    }

    auto *nameCaption = new QLabel(QStringLiteral("ぽみろ…"), this);
    nameCaption->setObjectName(QStringLiteral("Label2"));
    nameCaption->setGeometry(twipsToPixels(kNameCaption));
    nameCaption->setFont(fonts::font(fonts::kPGothic, 15.75));
    nameCaption->setAlignment(Qt::AlignCenter);
    nameCaption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    nameCaption->setAutoFillBackground(true);
    setBackground(nameCaption, kPeach, QPalette::Window);
    setBackground(nameCaption, Qt::black, QPalette::WindowText);

    auto *nameBox = new NameBox(this);
    cboPomiro = nameBox;
    cboPomiro->setObjectName(QStringLiteral("cboPomiro"));
    cboPomiro->setEditable(true);
    cboPomiro->setInsertPolicy(QComboBox::NoInsert);
    // Completing inline would put a longer saved name into the box while a new one is typed.
    cboPomiro->setCompleter(nullptr);
    cboPomiro->setMaxVisibleItems(20);
    cboPomiro->setToolTip(QStringLiteral("ぽみろを切り替えます"));
    cboPomiro->setFont(fonts::font(fonts::kPGothic, 15.75));
    setBackground(cboPomiro, kCream, QPalette::Base);
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
        setBackground(caption, column == 0 ? kNavy : kMaroon, QPalette::Window);
        setBackground(caption, Qt::white, QPalette::WindowText);

        auto *field = new QLineEdit(Frame1);
        field->setObjectName(QLatin1String(layout.name));
        field->setGeometry(twipsToPixels(layout.at));
        field->setFont(amountFont);
        setBackground(field, kCream, QPalette::Base);
        // Amounts are typed in half-width digits; the Japanese input method would only get in the way.
        field->setAttribute(Qt::WA_InputMethodEnabled, false);
        field->installEventFilter(this);
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

QString frmMain::CHG_KETA(const QString &text, qint16 width) const
{
    return rightAlignInCells(text, width);
}

void frmMain::LOAD_DATA()
{
    cboPomiro->clear();
    const auto loaded = m_data.dataFile.load(m_data.entries);
    const int count = int(m_data.entries.size());
    m_loadNotice = loadNotice(loaded, count);
    for (const Entry &entry : std::as_const(m_data.entries))
        cboPomiro->addItem(entry.name);
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
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        for (int i = 0; enter && i < kPeriodCount; ++i) {
            if (watched != m_amountFields[i])
                continue;
            if (m_amountFields[i]->text().isEmpty())
                return false; // Enter in an empty field goes on to the field
            enterAmount(i);
            return true;
        }
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
    const QString text = error == AmountError::NotANumber
                             ? QStringLiteral("金額を数字で入力してください。")
                             : QStringLiteral("金額の桁が多すぎます。桁の少ない金額を入力してください。");
    warn(this, kAmountTitle, text);
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
        inform(this, QStringLiteral("新規登録"), entryAt(count).name + QStringLiteral("を登録しました。"));
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
    inform(this, QStringLiteral("データ更新"), entry.name + QStringLiteral("を更新しました。"));
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

    if (!confirm(this, QStringLiteral("削除確認"), name + QStringLiteral("のデータを削除していいですか？")))
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
    inform(this, QStringLiteral("削除"), name + QStringLiteral("を削除しました。"));
}

void frmMain::reportFileError(const DataFileError &error, FileChange change)
{
    if (error.kind == DataFileError::Kind::ChangedElsewhere) {
        // Show what is really stored now, near where the user was.
        const int position = hsbData->value();
        LOAD_DATA();
        showPosition(std::clamp(position, hsbData->minimum(), hsbData->maximum()));
    }
    warn(this, change == FileChange::Save ? kSaveFailedTitle : kDeleteFailedTitle,
         fileErrorText(error, change, m_data.entries));
}

void frmMain::nameChosen(int index)
{
    const int position = index + 1;
    // Choosing the entry already shown shows it again, as a way back to what was saved.
    if (hsbData->value() == position)
        SHOW_DATA();
    else
        hsbData->setValue(position);
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
    // What the window shows at the click, saved or not.
    PeriodTexts amounts;
    for (std::size_t i = 0; i < amounts.size(); ++i)
        amounts[i] = m_amountFields[i]->text();
    // After a failure the panel stays open, so the user can try again once a printer is set up.
    if (m_letterPrinting->print(kind, this, cboPomiro->currentText(), amounts))
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
