// Reopens fuzzed configuration files in the generator dialog as the host
// does, and takes an accepted one through the accept flow up to synthesis:
// validation, the configuration, defines and table files.

#include "dialogdriver.h"
#include "fuzzapplication.h"
#include "inputfile.h"

#include <QDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static FuzzApplication application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const InputFile input(QStringLiteral("dds_ii.ipc"), data, size);
    IPDDSYN::dds2dlg dialog(DialogDriver::info());
    if (!dialog.setOpening(input.path(), QString()))
        return 0;
    if (dialog.checkInputData() && QDir().mkpath(input.filePath(QStringLiteral("temp/dds_ii"))))
        dialog.generateCoreFiles();
    return 0;
}
