#include "savings_window/savingschart.h"

#include "core/savingsplan.h"
#include "savings_window/texts.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <cmath>
#include <optional>

namespace pomiro {

namespace {

constexpr int kChartYears = kPlanYears.back();
constexpr double kYenPerMan = 10000.0;

// Gridlines at a round step (1, 2 or 5 times a power of ten) that gives about five of them.
struct Scale
{
    double top = 0;
    double step = 0;
    int decimals = 0;
};

Scale roundScale(double highest)
{
    if (!(highest > 0))
        return {100, 20, 0};
    const double rough = highest / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double nice : {1.0, 2.0, 5.0, 10.0}) {
        step = nice * power;
        if (step >= rough)
            break;
    }
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    return {std::ceil(highest / step - 1e-9) * step, step, decimals};
}

// The figures of each year of the plan, from its start, in 万円; a series ends where a figure left
// the Amount range.
struct Series
{
    QList<double> saved;
    QList<double> grown;
};

Series seriesOf(const ChartPlan &plan)
{
    Series series;
    if (!plan.hasSaving)
        return series;
    bool savedFits = true;
    bool grownFits = true;
    for (const PlanRow &row :
         planByYear(PlanTerms{plan.yearly, plan.start, plan.rate, plan.taxed}, kChartYears)) {
        savedFits = savedFits && row.saved;
        grownFits = grownFits && row.grown;
        if (savedFits)
            series.saved << toYenDouble(*row.saved) / kYenPerMan;
        if (grownFits)
            series.grown << toYenDouble(*row.grown) / kYenPerMan;
    }
    return series;
}

QString axisNumber(double value, int decimals)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(value, 'f', decimals);
}

double relativeLuminance(const QColor &colour)
{
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

} // namespace

ChartColours paperColours()
{
    return {Qt::white,           Qt::black,           QColor(200, 200, 200),
            QColor(31, 95, 168), QColor(192, 57, 43), QColor(30, 120, 60)};
}

ChartColours chartColours(const QPalette &palette)
{
    const QColor background = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (relativeLuminance(background) >= 0.5) {
        ChartColours colours = paperColours();
        colours.background = background;
        colours.text = text;
        return colours;
    }
    return {background,
            text,
            QColor(80, 80, 80),
            QColor(138, 180, 248),
            QColor(255, 171, 145),
            QColor(129, 201, 149)};
}

void paintSavingsChart(QPainter &painter, const QRectF &area, const ChartPlan &plan,
                       const ChartColours &colours, const QFont &font, qreal unit)
{
    const Series series = seriesOf(plan);
    // The target's level, in 万円, while there are lines to reach it.
    const bool hasTarget = plan.target && plan.hasSaving;
    const double target = hasTarget ? toYenDouble(*plan.target) / kYenPerMan : 0.0;
    double highest = target;
    for (const QList<double> *line : {&series.saved, &series.grown})
        for (const double value : *line)
            highest = std::max(highest, value);
    const Scale scale = roundScale(highest);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.fillRect(area, colours.background);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    const double gap = 6 * unit;

    // The legend along the top: a sample of each line and its name.
    const double sample = 28 * unit;
    const QPen savedPen(colours.saved, 2 * unit, Qt::SolidLine, Qt::FlatCap);
    QPen grownPen(colours.grown, 2.5 * unit, Qt::CustomDashLine, Qt::FlatCap);
    grownPen.setDashPattern({4, 2.5}); // in pen widths
    QPen targetPen(colours.target, 2 * unit, Qt::DashDotLine, Qt::FlatCap);
    double x = area.left() + gap;
    const double legendY = area.top() + gap + line / 2;
    QList<std::pair<QPen, QString>> legend{{savedPen, savingstexts::kSavedLine},
                                           {grownPen, savingstexts::kGrownLine}};
    if (hasTarget)
        legend.append({targetPen, savingstexts::kTargetLine});
    for (const auto &[pen, name] : legend) {
        painter.setPen(pen);
        painter.drawLine(QPointF(x, legendY), QPointF(x + sample, legendY));
        x += sample + gap;
        painter.setPen(colours.text);
        painter.drawText(QPointF(x, legendY + metrics.ascent() - line / 2), name);
        x += metrics.horizontalAdvance(name) + 3 * gap;
    }

    // The plot: labels of 万円 at the left, of years below.
    double labelWidth = metrics.horizontalAdvance(savingstexts::kManYenAxis);
    for (double value = 0; value <= scale.top + scale.step / 2; value += scale.step)
        labelWidth =
            std::max(labelWidth, metrics.horizontalAdvance(axisNumber(value, scale.decimals)));
    const QRectF frame(
        QPointF(area.left() + gap + labelWidth + gap, area.top() + gap + 2.5 * line),
        QPointF(area.right() - 2 * gap - metrics.horizontalAdvance(savingstexts::kYearsAxis),
                area.bottom() - 2 * gap - line));
    const auto at = [&](double year, double man) {
        return QPointF(frame.left() + frame.width() * year / kChartYears,
                       frame.bottom() - frame.height() * man / scale.top);
    };

    painter.setPen(colours.text);
    painter.drawText(QPointF(area.left() + gap, frame.top() - line / 2), savingstexts::kManYenAxis);
    for (int step = 0; step * scale.step <= scale.top + scale.step / 2; ++step) {
        const double value = step * scale.step;
        const QPointF left = at(0, value);
        painter.setPen(QPen(step == 0 ? colours.text : colours.grid, unit));
        painter.drawLine(left, at(kChartYears, value));
        const QString label = axisNumber(value, scale.decimals);
        painter.setPen(colours.text);
        painter.drawText(QPointF(left.x() - gap - metrics.horizontalAdvance(label),
                                 left.y() + metrics.ascent() / 2 - metrics.descent() / 2),
                         label);
    }
    for (int year = 0; year <= kChartYears; year += 5) {
        const QPointF bottom = at(year, 0);
        painter.setPen(QPen(year == 0 ? colours.text : colours.grid, unit));
        painter.drawLine(at(year, scale.top), bottom);
        const QString label = QString::number(year);
        painter.setPen(colours.text);
        painter.drawText(QPointF(bottom.x() - metrics.horizontalAdvance(label) / 2,
                                 bottom.y() + gap + metrics.ascent()),
                         label);
    }
    painter.drawText(QPointF(frame.right() + gap, frame.bottom() + gap + metrics.ascent()),
                     savingstexts::kYearsAxis);

    // The lines, the plan's over the amount put aside, and the target across the whole plan.
    painter.setClipRect(frame.adjusted(-2 * unit, -2 * unit, 2 * unit, 2 * unit));
    if (hasTarget) {
        painter.setPen(targetPen);
        painter.drawLine(at(0, target), at(kChartYears, target));
    }
    for (const auto &[pen, values] :
         {std::pair{savedPen, &series.saved}, std::pair{grownPen, &series.grown}}) {
        if (values->size() < 2)
            continue;
        QPainterPath path(at(0, values->at(0)));
        for (qsizetype year = 1; year < values->size(); ++year)
            path.lineTo(at(double(year), values->at(year)));
        painter.strokePath(path, pen);
    }
    painter.restore();
}

SavingsChart::SavingsChart(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(savingstexts::kChartName);
}

void SavingsChart::setPlan(const ChartPlan &plan, const QString &description)
{
    m_plan = plan;
    setAccessibleDescription(description);
    update();
}

void SavingsChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintSavingsChart(painter, rect(), m_plan, chartColours(palette()), font(), 1.0);
}

} // namespace pomiro
