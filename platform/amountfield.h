#pragma once

#include <QLineEdit>

namespace pomiro {

// A field for an amount (of one period in the main window). Amounts are typed as the half-width
// digits of the keys, whatever input method the desktop has switched on, and Enter in a field that
// holds text asks for a conversion instead of reaching the field.
class AmountField : public QLineEdit
{
    Q_OBJECT

public:
    explicit AmountField(QWidget *parent = nullptr);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // Enter was pressed while the field held text (blanks count).
    void amountEntered();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace pomiro
