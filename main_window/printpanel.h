#pragma once

#include <QFrame>

namespace pomiro {

// The panel of letter buttons that 印刷 opens over the window.
//
// To a screen reader it is a named group of buttons inside the window. As a plain QFrame it would
// be a frame of its own, a window that is never active, and Orca drops every focus event in it.
// Esc in it asks for it to close, as やめる does.
class PrintPanel : public QFrame
{
    Q_OBJECT

public:
    explicit PrintPanel(QWidget *parent);

signals:
    void closeRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace pomiro
