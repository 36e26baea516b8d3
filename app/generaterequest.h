#pragma once

#include "devicearg.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace IPCore {
class BatchJob;
}

/// What `ipgen generate` is asked to do, read from its command line without
/// loading a plug-in or touching the output directory.
class GenerateRequest
{
    Q_DECLARE_TR_FUNCTIONS(GenerateRequest)

public:
    GenerateRequest();

    /// Reads `args` (program name first). False on a usage error; usageErrors() then says why.
    bool parse(const QStringList &args);
    QStringList usageErrors() const { return m_usage; }
    bool helpRequested() const;
    /// --keys: list the options instead of generating.
    bool keysRequested() const;
    QString helpText() const { return m_parser.helpText(); }
    /// The parser, for the options every command shares (--plugins).
    const QCommandLineParser &parser() const { return m_parser; }

    /// The configuration file of an existing instance, or empty for a new one.
    QString config() const { return m_config; }
    /// --core, or empty.
    QString coreId() const;
    /// The target device; invalid when --device was not given.
    DEV::DeviceArg device() const { return m_device; }
    /// The --set options in command-line order.
    QList<QPair<QString, QVariant>> settings() const { return m_settings; }
    /// Copies the header fields and the options into a batch job.
    void fillJob(IPCore::BatchJob &job) const;

private:
    QCommandLineParser m_parser;
    QString m_config;
    DEV::DeviceArg m_device;
    QList<QPair<QString, QVariant>> m_settings;
    QStringList m_usage;
};
