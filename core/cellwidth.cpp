#include "core/cellwidth.h"
