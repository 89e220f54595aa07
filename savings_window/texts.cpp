#include "savings_window/texts.h"

#include "core/period.h"
#include "core/savingsgoal.h"
#include "core/savingsplan.h"

namespace pomiro::savingstexts {

namespace {

QString percentText(double percent)
{
    return QString::number(percent, 'f', 1);
}

// The period the plan puts aside by, "１年", and the plan's last, "３０年".
QString yearName()
{
    return periodName(periodOfYears(1));
}

QString planEndName()
{
    return periodName(periodOfYears(kPlanYears.back()));
}

// A number of years as the periods write them, in full-width digits: "１０年".
QString yearsName(int years)
{
    QString digits = QString::number(years);
    for (QChar &digit : digits)
        digit = QChar(digit.unicode() - u'0' + u'０');
    return digits + QStringLiteral("年");
}

} // namespace

const QString kNothingToSave =
    QStringLiteral(
        "積み立てる金額がありません。%1の金額が 0 円より多い「ぽみろ」を選んでください。")
        .arg(yearName());
const QString kTotalTooLarge =
    QStringLiteral("%1の合計が大きすぎるため計算できません。「ぽみろ」を選んで少なくしてください。")
        .arg(yearName());

QString monthlySentence(const QString &monthly, const QString &yearly)
{
    return QStringLiteral("毎月 %1 を積み立てます（%2 %3 ÷ 12）").arg(monthly, yearName(), yearly);
}

QString allEntries(qsizetype count)
{
    return QStringLiteral("すべての「ぽみろ」（%1 件）").arg(count);
}

QString chosenEntries(const QStringList &names)
{
    return reporttexts::nameList(names);
}

QString leftOut(const QStringList &names)
{
    return QStringLiteral("%1の金額が読めないため入れなかった「ぽみろ」：%2")
        .arg(yearName(), reporttexts::nameList(names));
}

QString rate(double percent)
{
    return QStringLiteral("年利 %1％").arg(percentText(percent));
}

QString chartDescription(const QString &saved, const QString &grown, const QString &target)
{
    const QString lines = QStringLiteral("%1で、積み立てた額は %2、運用した場合は %3 になります。")
                              .arg(planEndName(), saved, grown);
    return target.isEmpty() ? lines
                            : lines + QStringLiteral("目標額 %1 の線があります。").arg(target);
}

QString startLine(const QString &start)
{
    return QStringLiteral("いまある額 %1 から始めます").arg(start);
}

QString targetReached(const QString &target, int years, int months, int calendarYear,
                      int calendarMonth)
{
    QString after;
    if (years > 0)
        after += QStringLiteral("%1 年").arg(years);
    if (months > 0)
        after += (after.isEmpty() ? QString() : QStringLiteral(" ")) +
                 QStringLiteral("%1 ヶ月").arg(months);
    return QStringLiteral("目標の %1 に届くのは %2後（%3 年 %4 月）です")
        .arg(target, after)
        .arg(calendarYear)
        .arg(calendarMonth);
}

QString targetAlready(const QString &target)
{
    return QStringLiteral("目標の %1 にはもう届いています").arg(target);
}

QString targetOutOfReach(const QString &target)
{
    return QStringLiteral("目標の %1 には%2では届きません").arg(target, yearsName(kGoalYearsMax));
}

QString monthlyNeeded(int years, const QString &monthly)
{
    return QStringLiteral("%1で届くには毎月 %2").arg(yearsName(years), monthly);
}

QString monthlyNeededNone(int years)
{
    return QStringLiteral("%1で届くには、いまある額だけで足ります").arg(yearsName(years));
}

QString monthlyNeededTooLarge(int years)
{
    return QStringLiteral("%1で届くための毎月の額は、大きすぎて計算できません")
        .arg(yearsName(years));
}

QString grownAnnouncement(const QString &grownAtEnd)
{
    return QStringLiteral("運用した場合、%1で %2").arg(planEndName(), grownAtEnd);
}

QString rateAnnouncement(double percent, const QString &grownAtEnd)
{
    return QStringLiteral("年利 %1％ で運用した場合、%2で %3")
        .arg(percentText(percent), planEndName(), grownAtEnd);
}

} // namespace pomiro::savingstexts
