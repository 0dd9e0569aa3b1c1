#pragma once

// Reads an FS98 panel.cfg into a Panel, the way COCKPIX's "&Open" does: one forward
// scan that recognises sections and keys by their first letters, follows a [fltsim] alias
// to another aircraft's panel, and stops with a structural error where the file does not
// have the layout that FS98 and the writer use.

#include "base/core/usertext.h"
#include "panel/core/fs98/linetrace.h"
#include "panel/core/fs98/panel.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cockpix::fs98 {

// The one message shown for every structural error.
inline constexpr std::string_view kStructureErrorMessage =
    "Abnormal structure of 'Panel.cfg'.\nPlease edit and correct 'panel.cfg' manually.";

// Why a file was not read as a panel at all, rather than stopped in its structure.
inline constexpr std::string_view kCannotOpenReason = "the file cannot be opened";
inline constexpr std::string_view kBinaryDataReason = "not a panel.cfg (it holds binary data)";

// Where and why reading stopped; line is 1-based in the file being read (0: before any line).
struct ReadError {
    std::string file;
    int line = 0;
    std::string reason;
    // False when the file could not be opened or holds binary data: no panel was read.
    bool isStructural() const {
        return line > 0 || (reason != kCannotOpenReason && reason != kBinaryDataReason);
    }
    std::string describe() const;  // "FILE: line 12: gauge number 64 is out of range"
    UserText describeText() const; // the same, with the file name as a path
};

// "'panel.cfg' rerouted CockPix to [" + panelDir + "]"
UserText rerouteMessage(std::string_view panelDir);

// The panel directory for a path chosen in the open dialog: the path less its last 9
// characters (the length of "panel.cfg", whatever the file is called), left-trimmed,
// ending with "/".
std::string panelDirFromChosenPath(std::string_view chosenPath);

// Called after each alias reroute, once panelDir names the new directory and before the
// aliased file is read.
using RerouteHandler = std::function<void(const std::string& newPanelDir)>;

// Reads the file at path into panel, which the caller has cleared; panelDir is the
// directory it lies in (ending with "/") and follows every alias reroute. File names are
// found whatever their case. Returns the structural error, if any; the panel then keeps
// what had been read up to it.
std::optional<ReadError> readPanelFile(Panel& panel, std::string& panelDir, const std::string& path,
                                       const RerouteHandler& onReroute = {});

// The same for panel.cfg content already in memory; fileLabel names it in errors. An
// alias reroute goes on with the aliased file on disk.
std::optional<ReadError> readPanelText(Panel& panel, std::string& panelDir,
                                       std::string_view content, const std::string& fileLabel,
                                       const RerouteHandler& onReroute = {});

// The same two, also recording in trace what was done with each line of the file read last
// (the aliased one after a reroute): the panel checker names lines with it. What is read and
// every error stay exactly as without it.
std::optional<ReadError> readPanelFile(Panel& panel, std::string& panelDir, const std::string& path,
                                       const RerouteHandler& onReroute, PanelLineTrace& trace);
std::optional<ReadError> readPanelText(Panel& panel, std::string& panelDir,
                                       std::string_view content, const std::string& fileLabel,
                                       const RerouteHandler& onReroute, PanelLineTrace& trace);

// After a complete read: a size ratio of 0 in the panel's windows becomes 1.
void applyOpenedRatioRule(Panel& panel);

} // namespace cockpix::fs98
