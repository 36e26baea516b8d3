#pragma once

#include <QStringList>
#include <QTextStream>

/// `ipgen create`: runs a core's generator dialog for a new instance.
int runCreate(const QStringList &args, QTextStream &out, QTextStream &err);

/// `ipgen open`: runs a core's generator dialog on an existing configuration file.
int runOpen(const QStringList &args, QTextStream &out, QTextStream &err);
