#pragma once

#include <QStringList>
#include <QTextStream>

/// `ipgen estimate`: the resources and Fmax of a delivered core on a
/// reference part, against the System Clock its configuration asks for.
int runEstimate(const QStringList &args, QTextStream &out, QTextStream &err);
