#pragma once

// The modal dialogs of the Qt platform.

#include "framework/Platform.h"

#include <optional>

namespace fw::qt {

// A message box with an OK button, titled with the application's name.
void ShowMessageBox(const String& text);

// A folder dialog with the caption on its action button, the title and the
// prompt shown above the files; the chosen folder's absolute path, or
// nothing when cancelled.
std::optional<String> ChooseFolderModal(const FolderDialogTexts& texts);

// Closes every modal dialog that is open, as if the user had cancelled it.
void DismissModalDialogs();

} // namespace fw::qt
