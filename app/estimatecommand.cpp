#include "estimatecommand.h"

#include "coreestimator.h"

#include <QCommandLineParser>
#include <QEventLoop>

int runEstimate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Synthesizes the readable core delivered for CONFIG.ipc (NAME_rtl/ "
                           "beside it) with Yosys synth_ice40, places and routes it with "
                           "nextpnr-ice40 on a reference part and prints its logic cells, RAM "
                           "blocks, DSPs and Fmax against the configuration's System Clock. The "
                           "part is only a reference for the estimate. Exits 0 when Fmax meets "
                           "the System Clock, 1 when not, 2 when it cannot be estimated."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("config"),
                                 QStringLiteral("Configuration file of a generated core."),
                                 QStringLiteral("CONFIG.ipc"));
    const QCommandLineOption part(QStringLiteral("part"),
                                  QStringLiteral("Reference part: %1 (default hx8k).")
                                          .arg(CoreEstimator::parts().join(QStringLiteral(" or "))),
                                  QStringLiteral("PART"),
                                  QStringLiteral("hx8k"));
    parser.addOption(part);
    if (!parser.parse(args)) {
        err << "ipgen estimate: " << parser.errorText() << '\n';
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText();
        return 0;
    }
    if (parser.positionalArguments().size() != 1) {
        err << "ipgen estimate: give one configuration file, e.g. 'ipgen estimate "
               "out/dds_ii.ipc'.\n";
        return 2;
    }
    if (!CoreEstimator::parts().contains(parser.value(part))) {
        err << "ipgen estimate: --part takes "
            << CoreEstimator::parts().join(QStringLiteral(" or ")) << ", not \""
            << parser.value(part) << "\".\n";
        return 2;
    }

    CoreEstimator estimator;
    EstimateResult result;
    QEventLoop loop;
    QObject::connect(&estimator, &CoreEstimator::progress, [&err](const QString &message) {
        err << message << "...\n";
        err.flush();
    });
    QObject::connect(&estimator, &CoreEstimator::finished, [&](const EstimateResult &r) {
        result = r;
        loop.quit();
    });
    estimator.start(parser.positionalArguments().constFirst(), parser.value(part));
    loop.exec();
    if (!result.ok) {
        err << "ipgen estimate: " << result.error << '\n';
        return 2;
    }
    out << result.text << '\n';
    return result.meets ? 0 : 1;
}
