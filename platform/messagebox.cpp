#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

namespace pomiro {

namespace {

enum class Buttons { Ok, OkCancel };

bool ask(QWidget *parent, QMessageBox::Icon icon, Buttons buttons, const QString &title,
         const QString &text)
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
    box.setDefaultButton(ok);
    // Escape and the frame's close button mean Cancel when there is one, otherwise OK.
    box.setEscapeButton(cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok;
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

bool confirm(QWidget *parent, const QString &title, const QString &text)
{
    return ask(parent, QMessageBox::Warning, Buttons::OkCancel, title, text);
}

} // namespace pomiro
