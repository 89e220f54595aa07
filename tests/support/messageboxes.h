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
// says otherwise (true: Enter, false: Escape), one answer a box.
class MessageBoxes : public QObject
{
public:
    struct Shown
    {
        Box box;
        QString title;
        QString text;
    };

    QList<Shown> shown;
    QList<bool> answers;

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
        shown.append({kindOf(*box), box->windowTitle(), box->text()});
        const bool ok = answers.isEmpty() || answers.takeFirst();
        QPointer<QWidget> opener = QApplication::activeWindow();
        QTimer::singleShot(0, box, [box = QPointer<QMessageBox>(box), ok, opener] {
            if (box && QTest::qWaitForWindowActive(box))
                QTest::keyClick(box, ok ? Qt::Key_Return : Qt::Key_Escape);
            if (box && box->isVisible()) // not ended by the key: end it so the test cannot hang
                box->done(-1);
            // As a window manager does: the window that opened the box is active again.
            if (opener) {
                opener->activateWindow();
                (void)QTest::qWaitForWindowActive(opener);
            }
        });
        return false;
    }

private:
    static Box kindOf(const QMessageBox &box)
    {
        const qsizetype buttons = box.buttons().size();
        if (box.icon() == QMessageBox::Information && buttons == 1)
            return Box::Information;
        if (box.icon() == QMessageBox::Warning && buttons == 1)
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
