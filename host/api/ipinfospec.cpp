#include "ipcore.h"

#include <QFileInfo>
#include <QSettings>

namespace IPCore {

QMap<QString, QVariant> processIPInfoSpec(const QString &specPath)
{
    QMap<QString, QVariant> info;
    if (!QFileInfo(specPath).isFile())
        return info;
    QSettings spec(specPath, QSettings::IniFormat);
    if (spec.status() != QSettings::NoError)
        return info;
    // Sections are key prefixes: [ipcore.doc] summary=... is "ipcore.doc.summary".
    const QStringList keys = spec.allKeys();
    for (const QString &key : keys) {
        QString name = key;
        name.replace(QLatin1Char('/'), QLatin1Char('.'));
        info.insert(name, spec.value(key));
    }
    return info;
}

bool checkCommonInfo(const QMap<QString, QVariant> &info)
{
    for (const char *key : {"ipcore.id", "ipcore.name", "ipcore.version"}) {
        if (info.value(QLatin1String(key)).toString().trimmed().isEmpty())
            return false;
    }
    return true;
}

static bool namesDevice(const QStringList &list, const DEV::DeviceArg &device)
{
    for (const QString &entry : list) {
        const QString name = entry.trimmed();
        if (name.isEmpty())
            continue;
        if (name == device.series() || name == device.device() || name == device.id()
            || name == device.displayName())
            return true;
    }
    return false;
}

bool isSupported(const DEV::DeviceArg &device,
                 const QStringList &unsupported,
                 const QStringList &supported)
{
    if (namesDevice(unsupported, device))
        return false;
    bool anySupported = false;
    for (const QString &entry : supported)
        anySupported = anySupported || !entry.trimmed().isEmpty();
    return !anySupported || namesDevice(supported, device);
}

} // namespace IPCore
