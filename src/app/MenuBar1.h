#pragma once

#include "framework/MenuItem.h"

#include <memory>

// The one menu bar, shared by the application and the window.
class MenuBar1 : public fw::MenuBar {
public:
    static const fw::ClassRecord& Lookup();
    using fw::MenuItem::Lookup;

    void Constructor() override;
    virtual void Untitled0();  // the File menu
    virtual void Untitled1();  // the Edit menu

    // The single instance, made by the first call of the accessor.
    static std::shared_ptr<MenuBar1> _implicitInstance;
    // The variable's exit routine: drops the instance.
    static void ExitImplicitInstance();

    struct Entry;  // one row of the menu table

private:
    void Build(const Entry& entry);
};

// The accessor: the shared menu bar, built on the first call. (It has the
// class's name; the type is spelt `class MenuBar1` where the function hides it.)
std::shared_ptr<class MenuBar1> MenuBar1();
