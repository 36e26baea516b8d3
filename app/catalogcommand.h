#pragma once

#include <QStringList>
#include <QTextStream>

/// `ipgen list`: every core of every plug-in, with device support when asked.
int runList(const QStringList &args, QTextStream &out, QTextStream &err);

/// `ipgen devices`: the device catalogue.
int runDevices(const QStringList &args, QTextStream &out, QTextStream &err);
