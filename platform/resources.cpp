#include "platform/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function at global scope, so it cannot be used inside the namespace.
static void initPlatformResources()
{
    Q_INIT_RESOURCE(platform);
}

namespace platform {

void initResources()
{
    initPlatformResources();
}

} // namespace platform
