#pragma once

#include "coresettings.h"

#include <QObject>

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
/// into the output directory. Each failure has been told to the user over
/// the dialog when a call returns false.
class CoreGenerator : public QObject
{
    Q_OBJECT
public:
    /// `dialog` parents the error boxes, the synthesis runner and its progress window.
    explicit CoreGenerator(QWidget *dialog);

    /// Writes <file>.ipc first, so that it exists whatever fails later, then
    /// cos_sin_lut.dat when the core has a table, then the two defines files.
    bool writeCoreFiles(const CoreSettings &settings);
    /// Writes cos_sin_lut.dat into `dir` for output width W, phase width P, truncation T.
    static bool writeTableFile(const QString &dir, int W, int P, int T);
    /// Starts synthesizing the files written for `settings` and returns at
    /// once; synthesisFinished reports the end of the run.
    void startSynthesis(const CoreSettings &settings);
    /// Copies the results of the run for `settings` into the output
    /// directory, derives the simulation model, opens the results and adds
    /// them to the project.
    bool deliver(const CoreSettings &settings, int exitCode);

signals:
    void synthesisFinished(int exitCode);

private:
    void writeConfigFile(const CoreSettings &settings);

    QWidget *m_dialog;
    IPCore::SynthesisHelper *m_synthesis = nullptr;
};

} // namespace Generation
} // namespace IPDDSYN
