#include "viewmanager.h"

#include "hostservices.h"

namespace Core {

QWidget *ViewManager::dialogParent()
{
    HostServices *services = HostServices::current();
    return services ? services->dialogParent() : nullptr;
}

} // namespace Core
