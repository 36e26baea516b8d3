#pragma once

#include <QString>
#include <QTextStream>

class ToolJob;

/// Runs `job` on the configuration file `ipcPath` to its end for the batch
/// command `command`: its progress and, when it fails, its error go to
/// `err`. True when it succeeded.
bool runToEnd(ToolJob &job, const QString &ipcPath, const char *command, QTextStream &err);
