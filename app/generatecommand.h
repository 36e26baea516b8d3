#pragma once

#include <QStringList>
#include <QTextStream>

/// `ipgen generate`: generates a core without showing its dialog, from a
/// configuration file and/or options given on the command line.
int runGenerate(const QStringList &args, QTextStream &out, QTextStream &err);
