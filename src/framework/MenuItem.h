#pragma once

// Menus: a tree of entries under a menu bar. An entry whose text is "-"
// shows as a separator line. Entries are looked up by their Name.

#include "Runtime.h"
#include "Text.h"

#include <memory>
#include <vector>

namespace fw {

class MenuItem;
using MenuItemRef = std::shared_ptr<MenuItem>;

class MenuItem : public Object {
public:
    static const ClassRecord& Lookup();

    virtual void Constructor() {}

    String Name() const { return name_; }
    void SetName(const String& v) { name_ = v; }
    String Text() const { return text_; }
    void SetText(const String& v) { text_ = v; }
    bool IsSeparator() const { return text_ == "-"; }
    // In the framework's notation: "Cmd+Q" is the command key with Q.
    String KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const String& v) { shortcut_ = v; }
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool v) { autoEnable_ = v; }

    // The entry becomes the last one of this menu (or the last menu of a bar).
    void Append(const MenuItemRef& entry);
    std::int32_t Count() const { return std::int32_t(children_.size()); }
    MenuItemRef Item(std::int32_t index) const;  // from 0; nil outside
    // The entry of that name directly below this one, or nil.
    MenuItemRef Child(const String& name) const;
    // The entry of that name anywhere below this one, or nil.
    MenuItemRef Lookup(const String& name) const;

    // The user chose the entry: raises Action; the default does nothing.
    void Choose();
    virtual bool Event_Action() { return false; }

private:
    String name_, text_, shortcut_;
    bool autoEnable_ = true;
    std::vector<MenuItemRef> children_;
};

// The quit entry: its own action ends the application.
class QuitMenuItem : public MenuItem {
public:
    static const ClassRecord& Lookup();
    using MenuItem::Lookup;
    bool Event_Action() override;
};

class MenuBar : public MenuItem {
public:
    static const ClassRecord& Lookup();
    using MenuItem::Lookup;
};

using MenuBarRef = std::shared_ptr<MenuBar>;

} // namespace fw
