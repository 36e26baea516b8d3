// Runs fuzzed `ipgen generate` command lines (one argument a line) through
// the option parsing and applies the header fields and --set options to the
// dialog as the batch run does, stopping before OK is pressed.

#include "batchjob.h"
#include "dialogdriver.h"
#include "fuzzapplication.h"
#include "generaterequest.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static FuzzApplication application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    GenerateRequest request;
    if (!request.parse(QStringList{QStringLiteral("ipgen")} + text.split(QLatin1Char('\n')))
        || request.helpRequested())
        return 0;
    IPCore::BatchJob job;
    request.fillJob(job);
    IPDDSYN::dds2dlg dialog(DialogDriver::info());
    if (request.config().isEmpty())
        dialog.setCreating(job.outputDirectory, request.device());
    else if (!dialog.setOpening(request.config(),
                                request.device().isValid() ? request.device().displayName()
                                                           : QString()))
        return 0;
    QStringList errors;
    dialog.applyBatchJob(job, errors);
    return 0;
}
