#pragma once

// Which of the two kinds of panel.cfg a file is. FS98 recognises window keys by their first
// letter, so it would take the window_size= of an fs2k file for its size ratio, pixel_size=
// for its position and sizeable= for its size: the marks of the fs2k format are looked for
// in the whole file before the FS98 reader reads a line of it.

#include <string>
#include <string_view>

namespace cockpix {

enum class PanelFormat {
    Fs98, // read and written by the FS98 reader and writer, exactly as ever
    Fs2k, // FS2000, FS2002, FS2004, FSX, Prepar3D: kept line by line (PanelLines)
};

// Fs2k when the file has any mark of the fs2k format: a [VcockpitNN], [VPaintingNN],
// [VARIATION], [Color] or [VIEWS] section; no section at all (an empty or comment-only file); a
// title or window number of 9 or more; a gauge name with "!"; a gauge line of more than four
// fields; a window key FS98 does not have (window_size=, pixel_size=, file_1024=, ...); a window
// section without file=; an ident that is a name. FS98 otherwise.
PanelFormat detectPanelFormat(std::string_view bytes);

// Whether a panel.cfg lies where only the fs2k family keeps panels: below a SimObjects folder
// (FSX, Prepar3D, MSFS), an MSFS 2024 attachments or presets folder, or inside an MSFS
// package (manifest.json) or source project (PackageSources/). Such a file is never FS98's.
bool liesInLaterPlace(const std::string& panelPath);

// Fs2k for a file in such a place, else detectPanelFormat of its bytes.
PanelFormat detectPanelFormatAt(const std::string& panelPath, std::string_view bytes);

struct PanelFormatAndAlias {
    PanelFormat format = PanelFormat::Fs98;
    std::string alias; // of its [fltsim] section, as fltsimAlias gives it
};

enum class AliasOf {
    Both,     // the alias of either format
    Fs98Only, // an fs2k panel's is not looked for (empty): the pass ends at its first mark
};

// detectPanelFormat and fltsimAlias of the same bytes, in one pass over their lines (the
// FS98 panel, whose format is known only at its end, is cut into lines once, not twice).
PanelFormatAndAlias detectPanelFormatAndAlias(std::string_view bytes, AliasOf of = AliasOf::Both);

// The alias= value of the first [fltsim] section of a panel.cfg (its first alias= line), or
// empty.
std::string fltsimAlias(std::string_view bytes);

// "FS98" or "FS2000 and later", as the program names the formats to the user.
std::string_view panelFormatName(PanelFormat format);

} // namespace cockpix
