#pragma once

#include "estimatereport.h"
#include "processstep.h"

#include <QObject>
#include <QString>

#include <memory>

class QTemporaryDir;

/// What one estimate found.
struct EstimateResult
{
    bool ok = false; // estimated; otherwise `error` says why not
    QString error;
    EstimateFigures figures;
    bool meets = false;
    QString text; // the lines for the user
};

/// Estimates the cost of the readable core delivered beside a configuration
/// (NAME_rtl/): synthesizes it with Yosys for iCE40, places and routes it
/// with nextpnr-ice40 on a reference part and holds Fmax against the
/// configuration's System Clock. Runs the tools as child processes without
/// blocking; `finished` always comes, from the event loop, after `start`.
class CoreEstimator : public QObject
{
    Q_OBJECT

public:
    explicit CoreEstimator(QObject *parent = nullptr);
    ~CoreEstimator() override;

    /// The reference parts, by the name `start` takes.
    static QStringList parts();
    void start(const QString &ipcPath, const QString &part = QStringLiteral("hx8k"));
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void progress(const QString &message);
    void finished(const EstimateResult &result);

private:
    bool prepare(const QString &ipcPath, const QString &part, QString *error);
    void onStepFinished(IPCore::ProcessStep::Outcome outcome, int exitCode);
    void placeAndRoute();
    void evaluate();
    void fail(const QString &error);
    void finish(const EstimateResult &result);

    bool m_running = false;
    IPCore::ProcessStep m_runner;
    bool m_placing = false; // the step running is place and route
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_name;
    QString m_rtlDir;
    QString m_top;
    QStringList m_partArgs;
    QString m_partLabel;
    double m_clockMHz = 0;
};
