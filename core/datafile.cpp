#include "core/datafile.h"
