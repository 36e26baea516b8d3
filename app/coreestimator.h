#pragma once

#include "estimatereport.h"
#include "tooljob.h"

#include <QString>

#include <memory>

class QTemporaryDir;

/// What one estimate found.
struct EstimateResult
{
    EstimateFigures figures;
    bool meets = false;
    QString text; // the lines for the user
};

/// Estimates the cost of the readable core delivered beside a configuration,
/// as its plug-in names the sources: synthesizes it with Yosys for iCE40,
/// places and routes it with nextpnr-ice40 on a reference part and holds
/// Fmax against the clock the configuration asks for.
class CoreEstimator : public ToolJob
{
    Q_OBJECT

public:
    explicit CoreEstimator(const Finder &finder, QObject *parent = nullptr);
    ~CoreEstimator() override;

    /// The reference parts, by the name setPart takes.
    static QStringList parts();
    /// The reference part of the next start; false for an unknown one.
    bool setPart(const QString &part);
    /// The last run's findings, when errorString() is empty.
    const EstimateResult &result() const { return m_result; }

private:
    bool prepare(const QString &ipcPath, QVector<Step> &steps, QString &error) override;
    bool evaluate(const QString &lastOutput, QString &error) override;
    QString explainFailure(const QString &failure) const override;
    void reset() override;

    std::unique_ptr<QTemporaryDir> m_work;
    QString m_name;
    int m_part = 0;
    double m_clockMHz = 0;
    EstimateResult m_result;
};
