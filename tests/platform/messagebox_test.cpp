#include "platform/messagebox.h"
#include "tests/support/qtapp.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace pomiro;

enum class Action { PressEnter, PressEscape, ClickOk, ClickCancel, CloseFrame };

struct Seen
{
    bool found = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    Qt::TextFormat format = Qt::AutoText;
};

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
        case Action::CloseFrame:
            box->close();
            break;
        }
        if (box->isVisible()) // the action did not end the box: end it so the test cannot hang
            box->done(-1);
    });
}

TEST(QtMessageBoxTest, ShowsTheRequestedBoxAndReturnsTheAnswer)
{
    pomiro::testing::application();
    const QStringList okOnly{QStringLiteral("OK")};
    const QStringList okCancel{QStringLiteral("OK"), QStringLiteral("キャンセル")};
    struct Case
    {
        int flags;
        Action action;
        int answer;
        QMessageBox::Icon icon;
        QStringList buttons;
    };
    const Case cases[] = {
        {64, Action::PressEnter, MessageBox::kAnswerOk, QMessageBox::Information, okOnly},
        {64, Action::PressEscape, MessageBox::kAnswerOk, QMessageBox::Information, okOnly},
        {64, Action::CloseFrame, MessageBox::kAnswerOk, QMessageBox::Information, okOnly},
        {48, Action::ClickOk, MessageBox::kAnswerOk, QMessageBox::Warning, okOnly},
        {16, Action::ClickOk, MessageBox::kAnswerOk, QMessageBox::Critical, okOnly},
        {0, Action::ClickOk, MessageBox::kAnswerOk, QMessageBox::NoIcon, okOnly},
        {49, Action::PressEnter, MessageBox::kAnswerOk, QMessageBox::Warning, okCancel},
        {49, Action::ClickOk, MessageBox::kAnswerOk, QMessageBox::Warning, okCancel},
        {49, Action::ClickCancel, MessageBox::kAnswerCancel, QMessageBox::Warning, okCancel},
        {49, Action::PressEscape, MessageBox::kAnswerCancel, QMessageBox::Warning, okCancel},
        {49, Action::CloseFrame, MessageBox::kAnswerCancel, QMessageBox::Warning, okCancel},
        {33, Action::ClickCancel, MessageBox::kAnswerCancel, QMessageBox::Question, okCancel},
    };
    QtMessageBox messages;
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "flags " << c.flags << ", action " << int(c.action));
        Seen seen;
        answerWhenShown(c.action, seen);
        const int answer = messages.show(nullptr, QStringLiteral("禁煙のデータを削除していいですか？"), c.flags,
                                         QStringLiteral("削除確認"));
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultButton, QStringLiteral("OK"));
        EXPECT_EQ(seen.title, QStringLiteral("削除確認"));
        EXPECT_EQ(seen.text, QStringLiteral("禁煙のデータを削除していいですか？"));
    }
}

// A box that ends with no button pressed must not read as a yes to a question.
TEST(QtMessageBoxTest, BoxEndedWithoutAnyButtonIsNotOk)
{
    pomiro::testing::application();
    QTimer::singleShot(0, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            qobject_cast<QDialog *>(box)->done(-1);
    });
    QtMessageBox messages;
    EXPECT_EQ(messages.show(nullptr, QStringLiteral("削除していいですか？"), 49, QStringLiteral("削除確認")),
              MessageBox::kAnswerCancel);
}

} // namespace

// Names are quoted as the user typed them: one that looks like markup is shown as it stands.
TEST(QtMessageBoxTest, ShowsANameThatLooksLikeMarkupAsTyped)
{
    pomiro::testing::application();
    const QString text = QStringLiteral("<b>ビール</b> &amp; A&lt;Bを登録しました。");
    Seen seen;
    answerWhenShown(Action::PressEnter, seen);
    QtMessageBox messages;
    EXPECT_EQ(messages.show(nullptr, text, 64, QStringLiteral("新規登録")), MessageBox::kAnswerOk);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.format, Qt::PlainText);
}
