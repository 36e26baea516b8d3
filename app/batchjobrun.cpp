#include "batchjobrun.h"

#include "tooljob.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QEventLoop>

bool runToEnd(ToolJob &job, const QString &ipcPath, const char *command, QTextStream &err)
{
    QEventLoop loop;
    QObject::connect(&job, &ToolJob::progress, &loop, [&err](const QString &message) {
        err << message << "...\n";
        err.flush();
    });
    QObject::connect(&job, &ToolJob::finished, &loop, &QEventLoop::quit);
    job.start(ipcPath);
    loop.exec();
    if (job.errorString().isEmpty())
        return true;
    err << "ipgen " << command << ": " << job.errorString() << '\n';
    return false;
}

int parseConfigCommand(QCommandLineParser &parser,
                       const QStringList &args,
                       const char *command,
                       QTextStream &out,
                       QTextStream &err)
{
    if (!parser.parse(args)) {
        err << "ipgen " << command << ": " << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    if (parser.positionalArguments().size() != 1) {
        err << "ipgen " << command << ": "
            << QCoreApplication::translate(
                       "ipgen", "give one configuration file, e.g. 'ipgen %1 out/NAME.ipc'.")
                        .arg(QLatin1String(command))
            << '\n';
        return 2;
    }
    return -1;
}
