#pragma once

#include "spectrumplot.h"
#include "tooljob.h"
#include "verificationbench.h"

#include <QString>

#include <memory>

class QTemporaryDir;

/// What one verification found.
struct VerifyResult
{
    bool pass = false; // the SFDR asked for is reached
    QString pngPath;
    QString verdict; // one line for the user
    SpectrumPlot plot;
};

/// Simulates the delivered core of a configuration file on the bench its
/// plug-in describes, measures the spectrum of the record and holds it
/// against the SFDR the configuration asked for; writes the plot beside the
/// configuration.
class CoreVerifier : public ToolJob
{
    Q_OBJECT

public:
    explicit CoreVerifier(const Finder &finder, QObject *parent = nullptr);
    ~CoreVerifier() override;

    /// The last run's findings, when errorString() is empty.
    const VerifyResult &result() const { return m_result; }

private:
    bool prepare(const QString &ipcPath, QVector<Step> &steps, QString &error) override;
    bool evaluate(const QString &lastOutput, QString &error) override;
    void reset() override;

    std::unique_ptr<QTemporaryDir> m_work;
    IPCore::VerificationBench m_bench;
    QString m_pngPath;
    double m_requested = 0;
    VerifyResult m_result;
};
