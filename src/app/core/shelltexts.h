#pragma once

// The fixed texts of the main window: its caption and the questions and messages of the
// Template menu, exactly as COCKPIX shows them.

#include <string>
#include <string_view>

namespace cockpix {

// The caption before the directories are known.
inline constexpr std::string_view kDesignedCaption = "COCKPIX";
// The caption prefix; the panel directory follows it.
inline constexpr std::string_view kCaptionPrefix = "COCKPIX V.2.5.3  -  ";

inline std::string mainCaption(std::string_view panelDir) {
    return std::string(kCaptionPrefix) + std::string(panelDir);
}

// Shown at every creation of the template window while the gauges directory is unset. The
// directory names are written as the Directories menu shows them.
inline constexpr std::string_view kFirstUseMessage =
    "It may be your first use of COCKPIX,\n"
    "Please set NOW your \\GAUGES\\ and \\COCKPIX\\ directories.\n"
    "(Select menu : 'Directories...').";
// Follows it: the keys a newcomer from other programs would press first.
inline constexpr std::string_view kFirstUseKeysNote =
    "\n\nCOCKPIX keeps its own keys: Ctrl+C closes, Ctrl+Z zooms, Alt+Backspace undoes.\n"
    "For Ctrl+Z to undo and Ctrl+X, Ctrl+C, Ctrl+V to cut, copy and paste gauges,\n"
    "choose Options > Standard desktop keys.";

inline constexpr std::string_view kNewQuestion =
    "Are you sure to clear this panel ?\nDo not forget to save if needed.";
inline constexpr std::string_view kCloseTemplateQuestion = "Are you sure to leave this panel?";
inline constexpr std::string_view kQuitQuestion =
    "Are you sure to leave COCKPIX ?\nDo not forget to save if needed.";

// The help file in the program directory.
inline constexpr std::string_view kHelpFileName = "cockpix_help.html";

} // namespace cockpix
