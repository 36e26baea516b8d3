#include "devicearg.h"

namespace DEV {

DeviceArg::DeviceArg(const QString &series, const QString &device, const QString &id)
    : m_series(series)
    , m_device(device)
    , m_id(id)
{}

QString DeviceArg::displayName() const
{
    return m_series + QLatin1Char('/') + m_device;
}

} // namespace DEV
