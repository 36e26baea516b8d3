#include "estimatecommand.h"

#include "baseipcoreinterface.h"
#include "batchjobrun.h"
#include "coreestimator.h"
#include "pluginregistry.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("EstimateCommand", text);
}

} // namespace

int runEstimate(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            tr("Synthesizes the readable core delivered for CONFIG.ipc, as its plug-in names "
               "the sources, with Yosys synth_ice40, places and routes it with nextpnr-ice40 on "
               "a reference part and prints its logic cells, RAM blocks, DSPs and Fmax against "
               "the configuration's clock. The part is only a reference for the estimate. "
               "Exits 0 when Fmax meets the clock, 1 when not, 2 when it cannot be "
               "estimated."));
    parser.addHelpOption();
    parser.addOption(PluginRegistry::pluginsOption());
    parser.addPositionalArgument(QStringLiteral("config"),
                                 tr("Configuration file of a generated core."),
                                 QStringLiteral("CONFIG.ipc"));
    const QString parts = CoreEstimator::parts().join(tr(" or "));
    const QCommandLineOption part(QStringLiteral("part"),
                                  tr("Reference part: %1 (default hx8k).").arg(parts),
                                  QStringLiteral("PART"),
                                  QStringLiteral("hx8k"));
    parser.addOption(part);
    if (const int code = parseConfigCommand(parser, args, "estimate", out, err); code >= 0)
        return code;

    PluginRegistry registry;
    CoreEstimator estimator(registry.verificationFinder());
    if (!estimator.setPart(parser.value(part))) {
        err << "ipgen estimate: "
            << tr("--part takes %1, not \"%2\".").arg(parts, parser.value(part)) << '\n';
        return 2;
    }
    registry.loadForCommand(parser, err);
    if (!runToEnd(estimator, parser.positionalArguments().constFirst(), "estimate", err))
        return 2;
    out << estimator.result().text << '\n';
    return estimator.result().meets ? 0 : 1;
}
