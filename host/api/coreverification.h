#pragma once

#include "estimatesources.h"
#include "verificationbench.h"

#include <QString>
#include <QtPlugin>

namespace IPCore {

/// What a plug-in may offer beside its cores so that the host can check a
/// delivered instance: a simulation bench whose spectrum is measured and the
/// sources a cost estimate synthesizes. The host finds it with qobject_cast
/// on the plug-in's root object; a plug-in without it offers neither.
class CoreVerification
{
public:
    virtual ~CoreVerification() = default;

    /// Checks the instance stored in `ipcPath`, writes the bench's files into
    /// `scratchDir` and describes how to run it and read its record.
    virtual bool prepareBench(const QString &ipcPath,
                              const QString &scratchDir,
                              VerificationBench &bench,
                              QString &error) const = 0;
    /// The sources delivered for the instance stored in `ipcPath`.
    virtual bool
    estimateSources(const QString &ipcPath, EstimateSources &sources, QString &error) const = 0;
};

} // namespace IPCore

#define CoreVerification_iid "com.veltoware.plugins.CoreVerification/1.0"
Q_DECLARE_INTERFACE(IPCore::CoreVerification, CoreVerification_iid)
