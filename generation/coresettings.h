#pragma once

#include "delivery.h"
#include "devicearg.h"

#include <QMap>
#include <QString>
#include <QVariant>

namespace IPDDSYN {
namespace Generation {

/// What generation needs of the dialog, read once when OK is pressed: the
/// header fields, the descriptor entries and the option values by key.
struct CoreSettings
{
    QString outputDirectory; // the dialog base's createPath()
    QString fileName;
    QString moduleName;
    DEV::DeviceArg device;
    QString coreId;                  // descriptor "ipcore.id"
    QString coreName;                // descriptor "ipcore.name"
    QString coreLabel;               // descriptor "ipcore.label"
    QString dataDirectory;           // descriptor "ipcore.dir.data": the core's HDL sources
    QMap<QString, QVariant> options; // stored values, by the option table's keys
    int sysPhaseWidth = 0;           // widths derived under "System Parameters"
    int sysOutputWidth = 0;

    /// Where the core is built before delivery.
    QString workingDirectory() const
    {
        return Generation::workingDirectory(outputDirectory, coreId);
    }
};

} // namespace Generation
} // namespace IPDDSYN
