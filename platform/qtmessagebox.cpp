#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

namespace pomiro {

namespace {

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & 0x70) {
    case MessageBox::kCritical:
        return QMessageBox::Critical;
    case MessageBox::kQuestion:
        return QMessageBox::Question;
    case MessageBox::kExclamation:
        return QMessageBox::Warning;
    case MessageBox::kInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageBox::show(QWidget *parent, const QString &text, int flags, const QString &title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    // Names are quoted as typed; a name that looks like markup must not be rendered as such.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(iconFor(flags));

    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    // Only OK and OK+Cancel are asked for; any other button set falls back to OK alone.
    if ((flags & 0x0F) == kOkCancel)
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    // Escape and the frame's close button mean Cancel when there is one, otherwise OK.
    box.setEscapeButton(cancel ? cancel : ok);

    box.exec();
    // A box that ends without a button (its parent went away) must not count as a yes.
    if (cancel && box.clickedButton() != ok)
        return kAnswerCancel;
    return kAnswerOk;
}

} // namespace pomiro
