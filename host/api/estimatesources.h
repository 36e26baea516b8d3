#pragma once

#include <QString>
#include <QStringList>

namespace IPCore {

/// The readable sources of a delivered core, as a synthesis for a cost
/// estimate reads them.
struct EstimateSources
{
    QString name;        // the instance's name
    QString folder;      // where the sources lie and the synthesis runs
    QStringList files;   // Verilog files in `folder`
    QString top;         // the top module
    double clockMHz = 0; // the clock the core must reach
};

} // namespace IPCore
