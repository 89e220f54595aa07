#include "platform/messagebox.h"
