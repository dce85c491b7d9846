#pragma once

#include <QString>
#include <QTemporaryDir>

namespace vandrel::test {

// A fresh temporary folder that also serves as the Windows directory for the test's
// lifetime ($VANDREL_WINDIR), so no test touches the user's own settings.
class TestDir {
public:
    TestDir();
    ~TestDir();
    // The folder, ending in the native separator.
    QString path() const;
    QString file(const QString& name) const;
    bool isValid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
    QByteArray previousWinDir_;
    bool hadWinDir_ = false;
};

} // namespace vandrel::test
