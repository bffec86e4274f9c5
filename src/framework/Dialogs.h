#pragma once

// Modal interactions: a message, and choosing a folder.

#include "Runtime.h"
#include "Text.h"

#include <memory>

namespace fw {

class FolderItem;

// Shows the text in a modal message box; returns when the user dismissed it.
// While the program is asked to end, modal dialogs return at once, as
// dismissed or cancelled.
void MsgBox(const String& text);

class FolderItemDialog : public Object {
public:
    static const ClassRecord& Lookup();

    String ActionButtonCaption() const { return actionButtonCaption_; }
    void SetActionButtonCaption(const String& v) { actionButtonCaption_ = v; }
    String CancelButtonCaption() const { return cancelButtonCaption_; }
    void SetCancelButtonCaption(const String& v) { cancelButtonCaption_ = v; }
    String Title() const { return title_; }
    void SetTitle(const String& v) { title_ = v; }
    String PromptText() const { return promptText_; }
    void SetPromptText(const String& v) { promptText_ = v; }
    std::shared_ptr<FolderItem> InitialDirectory() const { return initialDirectory_; }
    void SetInitialDirectory(std::shared_ptr<FolderItem> v) { initialDirectory_ = std::move(v); }

    // Modal; the chosen item, or nil when the user cancelled.
    virtual std::shared_ptr<FolderItem> ShowModal();

private:
    String actionButtonCaption_, cancelButtonCaption_, title_, promptText_;
    std::shared_ptr<FolderItem> initialDirectory_;
};

class SelectFolderDialog : public FolderItemDialog {
public:
    static const ClassRecord& Lookup();
};

} // namespace fw
