#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace pomiro::testing {

// Sets an environment variable while alive (a null value unsets it); the old value comes back
// after. The print tests point TMPDIR, where spool files go, at a folder of their own.
class Environment
{
public:
    Environment(const char *name, const QByteArray &value) : m_name(name), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~Environment()
    {
        if (m_old.isNull())
            qunsetenv(m_name);
        else
            qputenv(m_name, m_old);
    }
    Environment(const Environment &) = delete;
    Environment &operator=(const Environment &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
};

} // namespace pomiro::testing
