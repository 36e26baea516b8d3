#pragma once

#include "coresettings.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace IPCore {
class SynthesisHelper;
}

namespace IPDDSYN {
namespace Generation {

/// Everything after OK, from a settings snapshot: the configuration, table
/// and defines files, the synthesis run, and the delivery of its results
/// into the output directory. It reports failures; the dialog shows them.
class CoreGenerator : public QObject
{
    Q_OBJECT
public:
    /// (path, lines) of a text file to write, the lines without their line feeds.
    using TextFile = QPair<QString, QStringList>;

    /// `dialog` parents the synthesis runner and its progress window.
    explicit CoreGenerator(QWidget *dialog);

    /// Writes <file>.ipc first, so that it exists whatever fails later, then
    /// cos_sin_lut.dat when the core has a table, and gives the two defines
    /// files in the order they are to be written.
    static bool
    writeCoreFiles(const CoreSettings &settings, QList<TextFile> &defines, QString &error);
    /// Writes cos_sin_lut.dat into `dir` for output width W, phase width P, truncation T.
    static bool writeTableFile(const QString &dir, int W, int P, int T, QString &error);
    /// Starts synthesizing the files written for `settings` and returns at
    /// once; synthesisFinished reports the end of the run.
    void startSynthesis(const CoreSettings &settings);
    /// Copies the results of the run for `settings` into the output
    /// directory, derives the simulation model, opens the results and adds
    /// them to the project. False with the summary in `error` and the
    /// collected tool and copy messages in `details`.
    bool deliver(const CoreSettings &settings, int exitCode, QString &error, QStringList &details);

signals:
    void synthesisFinished(int exitCode);

private:
    static void writeConfigFile(const CoreSettings &settings);

    QWidget *m_dialog;
    IPCore::SynthesisHelper *m_synthesis = nullptr;
};

} // namespace Generation
} // namespace IPDDSYN
