#include "hostservices.h"

#include "newestappchild.h"

namespace Core {

HostServices::HostServices(QObject *parent)
    : QObject(parent)
{}

HostServices::~HostServices() = default;

HostServices *HostServices::current()
{
    return newestAppChild<HostServices>();
}

} // namespace Core
