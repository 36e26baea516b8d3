#pragma once

#include "coreconfig.h"
#include "processstep.h"
#include "recordplan.h"
#include "spectrumplot.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QTemporaryDir;

/// What one verification found.
struct VerifyResult
{
    bool ok = false; // measured; otherwise `error` says why not
    QString error;
    double sfdrDb = 0;
    double snrDb = 0;
    double requestedDb = 0;
    bool pass = false;
    int length = 0; // samples in the record
    QString pngPath;
    QString verdict; // one line for the user
    SpectrumPlot plot;
};

/// Simulates the delivered core of a configuration file (the Verilog model
/// NAME.vo with Icarus Verilog, or for a VHDL instance NAME.vho with GHDL),
/// measures the spectrum of channel 0 and holds it against the SFDR the
/// configuration asked for; writes the plot beside the configuration. Runs
/// the simulator as child processes without blocking; `finished` always
/// comes, from the event loop, after `start`.
class CoreVerifier : public QObject
{
    Q_OBJECT

public:
    explicit CoreVerifier(QObject *parent = nullptr);
    ~CoreVerifier() override;

    void start(const QString &ipcPath);
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void progress(const QString &message);
    void finished(const VerifyResult &result);

private:
    struct Step
    {
        QString program;
        QStringList args;
        QString what;
    };

    bool prepare(const QString &ipcPath, QString *error);
    /// The Verilog bench, or the VHDL one made from the template at `templatePath`.
    bool prepareBench(const QString &templatePath, QString *error);
    void runNextStep(const QString &lastOutput);
    void onStepFinished(IPCore::ProcessStep::Outcome outcome, int exitCode);
    void evaluate(const QString &simulatorOutput);
    void fail(const QString &error);
    void finish(const VerifyResult &result);

    bool m_running = false;
    IPCore::ProcessStep m_runner;
    QVector<Step> m_steps;
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_name;
    QString m_model; // file name of the simulated model
    QString m_pngPath;
    double m_requested = 0;
    double m_clockMHz = 0;
    DdsRtl::CoreConfig m_config;
    DdsRtl::RecordPlan m_plan;
};
