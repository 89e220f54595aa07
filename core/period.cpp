#include "core/period.h"
