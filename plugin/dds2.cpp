#include "dds2.h"

#include "dds2dlg.h"
#include "ipcore.h"
#include "viewmanager.h"

namespace IPDDSYN {

DDS2::DDS2(const QString &pluginDir)
    : m_pluginDir(pluginDir)
{}

DDS2::~DDS2() = default;

void DDS2::createCore(const QString &dir, const DEV::DeviceArg &device)
{
    dds2dlg dialog(m_info, Core::ViewManager::dialogParent());
    dialog.setCreating(dir, device);
    dialog.exec();
}

void DDS2::openCore(const QString &configPath, const QString &deviceOverride)
{
    dds2dlg dialog(m_info, Core::ViewManager::dialogParent());
    if (dialog.setOpening(configPath, deviceOverride))
        dialog.exec();
}

bool DDS2::loadSpec()
{
    m_info = IPCore::processIPInfoSpec(m_pluginDir + QStringLiteral("/dds2.ipspec"));
    if (!IPCore::checkCommonInfo(m_info))
        return false;
    m_info.insert(QStringLiteral("ipcore.dir.data"), m_pluginDir + QStringLiteral("/data"));
    return true;
}

QString DDS2::version()
{
    return m_info.value(QStringLiteral("ipcore.version")).toString();
}

QString DDS2::id()
{
    return m_info.value(QStringLiteral("ipcore.id")).toString();
}

QString DDS2::name()
{
    return m_info.value(QStringLiteral("ipcore.name")).toString();
}

QStringList DDS2::category()
{
    return m_info.value(QStringLiteral("ipcore.category")).toStringList();
}

QString DDS2::summary()
{
    return m_info.value(QStringLiteral("ipcore.doc.summary")).toString();
}

bool DDS2::supportsDevice(const DEV::DeviceArg &device)
{
    return IPCore::isSupported(
            device,
            m_info.value(QStringLiteral("ipcore.device.unsupported")).toStringList(),
            m_info.value(QStringLiteral("ipcore.device.supported")).toStringList());
}

} // namespace IPDDSYN
