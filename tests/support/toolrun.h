#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// Runs a tool in `dir`; its exit code (-1 when it crashed or hung), with
/// standard output and error merged into `output`.
int runTool(const QString &program,
            const QStringList &args,
            const QString &dir,
            QString *output = nullptr);

/// Writes a file, making its folder; `executable` for stand-in tools.
bool writeFile(const QString &path, const QByteArray &bytes, bool executable = false);

QString readFile(const QString &path);

/// The first process in a Verilog text that waits for a change of its inputs
/// rather than a clock edge, empty when there is none: one whose inputs are
/// constant from time zero may never run, depending on the simulator.
QString levelSensitiveProcess(const QString &verilog);
