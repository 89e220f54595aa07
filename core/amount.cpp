#include "core/amount.h"
