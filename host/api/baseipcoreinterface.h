#pragma once

#include "devicearg.h"
#include "hostexport.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace TE {
namespace TE_IPCore_Def {

/// One IP core offered by a plug-in: its catalogue answers and the entry
/// points that run its generator dialog.
class IPCORE_API_EXPORT BaseIPCoreInterface
{
public:
    virtual ~BaseIPCoreInterface();

    /// Runs the generator dialog for a new instance in output directory `dir`.
    virtual void createCore(const QString &dir, const DEV::DeviceArg &device) = 0;
    /// Runs the generator dialog for the instance stored in `configPath`;
    /// `deviceOverride` ("SERIES/DEVICE") replaces the stored device when not empty.
    virtual void openCore(const QString &configPath, const QString &deviceOverride) = 0;
    virtual bool loadSpec() = 0;
    virtual QString version() = 0;
    virtual QString id() = 0;
    virtual QString name() = 0;
    virtual QStringList category() = 0;
    virtual QString summary() = 0;
    virtual bool supportsDevice(const DEV::DeviceArg &device) = 0;

    /// Generates a new instance without user interaction: the dialog is built
    /// as for createCore, the options are applied as a user would enter them
    /// (in the order of `optionOrder`), and OK is pressed. False with
    /// `errors` filled when anything failed.
    virtual bool createByTcl(const QString &dir,
                             const DEV::DeviceArg &device,
                             const QList<QPair<QString, QVariant>> &options,
                             QStringList &errors);
    /// The same for an existing instance stored in `configPath`.
    virtual bool openByTcl(const QString &configPath,
                           const QString &deviceOverride,
                           const QList<QPair<QString, QVariant>> &options,
                           QStringList &errors);
    /// The options a scripted run may set, with a short description each.
    virtual QMap<QString, QVariant> getOptionMap();
    /// The catalogue answers as one map ("ipcore.id", "ipcore.name", ...).
    virtual QMap<QString, QVariant> getIpinfoMap();
};

} // namespace TE_IPCore_Def
} // namespace TE
