#pragma once

#include <QString>
#include <QTextStream>

class QCommandLineParser;
class QStringList;
class ToolJob;

/// Runs `job` on the configuration file `ipcPath` to its end for the batch
/// command `command`: its progress and, when it fails, its error go to
/// `err`. True when it succeeded.
bool runToEnd(ToolJob &job, const QString &ipcPath, const char *command, QTextStream &err);

/// Parses the arguments of the batch command `command`, which takes one
/// configuration file. -1 when the run may go on, else the exit code: 0
/// after printing the help to `out`, 2 after a usage error on `err`.
int parseConfigCommand(QCommandLineParser &parser,
                       const QStringList &args,
                       const char *command,
                       QTextStream &out,
                       QTextStream &err);
