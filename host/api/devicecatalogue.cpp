#include "devicecatalogue.h"

namespace DEV {

namespace {

struct SeriesEntry
{
    const char *series;
    const char *package;
    QList<int> sizes;
    const char *extraDevice; // a device outside the series' own naming, or nullptr
};

QList<DeviceArg> buildCatalogue()
{
    // Series of the supported families, plus RQ1A, which belongs to no family group.
    const QList<SeriesEntry> table = {
            {"RQ9A", "FG484", {25, 50, 100}, nullptr}, {"RQ9B", "FG484", {25, 50, 100}, nullptr},
            {"RQ9C", "FG676", {50, 100}, nullptr},     {"RQ9D", "FG676", {50, 100}, nullptr},
            {"RQ9E", "FG676", {100, 200}, nullptr},    {"RQ9F", "FG900", {100, 200}, nullptr},
            {"RQ9G", "FG900", {200, 300}, nullptr},    {"RQ9H", "FG1156", {300, 400}, nullptr},
            {"RQ3A", "QN88", {4, 8}, nullptr},         {"RQ3B", "BG256", {8, 16}, "RQ4K-01"},
            {"RQ3C", "BG256", {16, 25}, nullptr},      {"RQ3D", "BG256", {16, 25}, nullptr},
            {"RQ3E", "BG324", {25, 40}, nullptr},      {"RQ3F", "BG324", {25, 40}, nullptr},
            {"RQ3G", "BG400", {40, 60}, nullptr},      {"RQ3H", "BG400", {60, 80}, nullptr},
            {"RQ6A", "FG256", {12, 25}, "RQ4K-09"},    {"RQ6B", "FG256", {25, 45}, nullptr},
            {"RQ6C", "FG484", {45, 85}, nullptr},      {"RQ6D", "FG484", {85, 150}, nullptr},
            {"RQ1A", "QN48", {1, 2}, nullptr},
    };
    QList<DeviceArg> devices;
    for (const SeriesEntry &entry : table) {
        const QString series = QString::fromLatin1(entry.series);
        const QString package = QString::fromLatin1(entry.package);
        for (int size : entry.sizes) {
            const QString device
                    = QStringLiteral("%1-%2").arg(series).arg(size, 2, 10, QLatin1Char('0'));
            devices.append(DeviceArg(series,
                                     device,
                                     QString(device).remove(QLatin1Char('-')) + QLatin1Char('-')
                                             + package));
        }
        if (entry.extraDevice) {
            const QString device = QString::fromLatin1(entry.extraDevice);
            devices.append(DeviceArg(series,
                                     device,
                                     QString(device).remove(QLatin1Char('-')) + QLatin1Char('-')
                                             + package));
        }
    }
    return devices;
}

} // namespace

QList<DeviceArg> DeviceCatalogue::devices()
{
    return buildCatalogue();
}

DeviceArg DeviceCatalogue::find(const QString &seriesSlashDevice)
{
    for (const DeviceArg &device : buildCatalogue()) {
        if (device.displayName() == seriesSlashDevice)
            return device;
    }
    return {};
}

DeviceArg DeviceCatalogue::findById(const QString &id)
{
    for (const DeviceArg &device : buildCatalogue()) {
        if (device.id() == id)
            return device;
    }
    return {};
}

} // namespace DEV
