#include "channeltablecheck.h"

#include "dialogrules.h"
#include "errorreport.h"

#include <QCoreApplication>

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

bool checkRows(const ChannelTable &table,
               RangeCheck check,
               double frequencyLimit,
               double phaseLimit,
               QString &error)
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
                return IPCore::fail(error,
                                    QCoreApplication::translate("IPDDSYN::Generation",
                                                                "There is empty data in the %1 "
                                                                "line.")
                                            .arg(i + 1));
            if (!check(text, column.limit))
                return IPCore::fail(error,
                                    QCoreApplication::translate("IPDDSYN::Generation",
                                                                "There is an error in the %1 "
                                                                "line of %2.")
                                            .arg(i + 1)
                                            .arg(column.heading));
        }
    }
    return true;
}

} // namespace

bool checkChannelTable(const ChannelTable &table, QString &error)
{
    if (table.parameterSelection == Rules::SystemParameters)
        return checkRows(table, belowLimit, table.systemClock / table.channels, 1.0, error);
    if (table.parameterSelection == Rules::HardwareParameters) {
        const double limit = std::pow(2.0, table.phaseWidth) - 1;
        return checkRows(table, hexUpToLimit, limit, limit, error);
    }
    return true;
}

} // namespace Generation
} // namespace IPDDSYN
