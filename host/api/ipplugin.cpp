#include "ipplugin.h"

namespace TE {
namespace TE_IPCore_Def {

IPPlugin::IPPlugin(QObject *parent)
    : QObject(parent)
{}

IPPlugin::~IPPlugin() = default;

void IPPlugin::setPluginDir(const QString &dir)
{
    m_pluginDir = dir;
    while (m_pluginDir.size() > 1 && m_pluginDir.endsWith(QLatin1Char('/')))
        m_pluginDir.chop(1);
}

} // namespace TE_IPCore_Def
} // namespace TE
