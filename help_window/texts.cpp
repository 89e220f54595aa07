#include "help_window/texts.h"

namespace pomiro::helptexts {

QString linkAnnouncement(const QString &linkText)
{
    return linkText + QStringLiteral(" リンク");
}

QString pageAnnouncement(const QString &title)
{
    return title + QStringLiteral(" ページ");
}

QString fileNotFound(const QString &helpFile, const QString &programFolder,
                     const QString &workingFolder)
{
    return QStringLiteral(
               "ヘルプファイル「%1」が見つかりません。\n"
               "プログラムと同じフォルダー（%2）か、作業フォルダー（%3）に置いてください。")
        .arg(helpFile, programFolder, workingFolder);
}

QString fileNotOpened(const QString &path)
{
    return QStringLiteral("ヘルプファイル「%1」を開けませんでした。\n"
                          "ファイルが壊れていないか確かめて、置き直してください。")
        .arg(path);
}

QString missingPage(const QString &path)
{
    return QStringLiteral(
               "<html><head><meta charset=\"utf-8\"><title>ページがありません</title></head>"
               "<body><p>このページはヘルプファイルにありません：%1</p>"
               "<p>［戻る］で前のページに戻ってください。</p></body></html>")
        .arg(path.toHtmlEscaped());
}

} // namespace pomiro::helptexts
