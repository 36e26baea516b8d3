#pragma once

#include <QStringList>
#include <QTextStream>

/// `ipgen verify`: simulates a delivered core and checks its spectrum
/// against the SFDR its configuration asked for.
int runVerify(const QStringList &args, QTextStream &out, QTextStream &err);
