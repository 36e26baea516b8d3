#include "batchjob.h"

#include <QCoreApplication>

namespace IPCore {

BatchJob::BatchJob(QObject *parent)
    : QObject(parent)
{}

BatchJob::~BatchJob() = default;

BatchJob *BatchJob::current()
{
    if (!QCoreApplication::instance())
        return nullptr;
    const QObjectList &children = QCoreApplication::instance()->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (auto *job = qobject_cast<BatchJob *>(*it))
            return job;
    }
    return nullptr;
}

} // namespace IPCore
