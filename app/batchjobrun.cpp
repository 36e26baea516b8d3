#include "batchjobrun.h"

#include "tooljob.h"

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
