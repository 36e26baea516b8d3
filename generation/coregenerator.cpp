#include "coregenerator.h"

#include "cossinlut.h"
#include "dds2logging.h"
#include "decode.h"
#include "definesbuilder.h"
#include "delivery.h"
#include "dialogrules.h"
#include "editormanager.h"
#include "errorreport.h"
#include "fileutils.h"
#include "ipcore.h"
#include "synthesishelper.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QWidget>

#include <charconv>

namespace IPDDSYN {
namespace Generation {

CoreGenerator::CoreGenerator(QWidget *dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{}

void CoreGenerator::writeConfigFile(const CoreSettings &settings)
{
    const QMap<QString, QVariant> header{
            {QStringLiteral("target_device"), settings.device.id()},
            {QStringLiteral("type"), settings.coreId},
            {QStringLiteral("version"), QStringLiteral("1.0")},
            {QStringLiteral("file"), settings.fileName},
            {QStringLiteral("module"), settings.moduleName},
    };
    IPCore::writeIPConfig(settings.outputDirectory + QLatin1Char('/') + settings.fileName
                                  + QLatin1String(".ipc"),
                          header,
                          settings.options);
}

bool CoreGenerator::writeCoreFiles(const CoreSettings &settings,
                                   QList<TextFile> &defines,
                                   QString &error)
{
    writeConfigFile(settings);

    const DefinesSettings definesSettings = Generation::definesSettings(settings);
    QStringList parameterLines = Generation::parameterLines(definesSettings);
    const QString dir = settings.workingDirectory() + QLatin1Char('/');
    const bool hasTable = definesSettings.configuration == Rules::PhaseGenAndLut
                          || definesSettings.configuration == Rules::LutOnly;
    if (hasTable) {
        const TableWidths widths = tableWidths(parameterLines);
        if (widths.fault == TableWidths::Repeated)
            return IPCore::fail(error, tr("Rpeat define in defines."));
        if (widths.fault == TableWidths::Missing)
            return IPCore::fail(error, tr("Failed to generate data file."));
        if (!writeTableFile(dir, widths.W, widths.P, widths.T, error)) {
            // The message the user sees is fixed; the reason goes to the log.
            qWarning().noquote() << error;
            return IPCore::fail(error, tr("Failed to generate data file."));
        }
    }
    parameterLines << fileNameLine(hasTable);

    defines = {{dir + QLatin1String("top_define.vh"), {moduleLine(settings.moduleName)}},
               {dir + QLatin1String("dds_ii_top_defines.vh"), parameterLines}};
    return true;
}

bool CoreGenerator::writeTableFile(const QString &dir, int W, int P, int T, QString &error)
{
    qCDebug(lcDds2Table).noquote() << W << P << T;
    // The whole table is computed for the diagnostics only when they are on.
    if (lcDds2Table().isDebugEnabled()) {
        for (double entry : packedTable(W, P, T))
            qCDebug(lcDds2Table) << entry;
    }
    const QVector<quint64> words = cosSinLutWords(W, P, T);
    if (words.isEmpty())
        return IPCore::fail(
                error,
                tr("A table of output width %1 and truncation %2 has no entries.").arg(W).arg(T));
    // std::to_chars rather than QByteArray::number: ten times faster on
    // the deepest table. Lower case, no leading zeros; a word has 2W bits.
    const int lineLength = (2 * W + 3) / 4 + 1;
    QByteArray text(words.size() * lineLength, Qt::Uninitialized);
    char *end = text.data();
    for (int j = 0; j < words.size(); ++j) {
        if (j + 1 < words.size())
            qCDebug(lcDds2Table) << words.at(j);
        end = std::to_chars(end, end + lineLength, words.at(j), 16).ptr;
        *end++ = '\n';
    }
    text.truncate(int(end - text.data()));
    return Utils::FileUtils::writeFile(dir + QLatin1String("/cos_sin_lut.dat"), text, error);
}

void CoreGenerator::startSynthesis(const CoreSettings &settings)
{
    // One runner per dialog and one connection, so every run reports once.
    // The runner's progress window belongs to the dialog.
    if (!m_synthesis) {
        m_synthesis = new IPCore::SynthesisHelper(m_dialog);
        connect(m_synthesis,
                &IPCore::SynthesisHelper::finished,
                this,
                &CoreGenerator::synthesisFinished);
    }
    const QString tool = settings.options.value(QStringLiteral("Synthesis_tool")).toString();
    if (tool == QLatin1String("VeltoSynthesis"))
        m_synthesis->setSynthesizeTool(IPCore::SynthesisHelper::VeltoSynthesis);
    else if (tool == QLatin1String("Synplify Pro"))
        m_synthesis->setSynthesizeTool(IPCore::SynthesisHelper::SynplifyPro);

    const IPCore::SynthesizeArgs args
            = synthesisArgs(settings.outputDirectory,
                            settings.coreId,
                            settings.fileName,
                            settings.device,
                            settings.dataDirectory,
                            settings.options.value(QStringLiteral("Disable_IO_Insertion")).toBool(),
                            settings.options.value(QStringLiteral("LANG")).toInt() == 1);
    m_synthesis->setProgressDlgWindowTitle(settings.coreLabel);
    m_synthesis->showProgressDlg();
    m_synthesis->setArgs(args);
    m_synthesis->start();
}

// The readable core beside the netlist; a configuration without a table has no table file.
static bool deliverRtl(const DeliveryPlan &plan, QString &error)
{
    if (!QDir().mkpath(plan.rtlDir)) {
        return IPCore::fail(error,
                            CoreGenerator::tr("Cannot create the folder \"%1\" for the core's RTL.")
                                    .arg(plan.rtlDir));
    }
    for (int i = 0; i < plan.rtlFrom.size(); ++i) {
        const bool table = plan.rtlFrom.at(i).endsWith(QLatin1String(".dat"));
        if (table && !QFile::exists(plan.rtlFrom.at(i))) {
            QFile::remove(plan.rtlTo.at(i)); // an earlier configuration's table does not belong
            continue;
        }
        if (!Utils::FileUtils::copyFile(plan.rtlFrom.at(i), plan.rtlTo.at(i), error))
            return false;
    }
    return true;
}

bool CoreGenerator::deliver(const CoreSettings &settings,
                            int exitCode,
                            QString &error,
                            QStringList &details)
{
    if (exitCode != 0 && m_synthesis)
        details << m_synthesis->detailErrorMsgs();
    const QString out = settings.outputDirectory;
    const DeliveryPlan plan
            = deliveryPlan(settings.options.value(QStringLiteral("Synthesis_tool")).toString(),
                           settings.options.value(QStringLiteral("LANG")).toInt(),
                           out,
                           settings.coreId,
                           settings.fileName,
                           settings.dataDirectory);

    bool failed = exitCode != 0;
    if (!failed) {
        QString reason;
        if (!Utils::FileUtils::copyFile(plan.netlistFrom, plan.netlistTo, reason)
            || !Utils::FileUtils::copyFile(plan.templateFrom, plan.templateTo, reason)) {
            details << reason;
            failed = true;
        }
        if (!plan.vhoFrom.isEmpty() && QFile::exists(plan.vhoFrom)
            && !Utils::FileUtils::copyFile(plan.vhoFrom, plan.vhoTo, reason)) {
            details << reason;
            failed = true;
        }
        if (!failed && !deliverRtl(plan, reason)) {
            details << reason;
            failed = true;
        }
        if (!failed) {
            failed = IPCore::decode(out, plan.decodeNetlist, plan.voFile, reason) != 0;
            details << reason;
        }
    }

    if (m_synthesis)
        m_synthesis->hideProgressDlg();
    if (failed) {
        error = m_synthesis ? m_synthesis->errorMsg() : QString();
        if (error.isEmpty())
            error = tr("Core generation occur errors.");
        return false;
    }
    for (const QString &path : plan.opened)
        Core::EditorManager::openEditor(path, false);
    QStringList added;
    for (const QString &path : plan.added) {
        if (QFile::exists(path))
            added << path;
    }
    IPCore::addFilesToProject(added);
    return true;
}

} // namespace Generation
} // namespace IPDDSYN
