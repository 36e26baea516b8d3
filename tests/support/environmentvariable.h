#pragma once

#include <QByteArray>

/// Sets an environment variable for the lifetime of the object; a null value leaves it as it is.
class EnvironmentVariable
{
public:
    EnvironmentVariable(const char *name, const QByteArray &value);
    ~EnvironmentVariable();

private:
    const char *m_name;
    QByteArray m_old;
    bool m_had;
};
