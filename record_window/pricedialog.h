#pragma once

#include "core/quitrecord.h"

#include <optional>

class QWidget;

namespace pomiro {

// Asks for a price change: the day it took effect (today at first) and the new daily amount
// (`current` at first). None when the user cancels. A date or an amount that cannot be read is
// told, and the dialog stays open for it to be mended.
std::optional<PriceChange> askPriceChange(QWidget *parent, QDate today, Amount current);

} // namespace pomiro
