#include "savings_window/texts.h"

namespace pomiro::savingstexts {

namespace {

QString percentText(double percent)
{
    return QString::number(percent, 'f', 1);
}

} // namespace

QString monthlySentence(const QString &monthly, const QString &yearly)
{
    return QStringLiteral("毎月 %1 を積み立てます（１年 %2 ÷ 12）").arg(monthly, yearly);
}

QString allEntries(qsizetype count)
{
    return QStringLiteral("すべての「ぽみろ」（%1 件）").arg(count);
}

QString chosenEntries(const QStringList &names)
{
    return names.join(QStringLiteral("、"));
}

QString leftOut(const QStringList &names)
{
    return QStringLiteral("１年の金額が読めないため入れなかった「ぽみろ」：%1")
        .arg(names.join(QStringLiteral("、")));
}

QString rate(double percent)
{
    return QStringLiteral("年利 %1％").arg(percentText(percent));
}

QString chartDescription(const QString &saved, const QString &grown)
{
    return QStringLiteral("３０年で、積み立てた額は %1、運用した場合は %2 になります。")
        .arg(saved, grown);
}

QString rateAnnouncement(double percent, const QString &grown30)
{
    return QStringLiteral("年利 %1％ で運用した場合、３０年で %2")
        .arg(percentText(percent), grown30);
}

} // namespace pomiro::savingstexts
