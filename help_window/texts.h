#pragma once

// What the help window shows and tells the user, in one place.

#include <QString>

namespace pomiro::helptexts {

inline const QString kWindowTitle = QStringLiteral("ぽみろチェッカー ヘルプ");
inline const QString kMessageTitle = QStringLiteral("ヘルプ");
inline const QString kToolBar = QStringLiteral("移動");
inline const QString kBack = QStringLiteral("戻る");
inline const QString kBackTip = QStringLiteral("前に見たページに戻ります");
inline const QString kForward = QStringLiteral("進む");
inline const QString kForwardTip = QStringLiteral("戻る前のページに進みます");
inline const QString kHome = QStringLiteral("ホーム");
inline const QString kHomeTip = QStringLiteral("最初のページを表示します");
inline const QString kPageName = QStringLiteral("ヘルプの本文"); // for screen readers

// What a screen reader says when the keyboard reaches a link, and when another page is shown.
QString linkAnnouncement(const QString &linkText);
QString pageAnnouncement(const QString &title);

// The help file is in none of the folders searched.
QString fileNotFound(const QString &helpFile, const QString &programFolder,
                     const QString &workingFolder);
QString fileNotOpened(const QString &path);
// The page shown for a link to a page the help file does not hold.
QString missingPage(const QString &path);

} // namespace pomiro::helptexts
