#include "Window1.h"

#include "bridge/ScriptCalls.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Variant.h"

using namespace fw;

namespace {

VariantArrayRef NoArguments()
{
    return CreateArray(1, kElementVariant, -1);
}

} // namespace

void Window1::BevelButton1_Action(const BevelButtonRef&)
{
    try {
        auto dialog = RuntimeCheckCastAs<SelectFolderDialog>(New(SelectFolderDialog::Lookup()),
                                                             SelectFolderDialog::Lookup());
        try {
            acctivemyapp(NoArguments());
        } catch (const ScriptCallException&) {
            // Not in front: the dialog is still wanted.
        }
        NotNil(dialog)->SetActionButtonCaption("選択");
        dialog->SetTitle("スクリプトフォルダ指定");
        dialog->SetPromptText("スクリプトフォルダを選択してください。");
        NotNil(::Window1())->SetVisible(false);
        FolderItemRef chosen = dialog->ShowModal();
        NotNil(::Window1())->SetVisible(true);
        AI_ACCTIVE();
        if (chosen && HoldsLineBreak(chosen->AbsolutePath())) {
            // One line of the preferences file could not hold it.
            my_msgbox("改行を含むフォルダは選択できません。");
        } else if (chosen) {
            gMyScriptFolder = chosen;
            keepFolderLine_ = false;
            setLB1();
        }
    } catch (...) {
    }
}

// The window accompanies Illustrator: shown while Illustrator or the program
// itself is in front, hidden otherwise.
void Window1::Timer1_Action(const TimerRef&)
{
    String front;
    try {
        front = frontAppli(NoArguments());
    } catch (const ScriptCallException&) {
        // Not knowing who is in front is no reason to hide the window for good.
        return;
    }
    if (StringEquals(front, "Illustrator"))
        NotNil(::Window1())->SetVisible(true);
    else if (StringEquals(front, "Quillmere"))
        NotNil(::Window1())->SetVisible(true);
    else
        NotNil(::Window1())->SetVisible(false);
}
