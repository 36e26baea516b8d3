#include "verifycommand.h"

#include "baseipcoreinterface.h"
#include "batchjobrun.h"
#include "coreverifier.h"
#include "pluginregistry.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("VerifyCommand", text);
}

} // namespace

int runVerify(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            tr("Simulates the core delivered for CONFIG.ipc (the simulation model beside it) on "
               "the bench its plug-in describes, measures the SFDR and SNR of its record and "
               "compares the SFDR with the one the configuration asks for. Writes the spectrum "
               "to NAME_spectrum.png beside the configuration. Exits 0 when the core reaches "
               "the SFDR, 1 when not, 2 when it cannot be measured."));
    parser.addHelpOption();
    parser.addOption(PluginRegistry::pluginsOption());
    parser.addPositionalArgument(QStringLiteral("config"),
                                 tr("Configuration file of a generated core."),
                                 QStringLiteral("CONFIG.ipc"));
    if (const int code = parseConfigCommand(parser, args, "verify", out, err); code >= 0)
        return code;

    PluginRegistry registry;
    registry.loadForCommand(parser, err);
    CoreVerifier verifier(registry.verificationFinder());
    if (!runToEnd(verifier, parser.positionalArguments().constFirst(), "verify", err))
        return 2;
    const VerifyResult &result = verifier.result();
    err << tr("Spectrum: ") << result.pngPath << '\n';
    out << result.verdict << '\n';
    return result.pass ? 0 : 1;
}
