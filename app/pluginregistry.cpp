#include "pluginregistry.h"

#include "baseipcoreinterface.h"
#include "coreverification.h"
#include "ipplugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QJsonObject>
#include <QLibrary>
#include <QSettings>

PluginRegistry::~PluginRegistry()
{
    // Descriptors first: their code lives in the libraries.
    m_cores.clear();
    for (auto &loader : m_loaders) {
        delete loader->instance();
    }
}

QString PluginRegistry::defaultPluginDir()
{
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins"))
            .absolutePath();
}

QCommandLineOption PluginRegistry::pluginsOption()
{
    return {QStringLiteral("plugins"), tr("Load plug-ins from <dir>."), QStringLiteral("dir")};
}

void PluginRegistry::loadForCommand(const QCommandLineParser &parser, QTextStream &err)
{
    const QString option = QStringLiteral("plugins");
    loadFrom(parser.isSet(option) ? parser.value(option) : defaultPluginDir());
    for (const QString &problem : qAsConst(m_problems))
        err << "ipgen: " << problem << '\n';
}

void PluginRegistry::loadFrom(const QString &pluginDir)
{
    const QDir dir(pluginDir);
    if (!dir.exists()) {
        m_problems << tr("Plug-in folder \"%1\" does not exist.").arg(dir.absolutePath());
        return;
    }
    QStringList libraries;
    QDirIterator it(dir.absolutePath(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QLibrary::isLibrary(path))
            libraries << path;
    }
    libraries.sort();
    for (const QString &path : libraries)
        loadLibrary(path);
}

void PluginRegistry::loadLibrary(const QString &path)
{
    auto loader = std::make_unique<QPluginLoader>(QFileInfo(path).absoluteFilePath());
    const QString iid = loader->metaData().value(QStringLiteral("IID")).toString();
    if (iid.isEmpty()) {
        m_problems << tr("\"%1\" is not a plug-in: %2").arg(path, loader->errorString());
        return;
    }
    QObject *instance = loader->instance();
    if (!instance) {
        m_problems << tr("\"%1\" could not be loaded: %2").arg(path, loader->errorString());
        return;
    }
    auto *plugin = qobject_cast<TE::TE_IPCore_Def::IPPlugin *>(instance);
    if (!plugin) {
        m_problems << tr("\"%1\" is not an IP core plug-in: its interface id is \"%2\" and it does "
                         "not implement \"%3\".")
                              .arg(path, iid, QStringLiteral(IPPlugin_iid));
        delete instance;
        loader->unload();
        return;
    }
    const QString pluginDir = QFileInfo(path).absolutePath();
    plugin->setPluginDir(pluginDir);
    const QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> provided = plugin->interfaces();
    if (provided.isEmpty()) {
        const QStringList specs
                = QDir(pluginDir).entryList({QStringLiteral("*.ipspec")}, QDir::Files);
        const QString why
                = specs.isEmpty()
                          ? tr("there is no spec file (*.ipspec) in \"%1\"").arg(pluginDir)
                          : tr("check its spec file %1: it is unreadable or lacks ipcore.id, "
                               "ipcore.name or ipcore.version")
                                    .arg(QStringLiteral("\"%1/%2\"")
                                                 .arg(pluginDir, specs.join(QLatin1String(", "))));
        m_problems << tr("\"%1\" provides no core: %2.").arg(path, why);
    }
    for (auto *core : provided) {
        m_pluginOfCore.insert(core->id(), instance);
        m_cores.emplace_back(core);
    }
    m_loaders.push_back(std::move(loader));
}

QString PluginRegistry::configurationCoreId(const QString &configPath) const
{
    // A file that names no core is taken for the default one.
    return QSettings(configPath, QSettings::IniFormat)
            .value(QStringLiteral("type"), defaultCoreId())
            .toString();
}

QString PluginRegistry::defaultCoreId() const
{
    return m_cores.size() == 1 ? m_cores.front()->id() : QString();
}

const IPCore::CoreVerification *PluginRegistry::verification(const QString &configPath,
                                                             QString &error) const
{
    const QString type
            = QSettings(configPath, QSettings::IniFormat).value(QStringLiteral("type")).toString();
    QObject *plugin = m_pluginOfCore.value(type);
    if (!plugin) {
        error = type.isEmpty() ? tr("%1 names no core (no \"type\"): it is not a configuration "
                                    "file that a generation wrote.")
                                         .arg(configPath)
                               : tr("%1 is a configuration of core \"%2\", which no plug-in "
                                    "provides; 'ipgen list' lists the cores.")
                                         .arg(configPath, type);
        return nullptr;
    }
    const auto *verification = qobject_cast<IPCore::CoreVerification *>(plugin);
    if (!verification)
        error = tr("The plug-in of core \"%1\" offers no verification or estimate of its "
                   "instances.")
                        .arg(type);
    return verification;
}

QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> PluginRegistry::cores() const
{
    QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> list;
    for (const auto &core : m_cores)
        list << core.get();
    return list;
}

TE::TE_IPCore_Def::BaseIPCoreInterface *PluginRegistry::core(const QString &id) const
{
    for (const auto &core : m_cores) {
        if (core->id() == id)
            return core.get();
    }
    return nullptr;
}

ToolJob::Finder PluginRegistry::verificationFinder() const
{
    return [this](const QString &configPath, QString &error) {
        return verification(configPath, error);
    };
}
