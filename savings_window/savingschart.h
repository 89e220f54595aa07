#pragma once

#include "core/amount.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <optional>

class QPainter;
class QPalette;
class QRectF;

namespace pomiro {

// The colours of the chart. The two lines stand out from the background by at least 3:1 (WCAG's
// contrast for graphics) and differ in more than colour: what was put aside is solid, what the
// plan holds is dashed.
struct ChartColours
{
    QColor background;
    QColor text;
    QColor grid;
    QColor saved;
    QColor grown;
    QColor target;
};

// The colours for a window in `palette`, light or dark by its base colour; and for paper.
ChartColours chartColours(const QPalette &palette);
ChartColours paperColours();

// What the chart shows: putting `yearly` ÷ 12 aside every month at `rate` tenths of a percent a
// year, over the plan's years (kPlanYears), from `start`, after tax when `taxed`; no lines unless
// `hasSaving`. A target is a level line of its own.
struct ChartPlan
{
    Amount yearly;
    int rate = 0;
    bool hasSaving = false;
    Amount start;
    bool taxed = false;
    std::optional<Amount> target;
};

// Paints the chart into `area`: the legend, the plan's years along, 万円 up with round gridlines,
// and the two lines. `unit` is the device's pixels for one pixel of a screen at 96 dpi (pens,
// gaps); `font` is made for the device.
void paintSavingsChart(QPainter &painter, const QRectF &area, const ChartPlan &plan,
                       const ChartColours &colours, const QFont &font, qreal unit);

// The chart on screen, in the window's palette. A screen reader meets it as a chart (the table in
// platform/accessibility.cpp), named 「積み立てのグラフ」, described in words by its last year's
// figures.
class SavingsChart : public QWidget
{
    Q_OBJECT

public:
    explicit SavingsChart(QWidget *parent = nullptr);

    void setPlan(const ChartPlan &plan, const QString &description);
    const ChartPlan &plan() const { return m_plan; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ChartPlan m_plan;
};

} // namespace pomiro
