// Sets an environment variable for a test's lifetime and puts the previous
// state back afterwards.
#pragma once

#include <QByteArray>
#include <QtGlobal>

class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_previous(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { m_wasSet ? qputenv(m_name, m_previous) : qunsetenv(m_name); }
    Q_DISABLE_COPY(ScopedEnvironment)

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_previous;
};
