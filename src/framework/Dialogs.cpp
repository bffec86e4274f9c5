#include "Dialogs.h"

#include "Application.h"
#include "FolderItem.h"
#include "Platform.h"

namespace fw {

void MsgBox(const String& text)
{
    // Nobody is to be kept waiting for an answer while the program ends.
    if (EndingRequested()) return;
    CurrentPlatform().ShowMessage(text);
}

const ClassRecord& FolderItemDialog::Lookup()
{
    static const ClassRecord record = [] {
        ClassRecord r = ClassRecord::Derive("FolderItemDialog", &Object::Lookup());
        r.Method("ShowModal");
        return r;
    }();
    return record;
}

const ClassRecord& SelectFolderDialog::Lookup()
{
    static const ClassRecord record = ConcreteClass<SelectFolderDialog>("SelectFolderDialog", &FolderItemDialog::Lookup());
    return record;
}

std::shared_ptr<FolderItem> FolderItemDialog::ShowModal()
{
    if (EndingRequested()) return nullptr;
    FolderDialogTexts texts{actionButtonCaption_, title_, promptText_,
                            initialDirectory_ ? initialDirectory_->AbsolutePath() : String()};
    std::optional<String> chosen = CurrentPlatform().ChooseFolder(texts);
    if (!chosen) return nullptr;
    return GetFolderItem(*chosen);
}

} // namespace fw
