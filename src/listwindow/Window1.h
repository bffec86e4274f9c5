#pragma once

#include "framework/BevelButton.h"
#include "framework/FolderItem.h"
#include "framework/Listbox.h"
#include "framework/MenuItem.h"
#include "framework/Timer.h"
#include "framework/Window.h"

#include <cstdint>
#include <memory>

// The program's one window: the script list, the folder button and the
// once-a-second front-application timer.
class Window1 : public fw::Window {
public:
    static const fw::ClassRecord& Lookup();
    ~Window1() override;

    // Members in the order of the class's method table.
    virtual void Layout();
    virtual void CreateControls();
    virtual void CreateControls0();
    virtual fw::ListboxRef LB1();
    virtual fw::BevelButtonRef BevelButton1();
    virtual fw::TimerRef Timer1();
    virtual void LB1_ExpandRow(const fw::ListboxRef& list, std::int32_t row);
    virtual void LB1_CollapseRow(const fw::ListboxRef& list, std::int32_t row);
    virtual void LB1_DoubleClick(const fw::ListboxRef& list);
    virtual void BevelButton1_Action(const fw::BevelButtonRef& button);
    virtual void Timer1_Action(const fw::TimerRef& timer);
    virtual fw::MenuItemRef EditMenu();
    virtual fw::MenuItemRef EditSelectAll();
    virtual fw::MenuItemRef UntitledMenu0();
    virtual fw::MenuItemRef EditClear();
    virtual fw::MenuItemRef EditPaste();
    virtual fw::MenuItemRef EditCopy();
    virtual fw::MenuItemRef EditCut();
    virtual fw::MenuItemRef UntitledMenu1();
    virtual fw::MenuItemRef EditUndo();
    virtual fw::MenuItemRef FileMenu();
    virtual std::shared_ptr<fw::QuitMenuItem> FileQuit();
    virtual void Event_Open();
    virtual void Event_Close();
    virtual void setLB1();
    virtual void my_msgbox(const fw::String& message);
    virtual void AI_ACCTIVE();
    virtual void goscript(const fw::FolderItemRef& file, const fw::String& name);

    // The preferences file, the listed folder (nil while none is known) and
    // Illustrator's version text.
    fw::FolderItemRef gMyPref;
    fw::FolderItemRef gMyScriptFolder;
    fw::String gAiver;

private:
    fw::MenuItemRef MenuEntry(const char* name);
    static bool HoldsLineBreak(const fw::String& path);
    fw::String FolderLine() const;

    // Line 5 of the preferences file as read, and whether a close writes it
    // back so: a saved folder absent for one run (an unplugged disk) stays
    // saved until the user chooses another.
    fw::String folderLineRead_;
    bool keepFolderLine_ = false;
};

// The accessor: the single window, created by the first call. Inside the
// class's own members it is spelt ::Window1(), as the class name hides it.
std::shared_ptr<class Window1> Window1();
