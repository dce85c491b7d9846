#pragma once

#include <QString>

namespace vandrel {

// The application title: the default title of every message. Routines that can show
// messages while they run (LoadSettings, SaveSettings, Conv2Word) put their own name
// there with a Scope and the previous title comes back when the scope ends.
class AppTitle {
public:
    static inline const QString programTitle = QStringLiteral("Vandrel Catalogus");

    static QString current();
    static void set(const QString& title);

    class Scope {
    public:
        explicit Scope(const QString& title);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        QString previous_;
    };
};

} // namespace vandrel
