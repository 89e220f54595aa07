#pragma once

#include "platform/messagebox.h"

#include <QList>
#include <QString>

namespace pomiro::testing {

// Records every box the program shows and answers from a script (OK when the script runs out).
class ScriptedMessageBox : public MessageBox
{
public:
    struct Shown
    {
        QString text;
        int flags;
        QString title;
    };

    QList<Shown> shown;
    QList<int> answers;

    int show(QWidget *, const QString &text, int flags, const QString &title) override
    {
        shown.append({text, flags, title});
        return answers.isEmpty() ? kAnswerOk : answers.takeFirst();
    }
};

} // namespace pomiro::testing
