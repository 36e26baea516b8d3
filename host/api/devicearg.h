#pragma once

#include "hostexport.h"

#include <QString>

namespace DEV {

/// A target device: its series, its device name and the part id that the
/// configuration file records.
class IPCORE_API_EXPORT DeviceArg
{
public:
    DeviceArg() = default;
    DeviceArg(const QString &series, const QString &device, const QString &id);

    QString series() const { return m_series; }
    QString device() const { return m_device; }
    QString id() const { return m_id; }
    bool isValid() const { return !m_id.isEmpty(); }

    /// "SERIES/DEVICE", the form users type on the command line.
    QString displayName() const;

private:
    QString m_series;
    QString m_device;
    QString m_id;
};

} // namespace DEV
