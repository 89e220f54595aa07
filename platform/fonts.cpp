#include "platform/fonts.h"
