#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

namespace pomiro {

namespace {

enum class Buttons { Ok, OkCancel };

// The button that was clicked: OK, キャンセル, `action`, or none.
enum class Answer { Ok, Cancel, Action, None };

Answer ask(QWidget *parent, QMessageBox::Icon icon, Buttons buttons, const QString &title,
           const QString &text, const QString &action = {})
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(icon);

    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = buttons == Buttons::OkCancel
                              ? box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole)
                              : nullptr;
    QPushButton *other =
        action.isEmpty() ? nullptr : box.addButton(action, QMessageBox::ActionRole);
    box.setDefaultButton(ok);
    // Escape and the frame's close button mean Cancel when there is one, otherwise OK.
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    if (box.clickedButton() == ok)
        return Answer::Ok;
    if (cancel && box.clickedButton() == cancel)
        return Answer::Cancel;
    if (other && box.clickedButton() == other)
        return Answer::Action;
    return Answer::None;
}

} // namespace

void inform(QWidget *parent, const QString &title, const QString &text)
{
    ask(parent, QMessageBox::Information, Buttons::Ok, title, text);
}

void warn(QWidget *parent, const QString &title, const QString &text)
{
    ask(parent, QMessageBox::Warning, Buttons::Ok, title, text);
}

bool warnWithAction(QWidget *parent, const QString &title, const QString &text,
                    const QString &action)
{
    return ask(parent, QMessageBox::Warning, Buttons::Ok, title, text, action) == Answer::Action;
}

bool confirm(QWidget *parent, const QString &title, const QString &text)
{
    return ask(parent, QMessageBox::Warning, Buttons::OkCancel, title, text) == Answer::Ok;
}

} // namespace pomiro
