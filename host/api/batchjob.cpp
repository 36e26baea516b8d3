#include "batchjob.h"

#include "newestappchild.h"

namespace IPCore {

BatchJob::BatchJob(QObject *parent)
    : QObject(parent)
{}

BatchJob::~BatchJob() = default;

BatchJob *BatchJob::current()
{
    return newestAppChild<BatchJob>();
}

} // namespace IPCore
