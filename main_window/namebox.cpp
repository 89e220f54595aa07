#include "main_window/namebox.h"

namespace pomiro {

NameEdit::NameEdit(QWidget *parent) : QLineEdit(parent) {}

NameBox::NameBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setLineEdit(new NameEdit(this));
    // Qt gives a combo box the focus when the wheel turns over it (Qt::WheelFocus), and then the
    // box would take the wheel as if the user were working in it.
    setFocusPolicy(Qt::StrongFocus);
}

} // namespace pomiro
