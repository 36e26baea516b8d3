#pragma once

#include "hostexport.h"

#include <QList>
#include <QObject>
#include <QString>

namespace TE {
namespace TE_IPCore_Def {

class BaseIPCoreInterface;

/// Base of a plug-in's package object. The host stores the plug-in directory
/// in it before it asks for the IP core interfaces.
class IPCORE_API_EXPORT IPPlugin : public QObject
{
    Q_OBJECT
public:
    explicit IPPlugin(QObject *parent = nullptr);
    ~IPPlugin() override;

    /// The directory the plug-in library was loaded from, without a trailing separator.
    QString pluginDir() const { return m_pluginDir; }
    void setPluginDir(const QString &dir);

    /// A new list of descriptors on every call; the caller owns them.
    virtual QList<BaseIPCoreInterface *> interfaces() = 0;

private:
    QString m_pluginDir;
};

} // namespace TE_IPCore_Def
} // namespace TE

#define IPPlugin_iid "com.veltoware.plugins.IPPlugin/1.0"
Q_DECLARE_INTERFACE(TE::TE_IPCore_Def::IPPlugin, IPPlugin_iid)
