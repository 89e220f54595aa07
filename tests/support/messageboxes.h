#pragma once

// Answers the program's real message boxes as a user would, and notes what each one showed.

#include "tests/support/qtapp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>

namespace pomiro::testing {

// What kind of box it was, by its icon and buttons.
enum class Box { Information, Warning, Question, Other };

inline const char *boxName(Box box)
{
    const char *names[] = {"Information", "Warning", "Question", "Other"};
    return names[int(box)];
}

// While alive, every message box that opens is noted and answered: Enter (OK) unless `answers`
// says otherwise (true: Enter, false: Escape), one answer a box. A box that shows the button named
// first in `clicks` gets that button clicked instead, and the name is used up.
class MessageBoxes : public QObject
{
public:
    struct Shown
    {
        Box box;
        QString title;
        QString text;
        QStringList buttons;
    };

    QList<Shown> shown;
    QList<bool> answers;
    QStringList clicks;

    MessageBoxes() { application().installEventFilter(this); }
    ~MessageBoxes() override { application().removeEventFilter(this); }

    QStringList titles() const
    {
        QStringList all;
        for (const Shown &s : shown)
            all << s.title;
        return all;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = event->type() == QEvent::Show ? qobject_cast<QMessageBox *>(watched) : nullptr;
        if (!box)
            return false;
        QStringList buttons;
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        shown.append({kindOf(*box), box->windowTitle(), box->text(), buttons});
        const QString click =
            !clicks.isEmpty() && buttons.contains(clicks.first()) ? clicks.takeFirst() : QString();
        const bool ok = !click.isEmpty() || answers.isEmpty() || answers.takeFirst();
        QPointer<QWidget> opener = QApplication::activeWindow();
        QTimer::singleShot(0, box, [box = QPointer<QMessageBox>(box), ok, click, opener] {
            if (box && QTest::qWaitForWindowActive(box)) {
                QAbstractButton *button = nullptr;
                for (QAbstractButton *b : box->buttons())
                    if (!click.isEmpty() && b->text() == click)
                        button = b;
                if (button)
                    QTest::mouseClick(button, Qt::LeftButton);
                else
                    QTest::keyClick(box, ok ? Qt::Key_Return : Qt::Key_Escape);
            }
            if (box && box->isVisible()) // not ended by the key: end it so the test cannot hang
                box->done(-1);
            // As a window manager does: the window that opened the box is active again, if it
            // is still shown (a dialog may have closed before asking).
            if (opener && opener->isVisible()) {
                opener->activateWindow();
                (void)QTest::qWaitForWindowActive(opener);
            }
        });
        return false;
    }

private:
    // A warning that offers something else to do besides OK is still a warning; a question is
    // one that can be declined.
    static Box kindOf(const QMessageBox &box)
    {
        const qsizetype buttons = box.buttons().size();
        bool declinable = false;
        for (QAbstractButton *button : box.buttons())
            declinable = declinable || box.buttonRole(button) == QMessageBox::RejectRole;
        if (box.icon() == QMessageBox::Information && buttons == 1)
            return Box::Information;
        if (box.icon() == QMessageBox::Warning && !declinable)
            return Box::Warning;
        if (box.icon() == QMessageBox::Warning && buttons == 2)
            return Box::Question;
        return Box::Other;
    }
};

} // namespace pomiro::testing

inline void PrintTo(pomiro::testing::Box box, std::ostream *out)
{
    *out << pomiro::testing::boxName(box);
}
