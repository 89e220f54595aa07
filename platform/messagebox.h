#pragma once

#include <QString>

class QWidget;

namespace pomiro {

// The message box as the program calls it: style flags and a numeric answer.
class MessageBox
{
public:
    // Buttons (low bits) and icon (added to them).
    static constexpr int kOk = 0;
    static constexpr int kOkCancel = 1;
    static constexpr int kCritical = 16;
    static constexpr int kQuestion = 32;
    static constexpr int kExclamation = 48;
    static constexpr int kInformation = 64;

    // Answers.
    static constexpr int kAnswerOk = 1;
    static constexpr int kAnswerCancel = 2;

    virtual ~MessageBox() = default;

    // Shows a modal box; returns kAnswerOk or kAnswerCancel. OK is the default button.
    virtual int show(QWidget *parent, const QString &text, int flags, const QString &title) = 0;
};

// The real box, over QMessageBox.
class QtMessageBox : public MessageBox
{
public:
    int show(QWidget *parent, const QString &text, int flags, const QString &title) override;
};

} // namespace pomiro
