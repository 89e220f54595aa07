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
    const struct
    {
        QString text;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {QString(), Qt::Key_Tab, Qt::NoModifier},
        {QString(), Qt::Key_Backtab, Qt::ShiftModifier},
        {u"\\500"_s, Qt::Key_Tab, Qt::NoModifier},
        {u"\\500"_s, Qt::Key_Backtab, Qt::ShiftModifier},
    };
    for (const auto &step : cases) {
        SCOPED_TRACE(
            qPrintable(step.text + (step.key == Qt::Key_Tab ? u" Tab"_s : u" Shift+Tab"_s)));
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *before = new QPushButton(u"前"_s, &window);
        auto *field = new AmountField(&window);
        auto *after = new QPushButton(u"後"_s, &window);
        for (QWidget *control : {static_cast<QWidget *>(before), static_cast<QWidget *>(field),
                                 static_cast<QWidget *>(after)})
            layout->addWidget(control);
        field->setText(step.text);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        (step.key == Qt::Key_Tab ? before : after)->setFocus();
        AccessibilityEvents heard;
        QTest::keyClick(window.windowHandle(), step.key, step.modifiers);
        ASSERT_EQ(QApplication::focusWidget(), field);

        QList<QAccessible::Event> aboutField;
        for (const auto &event : heard.events()) {
            if (event.object == field)
                aboutField << event.type;
        }
        const qsizetype focus = aboutField.indexOf(QAccessible::Focus);
        ASSERT_GE(focus, 0) << "the focus was never told";
        if (step.text.isEmpty()) {
            for (const QAccessible::Event caret :
                 {QAccessible::TextCaretMoved, QAccessible::TextSelectionChanged}) {
                const qsizetype first = aboutField.indexOf(caret);
                EXPECT_TRUE(first < 0 || first > focus) << "a caret event came before the focus";
            }
        }
        EXPECT_EQ(field->selectedText(), step.text) << "the text is not ready to be typed over";
    }
}

} // namespace
