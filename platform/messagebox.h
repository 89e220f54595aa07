#pragma once

#include <QString>

class QAccessibleInterface;
class QWidget;

namespace pomiro {

// The program's modal message boxes. Texts are shown as they stand (a name that looks like markup
// is not rendered as such); OK is the default button.

// The title of a box that tells why something the user asked to save was not saved.
inline const QString kSaveFailedTitle = QStringLiteral("保存できません");

// An information icon and OK.
void inform(QWidget *parent, const QString &title, const QString &text);

// An exclamation icon and OK.
void warn(QWidget *parent, const QString &title, const QString &text);

// An exclamation icon, OK and a button for `action`, something the user can do instead. True only
// when `action` was chosen: Enter, Escape and the frame's close button all mean OK.
bool warnWithAction(QWidget *parent, const QString &title, const QString &text,
                    const QString &action);

// An exclamation icon, OK and キャンセル. True only for OK: Escape, the frame's close button and a
// box that ends without any button all mean no.
bool confirm(QWidget *parent, const QString &title, const QString &text);

// The interface through which a box that tells of a success answers screen readers: a dialog, not
// an alert (accessibility.h installs it).
QAccessibleInterface *makeAccessibleInformationBox(QWidget *box);

} // namespace pomiro
