#pragma once

// The rules of the template's table for a panel of FS2000 and later: one row per [WindowNN],
// [VcockpitNN] and MSFS [VPaintingNN] section in file order, what each cell shows, and which
// line a typed value changes. Rules that only FS98 has (nine windows, a continuous list) do not
// apply; bad values get the FS98 template's messages.

#include "panel/core/fs2k/panel.h"
#include "panel/core/fs2k/variant.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::fs2k {

enum class Column {
    Title,
    Bitmap, // file=, or Background_color= for a window that has it and no file=, or
            // texture= for a virtual cockpit or painting (file= when it has that and no
            // texture=)
    SizeW,  // size_mm=w[,h]
    SizeH,
    Ratio, // window_size_ratio= (also windowsize_ratio=)
    Position,
    Visible,
    Ident,
    WindowPos,       // window_pos=x,y
    WindowSize,      // window_size=w[,h]
    PixelSize,       // pixel_size=w,h: the texture's resolution
    BackgroundColor, // background_color=r,g,b
    Instruments,     // how many gauge lines of every kind the section holds; not typed into
};
inline constexpr int kColumnCount = 13;

// What a cell shows: the value as written, empty where the key is not set (and for the
// title of a virtual cockpit, which has none).
std::string cellText(const Panel& panel, const Window& window, Column column);

// The change of the lines a typed cell asks for.
struct CellEdit {
    enum class Kind { None, SetKey, RemoveKey, SetTitle, Refuse };
    Kind kind = Kind::None;
    std::string key;     // SetKey, RemoveKey
    std::string value;   // SetKey, SetTitle
    std::string message; // Refuse: shown, and the cell shows the line's value again
};

// Whether a cell can be typed into: a title only for a [WindowNN] section, never the
// count of instruments.
bool isEditable(const Window& window, Column column);

// An empty cell removes its key (emptying w removes the whole size_mm=); a title is set as
// typed. Sizes must be numbers above 0 and within placeRange, the ratio a number not below
// 0, the position a whole number 0..8, visible 0 or 1, window_pos and window_size numbers
// separated by commas, the pixel size two whole numbers above 0, the background colour three
// whole numbers 0..255; every number written as FS reads it (isPlainFsNumber).
CellEdit cellEdit(const Window& window, Column column, std::string_view text);

// A row listed below the panel's own for a variant that uses its base container's sections
// (override_base_container=0): a section of base panel base that no nearer file replaces.
// It is shown, never typed into: it belongs to the base's file.
struct BaseRow {
    std::size_t base = 0;
    const Window* window = nullptr; // in basePanels[base]
};

// The base rows of a variant with these lines, basePanels being what each of bases sets.
std::vector<BaseRow> baseRows(const PanelLines& own, const std::vector<BasePanel>& bases,
                              const std::vector<Panel>& basePanels);

} // namespace cockpix::fs2k
