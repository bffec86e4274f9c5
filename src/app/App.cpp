#include "App.h"

using namespace fw;

const ClassRecord& App::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("App", &Application::Lookup());
        r.Method("Constructor", "()", {{"__Scope", "Public"}});
        r.attributes = {{"__Scope", "Public"}};
        r.create = Factory<App>();
        return r;
    }();
    return record;
}

void App::Constructor() {}
