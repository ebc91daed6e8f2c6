// Sets or clears an environment variable for a test's lifetime and puts the
// previous state back afterwards.
#pragma once

#include <QByteArray>
#include <QtGlobal>

class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QByteArray &value, bool set = true)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_previous(qgetenv(name))
    {
        if (set)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_previous;
};
