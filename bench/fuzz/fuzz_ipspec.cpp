// Reads fuzzed spec files as the core's descriptor does and asks the
// catalogue questions of every known device.

#include "devicecatalogue.h"
#include "ipcore.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("dds2.ipspec")));
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the input to %s", qPrintable(dir.path()));
    file.close();

    const QMap<QString, QVariant> info = IPCore::processIPInfoSpec(file.fileName());
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
