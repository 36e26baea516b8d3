#pragma once

#include "devicearg.h"

#include <QMap>
#include <QString>
#include <QVariant>

namespace IPCore {

/// What a synthesis run needs: where to work, which core, under which file
/// name, for which device, and the tool options.
struct SynthesizeArgs
{
    QString workDir;
    QString coreName;
    QString fileName;
    DEV::DeviceArg device;
    QMap<QString, QVariant> options;
};

} // namespace IPCore
