#pragma once

#include "core/savefile.h"

#include <QString>
#include <functional>

class QWidget;

namespace pomiro {

// Asks the user where to save a file, starting from `proposed` (a full path); empty when the user
// cancelled. What saves a file takes one of these, so that a test can answer in place of a user.
using AskSavePath = std::function<QString(QWidget *window, const QString &proposed)>;

// What a save dialog is for: its title (also that of the question before replacing a file), the
// file type offered ("PDF (*.pdf)") and the suffix added to a name typed without one.
struct SaveDialogKind
{
    QString title;
    QString filter;
    QString suffix;
};

// The save dialog: the desktop's own through its portal when one is running, Qt's otherwise,
// labelled in our words and asking in them before a file is replaced.
QString askSavePathInDialog(QWidget *window, const SaveDialogKind &kind, const QString &proposed);

// Puts the content `write` makes in place of the file at `path` in one step and tells the user how
// it went: where it was saved (in a box titled `title`), or why a file of this kind ("PDF",
// "CSVファイル") was not.
bool saveAndTell(QWidget *window, const QString &path, const WriteContent &write,
                 const QString &kind, const QString &title);

} // namespace pomiro
