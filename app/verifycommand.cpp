#include "verifycommand.h"

#include "coreverifier.h"

#include <QCommandLineParser>
#include <QEventLoop>

int runVerify(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Simulates the core delivered for CONFIG.ipc (the simulation model "
                           "beside it) with Icarus Verilog, measures the SFDR and SNR of channel "
                           "0 and compares the SFDR with the one the configuration asks for. "
                           "Writes the spectrum to NAME_spectrum.png beside the configuration. "
                           "Exits 0 when the core reaches the SFDR, 1 when not, 2 when it "
                           "cannot be measured."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("config"),
                                 QStringLiteral("Configuration file of a generated core."),
                                 QStringLiteral("CONFIG.ipc"));
    if (!parser.parse(args)) {
        err << "ipgen verify: " << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    if (parser.positionalArguments().size() != 1) {
        err << "ipgen verify: give one configuration file, e.g. 'ipgen verify out/dds_ii.ipc'.\n";
        return 2;
    }

    CoreVerifier verifier;
    VerifyResult result;
    QEventLoop loop;
    QObject::connect(&verifier, &CoreVerifier::progress, [&err](const QString &message) {
        err << message << "...\n";
        err.flush();
    });
    QObject::connect(&verifier, &CoreVerifier::finished, [&](const VerifyResult &r) {
        result = r;
        loop.quit();
    });
    verifier.start(parser.positionalArguments().constFirst());
    loop.exec();
    if (!result.ok) {
        err << "ipgen verify: " << result.error << '\n';
        return 2;
    }
    err << "Spectrum: " << result.pngPath << '\n';
    out << result.verdict << '\n';
    return result.pass ? 0 : 1;
}
