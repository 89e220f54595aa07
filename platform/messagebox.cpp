#include "platform/messagebox.h"

#include <QAccessibleWidget>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

namespace pomiro {

namespace {

// A box that tells of a success. Qt (6.4, and still 6.8) presents every message box to screen
// readers as an alert, which Orca announces as "警告"; this one is a dialog, named by its title and
// described by its text. The text's label stays among its children, as in any box.
class InformationBox : public QMessageBox
{
    Q_OBJECT

public:
    using QMessageBox::QMessageBox;
};

class AccessibleInformationBox : public QAccessibleWidget
{
public:
    explicit AccessibleInformationBox(QWidget *box) : QAccessibleWidget(box, QAccessible::Dialog) {}

    QString text(QAccessible::Text t) const override
    {
        QString text = QAccessibleWidget::text(t);
        if (text.isEmpty() && t == QAccessible::Description)
            text = static_cast<const QMessageBox *>(widget())->text();
        return text;
    }
};

} // namespace

QAccessibleInterface *makeAccessibleInformationBox(QWidget *box)
{
    return new AccessibleInformationBox(box);
}

namespace {

enum class Buttons { Ok, OkCancel };

// The button that was clicked: OK, キャンセル, `action`, or none.
enum class Answer { Ok, Cancel, Action, None };

Answer ask(QWidget *parent, QMessageBox::Icon icon, Buttons buttons, const QString &title,
           const QString &text, const QString &action = {})
{
    // Only a success is told as information; warnings and questions stay alerts.
    std::unique_ptr<QMessageBox> made = icon == QMessageBox::Information
                                            ? std::make_unique<InformationBox>(parent)
                                            : std::make_unique<QMessageBox>(parent);
    QMessageBox &box = *made;
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

#include "messagebox.moc"
