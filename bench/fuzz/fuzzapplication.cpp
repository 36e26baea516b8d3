#include "fuzzapplication.h"

#include "messageboxanswerer.h"

#include <QtGlobal>

#include <cstdio>

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // A fatal message ends the run, and the fuzzer should say why.
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

FuzzApplication::FuzzApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropMessage);
    m_app = std::make_unique<QApplication>(m_argc, m_argv);
    m_answerer = std::make_unique<IPCore::MessageBoxAnswerer>();
}

FuzzApplication::~FuzzApplication() = default;
