#include "channeltablecheck.h"

#include "dialogrules.h"

#include <cmath>

namespace IPDDSYN {
namespace Generation {

namespace {

// Whether an entry text is inside the column's range.
using RangeCheck = bool (*)(const QString &text, double limit);

bool belowLimit(const QString &text, double limit)
{
    const double value = text.toDouble();
    return value >= 0 && value < limit;
}

bool hexUpToLimit(const QString &text, double limit)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 16);
    return ok && double(value) <= limit;
}

ChannelTableFault
checkRows(const ChannelTable &table, RangeCheck check, double frequencyLimit, double phaseLimit)
{
    struct Column
    {
        bool enabled;
        const QStringList &entries;
        double limit;
        const QString &heading;
    };
    const Column columns[] = {
            {table.frequenciesEnabled, table.frequencies, frequencyLimit, table.frequencyHeading},
            {table.phasesEnabled, table.phases, phaseLimit, table.phaseHeading},
    };
    for (int i = 0; i < table.channels; ++i) {
        for (const Column &column : columns) {
            if (!column.enabled)
                continue;
            const QString text = column.entries.value(i);
            if (text.isEmpty())
                return {ChannelTableFault::Empty, i + 1, {}};
            if (!check(text, column.limit))
                return {ChannelTableFault::OutOfRange, i + 1, column.heading};
        }
    }
    return {};
}

} // namespace

QString ChannelTableFault::message() const
{
    switch (kind) {
    case Empty:
        return QStringLiteral("There is empty data in the %1 line.").arg(row);
    case OutOfRange:
        return QStringLiteral("There is an error in the %1 line of %2.").arg(row).arg(heading);
    case None:
        break;
    }
    return {};
}

ChannelTableFault channelTableFault(const ChannelTable &table)
{
    if (table.parameterSelection == Rules::SystemParameters)
        return checkRows(table, belowLimit, table.systemClock / table.channels, 1.0);
    if (table.parameterSelection == Rules::HardwareParameters) {
        const double limit = std::pow(2.0, table.phaseWidth) - 1;
        return checkRows(table, hexUpToLimit, limit, limit);
    }
    return {};
}

} // namespace Generation
} // namespace IPDDSYN
