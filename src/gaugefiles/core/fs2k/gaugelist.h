#pragma once

// The gauges FS2000 and later would find for a panel, for a chooser: every .gau and .dll
// module (one entry per gauge its table declares, "module!gauge"; "module" alone for a
// module that declares none, as FS98's are named), every folder of XML gauges
// ("folder!gauge" for each gauge.xml) and every cabinet ("cab!gauge" for each .xml inside),
// in the panel folder and then the gauges folder. An entry is listed only where
// findGauge would find it, so a module of the panel folder hides the same name in the
// gauges folder. A gauges folder may hold a hundred thousand files: only modules are read,
// and the listing stops at its limits, saying so.

#include "gaugefiles/core/fs2k/gaugelookup.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace cockpix::fs2k {

enum class GaugeFolder { PanelFolder, GaugesFolder };

struct GaugeEntry {
    std::string name; // as a gauge line writes it: "module!gauge" or "module"
    GaugeKind kind = GaugeKind::Gau;
    GaugeFolder place = GaugeFolder::GaugesFolder;
    friend bool operator==(const GaugeEntry&, const GaugeEntry&) = default;
};

struct GaugeListLimits {
    std::size_t entries = 20000;        // gauges listed
    std::size_t folderItems = 200000;   // names looked at in each folder searched
    std::size_t modulesRead = 2000;     // .gau/.dll tables and cabinet directories read
    std::size_t moduleBytes = 64 << 20; // a larger module is listed by its name alone
};

struct GaugeList {
    std::vector<GaugeEntry> entries; // sorted by name, case ignored
    // Set when a limit stopped the listing: entries are then the first ones found.
    bool cut = false;
    // The cabinets that could not be read (their paths), listed without gauges.
    std::vector<std::string> unreadable;
};

// The gauges of panelDir, then gaugesDir (each ending with "/"; an empty one is not
// searched). files is the look-ups' shared cache (GaugePictures::files()).
GaugeList listGauges(const std::string& panelDir, const std::string& gaugesDir, GaugeFiles& files,
                     const GaugeListLimits& limits = {});
// The same with several gauges folders (an installation's), in the order FS searches them.
GaugeList listGauges(const std::string& panelDir, std::span<const std::string> gaugesDirs,
                     GaugeFiles& files, const GaugeListLimits& limits = {});

// "an XML gauge in the panel folder", "a module in the gauges folder", ...: where an entry
// comes from, for the chooser.
std::string describeGaugeEntry(const GaugeEntry& entry);

} // namespace cockpix::fs2k
