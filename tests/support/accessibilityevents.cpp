#include "tests/support/accessibilityevents.h"

// The one place the tests reach below Qt's public API: only the platform can say that a screen
// reader is listening, and the offscreen platform has none.
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace pomiro::testing {

namespace {

void setAccessibilityActive(bool active)
{
    if (QPlatformAccessibility *platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(active);
}

} // namespace

void activateAccessibility()
{
    setAccessibilityActive(true);
}

void deactivateAccessibility()
{
    setAccessibilityActive(false);
}

} // namespace pomiro::testing
