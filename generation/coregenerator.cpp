#include "coregenerator.h"

#include "aliasing.h"
#include "cossinlut.h"
#include "dds2logging.h"
#include "decode.h"
#include "definesbuilder.h"
#include "delivery.h"
#include "dialogrules.h"
#include "editormanager.h"
#include "errorbox.h"
#include "fileutils.h"
#include "generatefile.h"
#include "hostservices.h"
#include "ipcore.h"
#include "synthesishelper.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMessageBox>
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

bool CoreGenerator::writeCoreFiles(const CoreSettings &settings)
{
    writeConfigFile(settings);

    const QStringList moduleLines{moduleLine(settings.moduleName)};
    const DefinesSettings defines = definesSettings(settings);
    QStringList parameterLines = Generation::parameterLines(defines);
    const QString dir = settings.workingDirectory() + QLatin1Char('/');
    const bool hasTable = defines.configuration == Rules::PhaseGenAndLut
                          || defines.configuration == Rules::LutOnly;
    if (hasTable) {
        const TableWidths widths = tableWidths(parameterLines);
        if (widths.fault == TableWidths::Repeated) {
            showErrorBox(m_dialog, QStringLiteral("Rpeat define in defines."));
            return false;
        }
        if (widths.fault == TableWidths::Missing
            || !writeTableFile(dir, widths.W, widths.P, widths.T)) {
            showErrorBox(m_dialog, QStringLiteral("Failed to generate data file."));
            return false;
        }
    }
    parameterLines << fileNameLine(hasTable);

    return IPCore::generateFile(
                   dir + QLatin1String("top_define.vh"), moduleLines, m_dialog, QString())
           && IPCore::generateFile(dir + QLatin1String("dds_ii_top_defines.vh"),
                                   parameterLines,
                                   m_dialog,
                                   QString());
}

bool CoreGenerator::writeTableFile(const QString &dir, int W, int P, int T)
{
    qCDebug(lcDds2Table).noquote() << W << P << T;
    // The whole table is computed for the diagnostics only when they are on.
    if (lcDds2Table().isDebugEnabled()) {
        for (double entry : packedTable(W, P, T))
            qCDebug(lcDds2Table) << entry;
    }
    const QVector<quint64> words = cosSinLutWords(W, P, T);
    // A table of fewer than two entries has no word to write.
    if (words.isEmpty())
        return false;
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
    QString error;
    if (Utils::FileUtils::writeFile(dir + QLatin1String("/cos_sin_lut.dat"), text, error))
        return true;
    qWarning().noquote() << error;
    return false;
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
        error = QStringLiteral("Cannot create the folder \"%1\" for the core's RTL.")
                        .arg(plan.rtlDir);
        return false;
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

bool CoreGenerator::deliver(const CoreSettings &settings, int exitCode)
{
    QStringList details;
    if (exitCode != 0 && m_synthesis)
        details << m_synthesis->detailErrorMsgs();
    const QString out = settings.outputDirectory;
    const DeliveryPlan plan
            = deliveryPlan(settings.options.value(QStringLiteral("Synthesis_tool")).toString(),
                           settings.options.value(QStringLiteral("LANG")).toInt(),
                           out,
                           settings.fileName,
                           settings.dataDirectory);

    bool failed = exitCode != 0;
    if (!failed) {
        QString error;
        if (!Utils::FileUtils::copyFile(plan.netlistFrom, plan.netlistTo, error)
            || !Utils::FileUtils::copyFile(plan.templateFrom, plan.templateTo, error)) {
            details << error;
            failed = true;
        }
        if (!plan.vhoFrom.isEmpty() && QFile::exists(plan.vhoFrom)
            && !Utils::FileUtils::copyFile(plan.vhoFrom, plan.vhoTo, error)) {
            details << error;
            failed = true;
        }
        if (!failed && !deliverRtl(plan, error)) {
            details << error;
            failed = true;
        }
        if (!failed) {
            QString message;
            failed = IPCore::decode(out, plan.decodeNetlist, plan.voFile, message) != 0;
            details << message;
        }
    }

    if (m_synthesis)
        m_synthesis->hideProgressDlg();
    if (failed) {
        QString summary = m_synthesis ? m_synthesis->errorMsg() : QString();
        if (summary.isEmpty())
            summary = QStringLiteral("Core generation occur errors.");
        IPCore::showErrorMsgs(summary, details);
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
    // The dialog accepts such frequencies, but the user should know which
    // frequency the core really makes. A message box would fail a batch run.
    const QStringList aliases = aliasWarnings(definesSettings(settings));
    const Core::HostServices *services = Core::HostServices::current();
    if (!aliases.isEmpty() && services && services->isBatch()) {
        for (const QString &line : aliases)
            qWarning().noquote() << "warning:" << line;
    } else if (!aliases.isEmpty()) {
        QMessageBox::warning(m_dialog,
                             QStringLiteral("Output Frequency Aliased"),
                             QStringLiteral("The core was generated.\n\n%1")
                                     .arg(aliases.join(QLatin1Char('\n'))));
    }
    return true;
}

} // namespace Generation
} // namespace IPDDSYN
