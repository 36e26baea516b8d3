#pragma once

#include "devicearg.h"
#include "hostexport.h"

#include <QList>

namespace DEV {

/// The devices the host knows: every device of the supported families with
/// its part id.
class IPCORE_API_EXPORT DeviceCatalogue
{
public:
    static QList<DeviceArg> devices();

    /// Looks a device up by "SERIES/DEVICE"; an invalid DeviceArg when unknown.
    static DeviceArg find(const QString &seriesSlashDevice);
    /// Looks a device up by its part id; an invalid DeviceArg when unknown.
    static DeviceArg findById(const QString &id);
};

} // namespace DEV
