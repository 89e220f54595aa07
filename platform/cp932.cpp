#include "platform/cp932.h"
