#include "savings_window/texts.h"

#include "core/period.h"
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

QString chartDescription(const QString &saved, const QString &grown)
{
    return QStringLiteral("%1で、積み立てた額は %2、運用した場合は %3 になります。")
        .arg(planEndName(), saved, grown);
}

QString rateAnnouncement(double percent, const QString &grownAtEnd)
{
    return QStringLiteral("年利 %1％ で運用した場合、%2で %3")
        .arg(percentText(percent), planEndName(), grownAtEnd);
}

} // namespace pomiro::savingstexts
