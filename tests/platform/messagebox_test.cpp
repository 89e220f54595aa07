#include "platform/messagebox.h"

#include "tests/support/qtapp.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using namespace pomiro;

enum class Action { PressEnter, PressEscape, ClickOk, ClickCancel, ClickAction, CloseFrame };

const QString kAction = QStringLiteral("PDFで保存…");

struct Seen
{
    bool found = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    Qt::TextFormat format = Qt::AutoText;
    // What a screen reader is told the box is, and whether it can read the text.
    QAccessible::Role role = QAccessible::NoRole;
    QString accessibleName;
    bool textReachable = false;
};

// The text is heard as the box's description or from one of its children.
bool textReachable(QAccessibleInterface *box, const QString &text)
{
    if (box->text(QAccessible::Description) == text)
        return true;
    for (int i = 0; i < box->childCount(); ++i)
        if (QAccessibleInterface *child = box->child(i);
            child && child->text(QAccessible::Name) == text)
            return true;
    return false;
}

// Waits for the modal box, notes what it shows, then answers it as the user would.
void answerWhenShown(Action action, Seen &seen)
{
    QTimer::singleShot(0, [action, &seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerWhenShown(action, seen);
            return;
        }
        seen.found = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.format = box->textFormat();
        if (QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(box)) {
            seen.role = spoken->role();
            seen.accessibleName = spoken->text(QAccessible::Name);
            seen.textReachable = textReachable(spoken, box->text());
        }
        for (QAbstractButton *button : box->buttons())
            seen.buttons.append(button->text());
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();

        auto buttonWithText = [box](const QString &text) -> QAbstractButton * {
            for (QAbstractButton *button : box->buttons())
                if (button->text() == text)
                    return button;
            return nullptr;
        };
        switch (action) {
        case Action::PressEnter:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case Action::PressEscape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Action::ClickOk:
            if (QAbstractButton *ok = buttonWithText(QStringLiteral("OK")))
                ok->click();
            break;
        case Action::ClickCancel:
            if (QAbstractButton *cancel = buttonWithText(QStringLiteral("キャンセル")))
                cancel->click();
            break;
        case Action::ClickAction:
            if (QAbstractButton *other = buttonWithText(kAction))
                other->click();
            break;
        case Action::CloseFrame:
            box->close();
            break;
        }
        if (box->isVisible()) // the action did not end the box: end it so the test cannot hang
            box->done(-1);
    });
}

enum class Kind { Inform, Warn, WarnWithAction, Confirm };

// Shows the box of `kind` and returns its answer (inform and warn have none: true).
bool show(Kind kind, const QString &title, const QString &text)
{
    switch (kind) {
    case Kind::Inform:
        inform(nullptr, title, text);
        return true;
    case Kind::Warn:
        warn(nullptr, title, text);
        return true;
    case Kind::WarnWithAction:
        return warnWithAction(nullptr, title, text, kAction);
    case Kind::Confirm:
        break;
    }
    return confirm(nullptr, title, text);
}

struct BoxCase
{
    Kind kind;
    Action action;
    bool answer;
    QMessageBox::Icon icon;
    // A success is information to a screen reader; a warning or a question is an alert.
    QAccessible::Role role;
};

const char *const kKindNames[] = {"Inform", "Warn", "WarnWithAction", "Confirm"};
const char *const kActionNames[] = {"PressEnter",  "PressEscape", "ClickOk",
                                    "ClickCancel", "ClickAction", "CloseFrame"};

std::string caseName(const BoxCase &c)
{
    return std::string(kKindNames[int(c.kind)]) + "Then" + kActionNames[int(c.action)];
}

void PrintTo(const BoxCase &c, std::ostream *out)
{
    *out << caseName(c);
}

// The buttons each kind of box shows, in order.
QStringList buttonsOf(Kind kind)
{
    switch (kind) {
    case Kind::Inform:
    case Kind::Warn:
        return {QStringLiteral("OK")};
    case Kind::WarnWithAction:
        return {QStringLiteral("OK"), kAction};
    case Kind::Confirm:
        break;
    }
    return {QStringLiteral("OK"), QStringLiteral("キャンセル")};
}

class MessageBoxAnswer : public ::testing::TestWithParam<BoxCase>
{};

TEST_P(MessageBoxAnswer, ShowsTheRequestedBoxAndReturnsTheAnswer)
{
    const BoxCase &c = GetParam();
    pomiro::testing::application();
    Seen seen;
    answerWhenShown(c.action, seen);
    const bool answer = show(c.kind, QStringLiteral("削除確認"),
                             QStringLiteral("禁煙のデータを削除していいですか？"));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, buttonsOf(c.kind));
    EXPECT_EQ(seen.defaultButton, QStringLiteral("OK"));
    EXPECT_EQ(seen.title, QStringLiteral("削除確認"));
    EXPECT_EQ(seen.text, QStringLiteral("禁煙のデータを削除していいですか？"));
    EXPECT_EQ(seen.role, c.role);
    EXPECT_EQ(seen.accessibleName, QStringLiteral("削除確認"));
    EXPECT_TRUE(seen.textReachable);
}

INSTANTIATE_TEST_SUITE_P(KindsAndActions, MessageBoxAnswer,
                         ::testing::Values(BoxCase{Kind::Inform, Action::PressEnter, true,
                                                   QMessageBox::Information, QAccessible::Dialog},
                                           BoxCase{Kind::Inform, Action::PressEscape, true,
                                                   QMessageBox::Information, QAccessible::Dialog},
                                           BoxCase{Kind::Inform, Action::CloseFrame, true,
                                                   QMessageBox::Information, QAccessible::Dialog},
                                           BoxCase{Kind::Warn, Action::ClickOk, true,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::Warn, Action::PressEscape, true,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::WarnWithAction, Action::PressEnter, false,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::WarnWithAction, Action::PressEscape, false,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::WarnWithAction, Action::CloseFrame, false,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::WarnWithAction, Action::ClickAction, true,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::Confirm, Action::PressEnter, true,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::Confirm, Action::ClickOk, true,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::Confirm, Action::ClickCancel, false,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::Confirm, Action::PressEscape, false,
                                                   QMessageBox::Warning, QAccessible::AlertMessage},
                                           BoxCase{Kind::Confirm, Action::CloseFrame, false,
                                                   QMessageBox::Warning,
                                                   QAccessible::AlertMessage}),
                         [](const auto &info) { return caseName(info.param); });

// A box that ends with no button pressed must not read as a yes to a question.
TEST(MessageBoxTest, BoxEndedWithoutAnyButtonIsNotOk)
{
    pomiro::testing::application();
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            qobject_cast<QDialog *>(box)->done(-1);
    });
    EXPECT_FALSE(
        confirm(nullptr, QStringLiteral("削除確認"), QStringLiteral("削除していいですか？")));
}

} // namespace

// Names are quoted as the user typed them: one that looks like markup is shown as it stands.
TEST(MessageBoxTest, ShowsANameThatLooksLikeMarkupAsTyped)
{
    pomiro::testing::application();
    const QString text = QStringLiteral("<b>ビール</b> &amp; A&lt;Bを登録しました。");
    Seen seen;
    answerWhenShown(Action::PressEnter, seen);
    inform(nullptr, QStringLiteral("新規登録"), text);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.format, Qt::PlainText);
}
