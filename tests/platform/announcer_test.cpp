// A screen reader hears what the program announces, and nothing else of the announcer.
#include "platform/announcer.h"

#include "tests/support/accessibilityevents.h"
#include "tests/support/qtapp.h"

#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace pomiro;
using namespace pomiro::testing;

TEST(Announcer, EachAnnouncementIsANotificationShownWithItsText)
{
    application();
    QWidget window;
    auto *announcer = new Announcer(&window);
    window.show();
    AccessibilityEvents heard;

    announcer->announce(QStringLiteral("10 の期間の金額に換算しました"));
    announcer->announce(QStringLiteral("コーヒー 2 / 2"));
    // The same words again are news again (a second conversion).
    announcer->announce(QStringLiteral("コーヒー 2 / 2"));

    EXPECT_EQ(heard.announced(),
              (QStringList{QStringLiteral("10 の期間の金額に換算しました"),
                           QStringLiteral("コーヒー 2 / 2"), QStringLiteral("コーヒー 2 / 2")}));
    // Nothing on screen: the words are for the screen reader alone, and it never takes the focus.
    EXPECT_FALSE(announcer->isVisible());
    EXPECT_EQ(announcer->focusPolicy(), Qt::NoFocus);
}

TEST(Announcer, OtherLabelsKeepTheirOwnRole)
{
    application();
    QWidget window;
    new Announcer(&window);
    auto *label = new QLabel(QStringLiteral("1 / 2"), &window);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
}

} // namespace
