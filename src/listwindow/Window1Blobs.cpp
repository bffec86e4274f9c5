#include "Window1Blobs.h"

#include "framework/Properties.h"

#include <cstdint>
#include <limits>

using namespace fw;

namespace {

constexpr std::int32_t kNoIndex = std::numeric_limits<std::int32_t>::min();
constexpr Color kWhite{0xFF, 0xFF, 0xFF};
constexpr Color kBlack{0x00, 0x00, 0x00};

} // namespace

const std::string& Window1Blob()
{
    static const std::string blob = MassPropertyString()
                                        .Int32("Placement", 0)
                                        .Int32("Width", 150)
                                        .Int32("Height", 200)
                                        .Int32("MinWidth", 64)
                                        .Int32("MinHeight", 64)
                                        .Int32("MaxWidth", 32000)
                                        .Int32("MaxHeight", 32000)
                                        .Int32("Frame", 7)
                                        .Boolean("Composite", false)
                                        .Boolean("HasBackColor", false)
                                        .ColorValue("BackColor", kWhite)
                                        .Text("Title", "Quillmere")
                                        .Boolean("Visible", true)
                                        .Boolean("FullScreen", false)
                                        .Boolean("MenuBarVisible", true)
                                        .Boolean("CloseButton", true)
                                        .Boolean("Resizeable", true)
                                        .Boolean("LiveResize", true)
                                        .Boolean("MaximizeButton", false)
                                        .Boolean("MinimizeButton", true)
                                        .Int32("MacProcID", 0)
                                        .Bytes();
    return blob;
}

const std::string& LB1Blob()
{
    static const std::string blob = MassPropertyString()
                                        .Text("Name", "LB1")
                                        .Int32("Index", kNoIndex)
                                        .Int32("Left", 0)
                                        .Int32("Top", 0)
                                        .Int32("Width", 150)
                                        .Int32("Height", 174)
                                        .Boolean("LockLeft", true)
                                        .Boolean("LockTop", true)
                                        .Boolean("LockRight", true)
                                        .Boolean("LockBottom", true)
                                        .Int32("TabPanelIndex", 0)
                                        .Int32("TabIndex", 0)
                                        .Boolean("TabStop", true)
                                        .Boolean("Visible", true)
                                        .Text("HelpTag", "")
                                        .Boolean("AutoDeactivate", true)
                                        .Boolean("Enabled", true)
                                        .Boolean("Border", true)
                                        .Int32("ColumnCount", 2)
                                        .Text("ColumnWidths", "")
                                        .Boolean("HasHeading", false)
                                        .Boolean("UseFocusRing", true)
                                        .Text("InitialValue", "")
                                        .Int32("HeadingIndex", -1)
                                        .Boolean("ScrollbarHorizontal", false)
                                        .Boolean("ScrollBarVertical", true)
                                        .Int32("GridLinesHorizontal", 0)
                                        .Int32("GridLinesVertical", 0)
                                        .Int32("DefaultRowHeight", -1)
                                        .Int32("_ScrollWidth", -1)
                                        .Int32("_ScrollOffset", 0)
                                        .Text("TextFont", "System")
                                        .Boolean("Bold", false)
                                        .Boolean("Italic", false)
                                        .Boolean("Underline", false)
                                        .Boolean("Hierarchical", true)
                                        .Boolean("EnableDrag", false)
                                        .Boolean("EnableDragReorder", false)
                                        .Boolean("RequiresSelection", false)
                                        .Int32("SelectionType", 0)
                                        .Boolean("ColumnsResizable", false)
                                        .Boolean("AutoHideScrollbars", true)
                                        .Text("DataSource", "")
                                        .Text("DataField", "")
                                        .Text("InitialParent", "")
                                        .Bytes();
    return blob;
}

const std::string& BevelButton1Blob()
{
    static const std::string blob = MassPropertyString()
                                        .Text("Name", "BevelButton1")
                                        .Int32("Index", kNoIndex)
                                        .Int32("Left", 5)
                                        .Int32("Top", 177)
                                        .Int32("Width", 140)
                                        .Int32("Height", 20)
                                        .Boolean("LockLeft", true)
                                        .Boolean("LockTop", false)
                                        .Boolean("LockRight", true)
                                        .Boolean("LockBottom", true)
                                        .Int32("TabPanelIndex", 0)
                                        .Int32("TabIndex", 1)
                                        .Boolean("TabStop", true)
                                        .Text("InitialParent", "")
                                        .Boolean("Visible", true)
                                        .Text("HelpTag", "")
                                        .Boolean("AutoDeactivate", true)
                                        .Boolean("Enabled", true)
                                        .Text("Caption", "スクリプトフォルダ選択")
                                        .Int32("CaptionAlign", 3)
                                        .Int32("CaptionPlacement", 1)
                                        .Int32("CaptionDelta", 0)
                                        .Int32("IconAlign", 0)
                                        .Int32("IconDX", 0)
                                        .Int32("IconDY", 0)
                                        .Int32("Bevel", 0)
                                        .Int32("HasMenu", 0)
                                        .Boolean("HasBackColor", false)
                                        .ColorValue("BackColor", kBlack)
                                        .ColorValue("TextColor", kBlack)
                                        .Boolean("Value", false)
                                        .Int32("MenuValue", 0)
                                        .Int32("ButtonType", 0)
                                        .Boolean("AcceptFocus", false)
                                        .Text("TextFont", "System")
                                        .Boolean("Bold", false)
                                        .Boolean("Italic", false)
                                        .Boolean("Underline", false)
                                        .Bytes();
    return blob;
}

const std::string& Timer1Blob()
{
    static const std::string blob = MassPropertyString().Int32("Mode", 2).Int32("Period", 1000).Bytes();
    return blob;
}
