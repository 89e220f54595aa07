#include "savings_window/savingswindow.h"

#include "core/periodtotal.h"
#include "platform/accessibility.h"
#include "platform/amountfield.h"
#include "platform/announcer.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "savings_window/savingschart.h"
#include "savings_window/savingsmodel.h"
#include "savings_window/savingspage.h"
#include "savings_window/texts.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStringList>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace pomiro {

namespace {

constexpr double kTextPoints = 10.5;
constexpr QSize kChartSize(560, 260);
constexpr int kPeriodColumnWidth = 80;
constexpr int kFigureColumnWidth = 150;

// The rate last used, kept in the user's settings of the program (platform/settings.h names them).
double rememberedRate()
{
    const QSettings settings;
    return settings.value(SavingsWindow::rateSettingKey(), SavingsWindow::kFirstRate).toDouble();
}

void rememberRate(double percent)
{
    QSettings settings;
    settings.setValue(SavingsWindow::rateSettingKey(), percent);
}

bool rememberedTax()
{
    const QSettings settings;
    return settings.value(SavingsWindow::taxSettingKey(), false).toBool();
}

void rememberTax(bool taxed)
{
    QSettings settings;
    settings.setValue(SavingsWindow::taxSettingKey(), taxed);
}

QString amountText(const std::optional<Amount> &amount)
{
    return amount ? formatAmountText(*amount) : QString();
}

QLabel *wrappingLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton *button(const QString &text, QWidget *parent, QHBoxLayout *row)
{
    auto *made = new QPushButton(text, parent);
    made->setAutoDefault(false);
    row->addWidget(made);
    return made;
}

} // namespace

QString SavingsWindow::rateSettingKey()
{
    return QStringLiteral("savings/yearlyRatePercent");
}

QString SavingsWindow::taxSettingKey()
{
    return QStringLiteral("savings/taxOnGain");
}

SavingsWindow::SavingsWindow(const Entries &chosen, bool all, const QString &folder,
                             QWidget *parent, Amount savedSoFar)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_chosen(chosen), m_all(all),
      m_folder(folder)
{
    m_choices.start = std::max(savedSoFar, Amount{});
    setObjectName(QStringLiteral("savingsWindow"));
    setWindowTitle(savingstexts::kWindowTitle);
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(fonts::font(fonts::kProportional, kTextPoints));

    m_sentence = wrappingLabel(this);
    m_sentence->setObjectName(QStringLiteral("sentence"));
    m_source = wrappingLabel(this);
    m_source->setObjectName(QStringLiteral("source"));
    m_leftOut = wrappingLabel(this);
    m_leftOut->setObjectName(QStringLiteral("leftOut"));

    auto *rateCaption = new QLabel(savingstexts::kRateCaption, this);
    m_rate = new QDoubleSpinBox(this);
    m_rate->setObjectName(QStringLiteral("rate"));
    m_rate->setRange(kLowestRate / 10.0, kHighestRate / 10.0);
    m_rate->setSingleStep(0.5);
    m_rate->setDecimals(1);
    m_rate->setToolTip(savingstexts::kRateTip);
    rateCaption->setBuddy(m_rate);

    auto *startCaption = new QLabel(savingstexts::kStartCaption, this);
    m_start = new AmountField(this);
    m_start->setObjectName(QStringLiteral("start"));
    m_start->setToolTip(savingstexts::kStartTip);
    startCaption->setBuddy(m_start);
    auto *targetCaption = new QLabel(savingstexts::kTargetCaption, this);
    m_target = new AmountField(this);
    m_target->setObjectName(QStringLiteral("target"));
    m_target->setToolTip(savingstexts::kTargetTip);
    targetCaption->setBuddy(m_target);
    auto *yearsCaption = new QLabel(savingstexts::kYearsCaption, this);
    m_years = new QSpinBox(this);
    m_years->setObjectName(QStringLiteral("goalYears"));
    m_years->setRange(1, kGoalYearsMax);
    m_years->setValue(kGoalYearsFirst);
    m_years->setSuffix(QStringLiteral(" 年"));
    yearsCaption->setBuddy(m_years);
    m_taxed = new QCheckBox(savingstexts::kTaxCheck, this);
    m_taxed->setObjectName(QStringLiteral("taxed"));
    m_taxed->setToolTip(savingstexts::kTaxTip);
    m_taxed->setChecked(rememberedTax());
    m_choices.taxed = m_taxed->isChecked();
    m_start->setText(formatAmountText(m_choices.start));
    m_targetSentence = wrappingLabel(this);
    m_targetSentence->setObjectName(QStringLiteral("targetSentence"));
    m_neededSentence = wrappingLabel(this);
    m_neededSentence->setObjectName(QStringLiteral("neededSentence"));

    m_model = new SavingsModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setAccessibleName(savingstexts::kTableName);
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setColumnWidth(0, kPeriodColumnWidth);
    for (int col = 1; col < SavingsModel::kColumns; ++col)
        m_table->setColumnWidth(col, kFigureColumnWidth);
    m_table->resizeRowsToContents();
    // Exactly the rows and columns, with no room to scroll.
    int height = m_table->horizontalHeader()->sizeHint().height() + 2 * m_table->frameWidth();
    for (int row = 0; row < m_model->rowCount(); ++row)
        height += m_table->rowHeight(row);
    m_table->setFixedSize(kPeriodColumnWidth + 3 * kFigureColumnWidth + 2 * m_table->frameWidth(),
                          height);

    m_chart = new SavingsChart(this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setFixedSize(kChartSize);
    m_chart->setFocusPolicy(Qt::NoFocus);

    auto *note = wrappingLabel(this);
    note->setText(savingstexts::kNotAdvice);

    auto *buttons = new QHBoxLayout;
    QPushButton *copy = button(savingstexts::kCopy, this, buttons);
    copy->setObjectName(QStringLiteral("copyButton"));
    QPushButton *pdf = button(savingstexts::kSavePdf, this, buttons);
    pdf->setObjectName(QStringLiteral("pdfButton"));
    QPushButton *printButton = button(savingstexts::kPrint, this, buttons);
    printButton->setObjectName(QStringLiteral("printButton"));
    buttons->addStretch();
    QPushButton *close = button(savingstexts::kClose, this, buttons);
    close->setObjectName(QStringLiteral("closeButton"));

    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(rateCaption);
    rateRow->addWidget(m_rate);
    rateRow->addSpacing(12);
    rateRow->addWidget(startCaption);
    rateRow->addWidget(m_start);
    rateRow->addStretch();
    auto *goalRow = new QHBoxLayout;
    goalRow->addWidget(targetCaption);
    goalRow->addWidget(m_target);
    goalRow->addSpacing(12);
    goalRow->addWidget(yearsCaption);
    goalRow->addWidget(m_years);
    goalRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_sentence);
    layout->addWidget(m_source);
    layout->addWidget(m_leftOut);
    layout->addLayout(rateRow);
    layout->addWidget(m_taxed);
    layout->addLayout(goalRow);
    layout->addWidget(m_targetSentence);
    layout->addWidget(m_neededSentence);
    layout->addWidget(m_table, 0, Qt::AlignHCenter);
    layout->addWidget(m_chart, 0, Qt::AlignHCenter);
    layout->addWidget(note);
    layout->addLayout(buttons);
    for (QLabel *label :
         {m_sentence, m_source, m_leftOut, note, m_targetSentence, m_neededSentence})
        label->setFixedWidth(kChartSize.width());

    m_announcer = new Announcer(this);

    setTabOrder(m_rate, m_start);
    setTabOrder(m_start, m_taxed);
    setTabOrder(m_taxed, m_target);
    setTabOrder(m_target, m_years);
    setTabOrder(m_years, m_table);
    setTabOrder(m_table, copy);
    setTabOrder(copy, pdf);
    setTabOrder(pdf, printButton);
    setTabOrder(printButton, close);

    connect(copy, &QPushButton::clicked, this, &SavingsWindow::copyTable);
    connect(pdf, &QPushButton::clicked, this, &SavingsWindow::savePdf);
    connect(printButton, &QPushButton::clicked, this, &SavingsWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_rate->setValue(rememberedRate());
    m_choices.rate = int(std::lround(m_rate->value() * 10));
    showPlan();
    connect(m_rate, &QDoubleSpinBox::valueChanged, this, [this](double percent) {
        m_choices.rate = int(std::lround(percent * 10));
        showPlan();
        rememberRate(percent);
        announceChange(savingstexts::rateAnnouncement(percent, lastGrown()));
    });
    connect(m_taxed, &QCheckBox::toggled, this, [this](bool taxed) {
        m_choices.taxed = taxed;
        rememberTax(taxed);
        showPlan();
        announceChange(savingstexts::grownAnnouncement(lastGrown()));
    });
    connect(m_years, &QSpinBox::valueChanged, this, [this](int years) {
        m_choices.goalYears = years;
        showPlan();
        // The years move only what a month must be.
        if (!m_report.neededSentence.isEmpty())
            m_announcer->announce(m_report.neededSentence);
    });
    for (AmountField *field : {m_start, m_target}) {
        const auto changed = [this, field] { field == m_start ? startChanged() : targetChanged(); };
        connect(field, &AmountField::amountEntered, this, changed);
        connect(field, &QLineEdit::editingFinished, this, changed);
    }

    accessibility::describeControls(this);
    m_rate->setFocus();
}

SavingsWindow::~SavingsWindow()
{
    // A field that has the focus reports its text once more as the window's children go, after
    // the plan it would change is gone.
    for (AmountField *field : {m_start, m_target})
        field->disconnect(this);
}

QString SavingsWindow::lastGrown() const
{
    return m_report.shown(int(kPlanYears.size()) - 1, SavingsReport::Figure::Grown);
}

bool SavingsWindow::takeAmount(AmountField *field, std::optional<Amount> &into,
                               std::optional<Amount> empty)
{
    const QString text = field->text().trimmed();
    // "\" alone is how a zero amount is written.
    std::optional<Amount> amount = text.isEmpty() ? empty : std::optional(Amount{});
    if (!isZeroText(text)) {
        const auto read = parseAmountText(text);
        if (!read || read.value() < Amount{}) {
            // Put back first: the box takes the focus, and the field's editingFinished comes
            // again.
            field->setText(amountText(into));
            warn(this, savingstexts::kAmountTitle, savingstexts::kUnreadableAmount);
            field->setFocus();
            return false;
        }
        amount = read.value();
    }
    field->setText(amountText(amount));
    if (amount == into)
        return false;
    into = amount;
    return true;
}

void SavingsWindow::startChanged()
{
    std::optional<Amount> start = m_choices.start;
    if (!takeAmount(m_start, start, Amount{}))
        return;
    m_choices.start = *start;
    showPlan();
    announceChange(savingstexts::grownAnnouncement(lastGrown()));
}

void SavingsWindow::targetChanged()
{
    if (!takeAmount(m_target, m_choices.target, std::nullopt))
        return;
    showPlan();
    announceChange();
}

void SavingsWindow::announceChange(const QString &grown)
{
    QStringList told;
    if (m_report.base.hasSaving() && !grown.isEmpty())
        told << grown;
    // A new rate, start or tax moves the target's month and its monthly amount as well.
    for (const QString &sentence : {m_report.targetSentence, m_report.neededSentence}) {
        if (!sentence.isEmpty())
            told << sentence;
    }
    if (!told.isEmpty())
        m_announcer->announce(told.join(u'。'));
}

void SavingsWindow::showPlan()
{
    m_report = makeSavingsReport(m_chosen, m_all, m_choices, m_printing.today());
    m_sentence->setText(m_report.sentence);
    m_source->setText(m_report.source);
    m_leftOut->setText(m_report.leftOut);
    m_leftOut->setVisible(!m_report.leftOut.isEmpty());
    m_targetSentence->setText(m_report.targetSentence);
    m_targetSentence->setVisible(!m_report.targetSentence.isEmpty());
    m_neededSentence->setText(m_report.neededSentence);
    m_neededSentence->setVisible(!m_report.neededSentence.isEmpty());
    m_model->setReport(m_report);
    const int last = int(kPlanYears.size()) - 1;
    m_chart->setPlan(
        {m_report.base.yearly, m_report.rate, m_report.base.hasSaving(), m_report.start,
         m_report.taxed, m_report.target},
        m_report.base.hasSaving()
            ? savingstexts::chartDescription(m_report.shown(last, SavingsReport::Figure::Saved),
                                             lastGrown(), amountText(m_report.target))
            : savingstexts::kNoLines);
}

void SavingsWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(csv::join(m_report.table(), u'\t', u"\n"));
}

void SavingsWindow::savePdf()
{
    m_printing.saveAsPdf(this, savingsPrintable(m_report, m_printing.today(), m_folder));
}

void SavingsWindow::print()
{
    m_printing.print(this, savingsPrintable(m_report, m_printing.today(), m_folder));
}

} // namespace pomiro
