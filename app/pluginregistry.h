#pragma once

#include "tooljob.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QPluginLoader>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <vector>

namespace TE {
namespace TE_IPCore_Def {
class BaseIPCoreInterface;
}
} // namespace TE

namespace IPCore {
class CoreVerification;
}

/// Loads every plug-in below a folder and keeps the cores they provide. A
/// library that is no IP core plug-in, or provides no core, is reported in
/// problems() and skipped.
class PluginRegistry
{
    Q_DECLARE_TR_FUNCTIONS(PluginRegistry)

public:
    PluginRegistry() = default;
    ~PluginRegistry();
    PluginRegistry(const PluginRegistry &) = delete;
    PluginRegistry &operator=(const PluginRegistry &) = delete;

    /// The default plug-in folder: ../plugins beside the executable.
    static QString defaultPluginDir();

    void loadFrom(const QString &pluginDir);

    /// The --plugins option every command offers.
    static QCommandLineOption pluginsOption();
    /// Loads from the folder --plugins names, or the default one, and
    /// reports every problem on `err`.
    void loadForCommand(const QCommandLineParser &parser, QTextStream &err);

    /// The id of the core a configuration file (.ipc) names, else the default core's.
    QString configurationCoreId(const QString &configPath) const;
    /// The core taken when none is named: the only one the plug-ins provide;
    /// empty when there are several or none.
    QString defaultCoreId() const;
    /// The verification the plug-in of a configuration's core offers;
    /// nullptr, with `error` set, when the core or its verification is missing.
    const IPCore::CoreVerification *verification(const QString &configPath, QString &error) const;
    /// verification() for a job; the registry must outlive it.
    ToolJob::Finder verificationFinder() const;

    QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> cores() const;
    /// The core with this identifier, or nullptr.
    TE::TE_IPCore_Def::BaseIPCoreInterface *core(const QString &id) const;
    QStringList problems() const { return m_problems; }

private:
    void loadLibrary(const QString &path);

    std::vector<std::unique_ptr<QPluginLoader>> m_loaders;
    std::vector<std::unique_ptr<TE::TE_IPCore_Def::BaseIPCoreInterface>> m_cores;
    QStringList m_problems;
    QHash<QString, QObject *> m_pluginOfCore; // core id -> the plug-in's root object
};
