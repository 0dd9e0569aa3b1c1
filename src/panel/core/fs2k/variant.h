#pragma once

// MSFS variant panels and the base container they build on. An aircraft folder whose
// aircraft.cfg names a base container ([VARIATION] base_container="..\Base", in MSFS 2024
// [LIVERY] base_container; relative to the aircraft folder, Windows separators) has the
// base's panel (BASE/panel/panel.cfg) under its own. The variant's [VARIATION]
// override_base_container decides what MSFS does with it: 0, the base's sections are used and
// the variant's replace those of the same name (case ignored); 1 or no key, the variant's file
// replaces the base's whole. A base may itself be the variant of another base: the chain is
// followed, and a loop or a base that cannot be read ends it with a problem, never a hang.

#include "base/core/smallfilecache.h"
#include "panel/core/fs2k/lines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix::fs2k {

enum class BaseUse {
    None,     // no base container named, or its panel is the variant's own file
    Replaced, // named, but the variant's file replaces the base's (override_base_container not 0)
    Merged,   // the base's sections are used under the variant's
};

// A base panel read: its path as found on disk and its lines.
struct BasePanel {
    std::string path;
    PanelLines lines;
};

// What ended the chain early: a stable code (base-missing, base-loop, base-unreadable) and a
// sentence naming the file.
struct VariantProblem {
    std::string code;
    std::string text;
};

struct VariantBase {
    BaseUse use = BaseUse::None;
    std::string basePanel; // the nearest base's panel.cfg (as found; Replaced and Merged)
    // Merged: every base panel whose sections count, nearest first.
    std::vector<BasePanel> bases;
    std::vector<VariantProblem> problems;
};

// The base container an aircraft.cfg names ([VARIATION] base_container, else MSFS 2024's
// [LIVERY] one), quotes dropped and "\" made "/", relative to the aircraft's folder; "" for
// none.
std::string baseContainerIn(const PanelLines& aircraftCfg);

// The base a panel.cfg in panelDir (".../AIRCRAFT/panel.NAME/", ending with "/") builds on,
// from its lines and the aircraft.cfg one folder up. Never throws for bad files.
VariantBase findVariantBase(const std::string& panelDir, const PanelLines& lines);
// The same, aircraft.cfg files read through files (which a check shares with its other checks).
VariantBase findVariantBase(const std::string& panelDir, const PanelLines& lines,
                            SmallFileCache& files);

// The panel MSFS builds from a variant and its bases: the variant's own lines first, under
// their own numbers, then each base's sections that no nearer file has (lines before a base's
// first section are left out).
class MergedPanel {
public:
    MergedPanel(const PanelLines& own, const std::vector<BasePanel>& bases);

    const PanelLines& lines() const { return m_lines; }
    // Lines below this are the variant's own, at the same numbers.
    std::size_t ownLineCount() const { return m_ownLines; }
    // Where a merged line from a base came from: bases[base] line line.
    struct Origin {
        std::size_t base = 0;
        std::size_t line = 0;
    };
    Origin origin(std::size_t mergedLine) const { return m_origins.at(mergedLine - m_ownLines); }

private:
    PanelLines m_lines;
    std::size_t m_ownLines = 0;
    std::vector<Origin> m_origins; // of each line from m_ownLines on
};

// The sections of bases no nearer file (own, then the bases before it) has, as base index
// and section index, in order: what the template lists as the base's.
struct BaseSection {
    std::size_t base = 0;
    std::size_t section = 0;
};
std::vector<BaseSection> baseSectionsUsed(const PanelLines& own,
                                          const std::vector<BasePanel>& bases);

} // namespace cockpix::fs2k
