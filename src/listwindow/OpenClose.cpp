#include "Window1.h"

#include "bridge/ScriptCalls.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Numbers.h"
#include "framework/Variant.h"

using namespace fw;

namespace {

// Where each Illustrator release keeps its scripts, by a text that its
// version contains; tried in this order.
struct DefaultScriptsFolder {
    const char* versionText;
    const char* levels[4];
};

const DefaultScriptsFolder kDefaultScriptsFolders[] = {
    {"14", {"Applications", "Adobe Illustrator CS4", "Presets.localized", "Scripts.localized"}},
    {"13", {"Applications", "Adobe Illustrator CS3", "Presets.localized", "Scripts.localized"}},
    {"12", {"Applications", "Adobe Illustrator CS2", "Presets.localized", "Scripts.localized"}},
    {"11", {"Applications", "Adobe Illustrator CS", "Presets.localized", "Scripts.localized"}},
    {"10", {"Applications", "Adobe Illustrator 10.0.3", "プリセット", "スクリプト"}},
};

std::int32_t ReadNumber(const TextInputStreamRef& stream)
{
    return RuntimeCvtReal64ToSInt32(Val(stream->ReadLine()));
}

// Such a file is the user's to mend: a save would put the design-time bounds
// and no folder in its place, for good. A folder is no such file: no save can
// replace it, and the save says so.
bool ExistsButCannotBeRead(const FolderItemRef& file)
{
    return file->Exists() && !file->Directory() && !file->OpenAsTextFile();
}

} // namespace

void Window1::Event_Open()
{
    // 1. Illustrator's version; none when it cannot be asked.
    try {
        gAiver = getAiVer(CreateArray(1, kElementVariant, -1));
    } catch (const ScriptCallException&) {
        gAiver = "";
    }

    // 2. The preferences file item. It is needed whether or not the file
    // exists yet: the first close creates the file.
    FolderItemRef preferences = SpecialFolder::Preferences();
    gMyPref = preferences ? preferences->NewChild("fennic.pref") : nullptr;

    // 3. The default scripts folder, walked from the first volume.
    for (const DefaultScriptsFolder& row : kDefaultScriptsFolders) {
        if (InStr(0, gAiver, row.versionText) <= 0) continue;
        FolderItemRef item = Volume(0);
        for (int level = 0; level < 3 && item; ++level) item = item->Child(row.levels[level]);
        if (item) gMyScriptFolder = item->Child(row.levels[3]);
        break;
    }

    // 4. The saved bounds and folder, each bound applied as soon as it is read.
    if (gMyPref && gMyPref->Exists()) {
        TextInputStreamRef stream = gMyPref->OpenAsTextFile();
        if (stream) {
            NotNil(::Window1())->SetLeft(ReadNumber(stream));
            NotNil(::Window1())->SetTop(ReadNumber(stream));
            NotNil(::Window1())->SetWidth(ReadNumber(stream));
            NotNil(::Window1())->SetHeight(ReadNumber(stream));
            String folderPath = stream->ReadLine();
            stream->Close();
            folderLineRead_ = folderPath;
            if (!StringEquals(folderPath, "")) {
                FolderItemRef saved = GetFolderItem(folderPath, 0);
                if (saved) gMyScriptFolder = saved;
                else keepFolderLine_ = true;
            }
        }
    }

    // 5. The list.
    setLB1();
}

bool Window1::HoldsLineBreak(const String& path)
{
    return InStr(0, path, "\n") > 0 || InStr(0, path, "\r") > 0;
}

// A path that one line cannot hold leaves the former line as well.
String Window1::FolderLine() const
{
    if (keepFolderLine_) return folderLineRead_;
    String path = gMyScriptFolder ? gMyScriptFolder->AbsolutePath() : String();
    return HoldsLineBreak(path) ? folderLineRead_ : path;
}

void Window1::Event_Close()
{
    if (gMyPref && !ExistsButCannotBeRead(gMyPref)) {
        TextOutputStreamRef stream = gMyPref->CreateTextFile();
        gMyPref->SetMacType("pref");
        if (stream) {
            stream->WriteLine(Str(NotNil(::Window1())->Left(), ""));
            stream->WriteLine(Str(NotNil(::Window1())->Top(), ""));
            stream->WriteLine(Str(NotNil(::Window1())->Width(), ""));
            stream->WriteLine(Str(NotNil(::Window1())->Height(), ""));
            stream->WriteLine(FolderLine());
            stream->Close();
        }
    }
    Quit(0);
}
