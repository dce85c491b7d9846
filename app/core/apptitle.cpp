#include "app/core/apptitle.h"

namespace vandrel {

namespace {
QString& title()
{
    static QString current = AppTitle::programTitle;
    return current;
}
} // namespace

QString AppTitle::current() { return title(); }
void AppTitle::set(const QString& t) { title() = t; }

AppTitle::Scope::Scope(const QString& t) : previous_(title()) { title() = t; }
AppTitle::Scope::~Scope() { title() = previous_; }

} // namespace vandrel
