#include "savings_window/savingswindow.h"

#include "platform/accessibility.h"
#include "platform/announcer.h"
#include "platform/fonts.h"
#include "savings_window/savingschart.h"
#include "savings_window/savingsmodel.h"
#include "savings_window/savingspage.h"
#include "savings_window/texts.h"

#include <QClipboard>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
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

SavingsWindow::SavingsWindow(const Entries &chosen, bool all, const QString &folder,
                             QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_chosen(chosen), m_all(all),
      m_folder(folder)
{
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
    rateRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_sentence);
    layout->addWidget(m_source);
    layout->addWidget(m_leftOut);
    layout->addLayout(rateRow);
    layout->addWidget(m_table, 0, Qt::AlignHCenter);
    layout->addWidget(m_chart, 0, Qt::AlignHCenter);
    layout->addWidget(note);
    layout->addLayout(buttons);
    for (QLabel *label : {m_sentence, m_source, m_leftOut, note})
        label->setFixedWidth(kChartSize.width());

    m_announcer = new Announcer(this);

    setTabOrder(m_rate, m_table);
    setTabOrder(m_table, copy);
    setTabOrder(copy, pdf);
    setTabOrder(pdf, printButton);
    setTabOrder(printButton, close);

    connect(copy, &QPushButton::clicked, this, &SavingsWindow::copyTable);
    connect(pdf, &QPushButton::clicked, this, &SavingsWindow::savePdf);
    connect(printButton, &QPushButton::clicked, this, &SavingsWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_rate->setValue(rememberedRate());
    showRate(m_rate->value());
    connect(m_rate, &QDoubleSpinBox::valueChanged, this, [this](double percent) {
        showRate(percent);
        rememberRate(percent);
        if (m_report.base.hasSaving())
            m_announcer->announce(savingstexts::rateAnnouncement(
                percent, m_report.shown(int(kPlanYears.size()) - 1, SavingsReport::Figure::Grown)));
    });

    accessibility::describeControls(this);
    m_rate->setFocus();
}

void SavingsWindow::showRate(double percent)
{
    m_report = makeSavingsReport(m_chosen, m_all, int(std::lround(percent * 10)));
    m_sentence->setText(m_report.sentence);
    m_source->setText(m_report.source);
    m_leftOut->setText(m_report.leftOut);
    m_leftOut->setVisible(!m_report.leftOut.isEmpty());
    m_model->setReport(m_report);
    const int last = int(kPlanYears.size()) - 1;
    m_chart->setPlan(
        {m_report.base.yearly, m_report.rate, m_report.base.hasSaving()},
        m_report.base.hasSaving()
            ? savingstexts::chartDescription(m_report.shown(last, SavingsReport::Figure::Saved),
                                             m_report.shown(last, SavingsReport::Figure::Grown))
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
