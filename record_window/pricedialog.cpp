#include "record_window/pricedialog.h"

#include "core/dateform.h"
#include "platform/accessibility.h"
#include "platform/amountfield.h"
#include "platform/messagebox.h"
#include "record_window/datefield.h"
#include "record_window/texts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pomiro {

std::optional<PriceChange> askPriceChange(QWidget *parent, QDate today, Amount current)
{
    QDialog dialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setObjectName(QStringLiteral("priceDialog"));
    dialog.setWindowTitle(recordtexts::kPriceTitle);
    auto *from = new DateField(&dialog);
    from->setObjectName(QStringLiteral("priceFrom"));
    from->setDate(today);
    from->setLatest(today);
    from->edit()->setAccessibleName(recordtexts::kFromHeader);
    auto *amount = new AmountField(&dialog);
    amount->setObjectName(QStringLiteral("priceAmount"));
    amount->setText(formatAmountText(current));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);

    auto *fromCaption = new QLabel(recordtexts::kPriceFromCaption, &dialog);
    fromCaption->setBuddy(from->edit());
    auto *amountCaption = new QLabel(recordtexts::kPriceCaption, &dialog);
    amountCaption->setBuddy(amount);
    auto *form = new QFormLayout(&dialog);
    form->setSizeConstraint(QLayout::SetFixedSize);
    form->addRow(fromCaption, from);
    form->addRow(amountCaption, amount);
    form->addRow(buttons);

    std::optional<PriceChange> asked;
    const auto accept = [&] {
        const auto date = parseDateText(from->text());
        if (!date) {
            warn(&dialog, recordtexts::kDateTitle, recordtexts::kUnreadableDate);
            from->setFocus();
            return;
        }
        const auto daily = parseAmountText(amount->text());
        if (!daily) {
            warn(&dialog, recordtexts::kPriceTitle, recordtexts::kPriceUnreadable);
            amount->setFocus();
            return;
        }
        asked = PriceChange{*date, daily.value()};
        dialog.accept();
    };
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // Enter in the amount field asks for the change, as OK does.
    QObject::connect(amount, &AmountField::amountEntered, &dialog, accept);
    QObject::connect(from, &DateField::accepted, &dialog, [amount] { amount->setFocus(); });
    accessibility::describeControls(&dialog);
    amount->setFocus();
    amount->selectAll();
    dialog.exec();
    return asked;
}

} // namespace pomiro
