#include "platform/systemdialogs.h"

namespace pomiro {

bool systemFileChooserAvailable()
{
    // Windows' own file dialog is always there, and asks before replacing a file in its own words.
    return true;
}

} // namespace pomiro
