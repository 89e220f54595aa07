// An amount field reached by the keys: a screen reader is told of the focus before anything of
// the caret, and a field with text has it all selected, ready to be typed over.
#include "platform/amountfield.h"

#include "tests/support/accessibilityevents.h"
#include "tests/support/qtapp.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace pomiro;
using namespace pomiro::testing;
using namespace Qt::StringLiterals;

// Orca takes a caret move in a control that has just got the focus as that control presented, and
// then says nothing of the focus: for an empty field, the user would hear nothing at all.
TEST(AmountField, ReachedByTabTheFocusIsToldBeforeTheCaret)
{
    application();
    for (const QString &text : {QString(), u"\\500"_s}) {
        for (const bool backwards : {false, true}) {
            SCOPED_TRACE(qPrintable(text + (backwards ? u" Shift+Tab"_s : u" Tab"_s)));
            QWidget window;
            auto *layout = new QVBoxLayout(&window);
            auto *before = new QPushButton(u"前"_s, &window);
            auto *field = new AmountField(&window);
            auto *after = new QPushButton(u"後"_s, &window);
            layout->addWidget(before);
            layout->addWidget(field);
            layout->addWidget(after);
            field->setText(text);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            (backwards ? after : before)->setFocus();
            AccessibilityEvents heard;
            QTest::keyClick(window.windowHandle(), backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            ASSERT_EQ(QApplication::focusWidget(), field);

            // What the screen reader is told of the field, in order, up to its focus.
            QList<QAccessible::Event> told;
            for (const auto &event : heard.events()) {
                if (event.object == field && !told.contains(QAccessible::Focus))
                    told << event.type;
            }
            ASSERT_TRUE(told.contains(QAccessible::Focus)) << "the focus was never told";
            if (text.isEmpty()) {
                EXPECT_FALSE(told.contains(QAccessible::TextCaretMoved) ||
                             told.contains(QAccessible::TextSelectionChanged))
                    << "a caret event came before the focus";
            }
            EXPECT_EQ(field->selectedText(), text) << "the text is not ready to be typed over";
        }
    }
}

} // namespace
