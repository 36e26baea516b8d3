// Reopens fuzzed configuration files in the generator dialog as the host
// does, and takes an accepted one through the accept flow up to synthesis:
// validation, the configuration, defines and table files.

#include "dialogfixture.h"
#include "fuzzapplication.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static FuzzApplication application;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir dir;
    // A new file name for every input: the settings cache keys on the path.
    QFile file(dir.filePath(QStringLiteral("dds_ii.ipc")));
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the input to %s", qPrintable(dir.path()));
    file.close();

    IPDDSYN::dds2dlg dialog(dialogInfo());
    if (!dialog.setOpening(file.fileName(), QString()))
        return 0;
    if (dialog.checkInputData() && QDir().mkpath(dir.filePath(QStringLiteral("temp/dds_ii"))))
        dialog.generateCoreFiles();
    return 0;
}
