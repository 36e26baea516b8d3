#include "environmentvariable.h"

#include <QtGlobal>

EnvironmentVariable::EnvironmentVariable(const char *name, const QByteArray &value)
    : m_name(name)
    , m_old(qgetenv(name))
    , m_had(qEnvironmentVariableIsSet(name))
{
    if (!value.isNull())
        qputenv(name, value);
}

EnvironmentVariable::~EnvironmentVariable()
{
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}
