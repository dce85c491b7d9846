#include "testdir.h"

#include <QDir>

namespace vandrel::test {

TestDir::TestDir()
{
    hadWinDir_ = qEnvironmentVariableIsSet("VANDREL_WINDIR");
    previousWinDir_ = qgetenv("VANDREL_WINDIR");
    qputenv("VANDREL_WINDIR", QFile::encodeName(dir_.path()));
}

TestDir::~TestDir()
{
    if (hadWinDir_)
        qputenv("VANDREL_WINDIR", previousWinDir_);
    else
        qunsetenv("VANDREL_WINDIR");
}

QString TestDir::path() const { return QDir::toNativeSeparators(dir_.path()) + QDir::separator(); }
QString TestDir::file(const QString& name) const { return path() + name; }

} // namespace vandrel::test
