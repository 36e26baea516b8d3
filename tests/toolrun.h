#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

/// Runs a tool in `dir`; its exit code (-1 when it crashed or hung), with
/// standard output and error merged into `output`.
inline int runTool(const QString &program,
                   const QStringList &args,
                   const QString &dir,
                   QString *output = nullptr)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(240000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

/// Writes a file, making its folder; `executable` for stand-in tools.
inline bool writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable
           || file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup
                                  | QFile::ExeOther);
}

inline QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

/// The first process in a Verilog text that waits for a change of its inputs
/// rather than a clock edge, empty when there is none: one whose inputs are
/// constant from time zero may never run, depending on the simulator.
inline QString levelSensitiveProcess(const QString &verilog)
{
    static const QRegularExpression process(
            QStringLiteral("always\\s*@\\s*(\\*|\\((?!\\s*(posedge|negedge))[^)]*\\))"));
    return process.match(verilog).captured();
}
