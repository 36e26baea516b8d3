#include "hostservices.h"

#include <QCoreApplication>

namespace Core {

HostServices::HostServices(QObject *parent)
    : QObject(parent)
{}

HostServices::~HostServices() = default;

HostServices *HostServices::current()
{
    if (!QCoreApplication::instance())
        return nullptr;
    const QObjectList &children = QCoreApplication::instance()->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (auto *services = qobject_cast<HostServices *>(*it))
            return services;
    }
    return nullptr;
}

} // namespace Core
