// Reads fuzzed spec files as the core's descriptor does and asks the
// catalogue questions of every known device.

#include "devicecatalogue.h"
#include "inputfile.h"
#include "ipcore.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const InputFile input(QStringLiteral("dds2.ipspec"), data, size);
    const QMap<QString, QVariant> info = IPCore::processIPInfoSpec(input.path());
    if (!IPCore::checkCommonInfo(info))
        return 0;
    for (const char *key : {"ipcore.id",
                            "ipcore.name",
                            "ipcore.version",
                            "ipcore.doc.summary",
                            "ipcore.doc.help",
                            "ipcore.label",
                            "ipcore.module",
                            "ipcore.target"})
        info.value(QLatin1String(key)).toString();
    info.value(QStringLiteral("ipcore.category")).toStringList();
    const QStringList unsupported
            = info.value(QStringLiteral("ipcore.device.unsupported")).toStringList();
    const QStringList supported
            = info.value(QStringLiteral("ipcore.device.supported")).toStringList();
    for (const DEV::DeviceArg &device : DEV::DeviceCatalogue::devices())
        IPCore::isSupported(device, unsupported, supported);
    return 0;
}
