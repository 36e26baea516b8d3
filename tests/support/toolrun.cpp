#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

int runTool(const QString &program, const QStringList &args, const QString &dir, QString *output)
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

bool writeFile(const QString &path, const QByteArray &bytes, bool executable)
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

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString levelSensitiveProcess(const QString &verilog)
{
    static const QRegularExpression process(
            QStringLiteral("always\\s*@\\s*(\\*|\\((?!\\s*(posedge|negedge))[^)]*\\))"));
    return process.match(verilog).captured();
}
