#pragma once

// The simulator installation a panel folder lies in, found from the folders above it (every
// folder name matched ignoring case, as on Windows), and where that simulator looks for what
// the panel's lines name:
// - FS98 to FS2004: ROOT/Aircraft/X/panel, gauge modules in ROOT/Gauges;
// - FSX and Prepar3D: ROOT/SimObjects/<Airplanes|Rotorcraft|...>/X/panel, gauges in ROOT/Gauges;
//   a Prepar3D add-on package whose add-on.xml declares Gauges components: those folders;
// - MSFS 2020 and 2024: a package (manifest.json at its root: SimObjects/Airplanes/X/panel,
//   2024's attachments/PUBLISHER/PART/panel and presets/PUBLISHER/PRESET/panel), whose
//   instruments lie in html_ui/Pages/VCockpit/Instruments; a source project (PackageSources/
//   and PackageDefinitions/*.xml), whose asset groups map source folders to that output folder.
// A package's stock instruments lie in the other packages of the Community or Official folder
// it stands in, or of the one the settings name.

#include "settings/core/settings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace cockpix {

enum class Simulator {
    None, // not inside any installation COCKPIX knows
    Fs98ToFs2004,
    FsxOrP3d,
    P3dAddon,
    MsfsPackage,
    MsfsProject,
};

struct Installation {
    Simulator simulator = Simulator::None;
    std::string root; // ROOT, the add-on, package or project folder, ending with "/"
    std::string name; // the package's or project's folder name
    // Where gaugeNN=module!gauge lines are looked up after the panel folder, in order, each
    // ending with "/".
    std::vector<std::string> gaugesDirs;
    // The html_ui/Pages/VCockpit/Instruments folders an htmlgauge's path is relative to, the
    // package's own first, each ending with "/".
    std::vector<std::string> instrumentDirs;
    // How many of instrumentDirs, at its front, are the package's or project's own.
    std::size_t ownInstrumentDirs = 0;
    // The MSFS Community and Official folders whose packages' instruments follow the own
    // ones (each ending with "/"): the one the package stands in, the other one beside it
    // (MSFS keeps Community and Official in one Packages folder) and the settings' one.
    std::vector<std::string> packagesFolders;
    // What could not be read (a broken manifest.json or package definition), as messages.
    std::vector<std::string> problems;

    bool found() const { return simulator != Simulator::None; }
    // "MSFS package test-aircraft", "FSX or Prepar3D installation ROOT", ...
    std::string description() const;
    // Whether COCKPIX may make its work folders (bmp/, palette/) inside it: FS98's only.
    bool holdsWorkFolders() const { return simulator == Simulator::Fs98ToFs2004; }
};

// The installation the panel folder panelDir lies in. stockDir is the gauges directory of the
// settings when it is an MSFS Official or Community folder: its packages' instruments come
// after the package's own. Never throws; a folder that cannot be read is as if absent.
// instruments false leaves out the other packages' instruments (the own ones and
// packagesFolders are still found): a check of a tree of panels need not list every package
// of a Community or Official folder for each of them.
Installation findInstallation(const std::string& panelDir, const std::string& stockDir = {},
                              bool instruments = true);

// The Instruments folders of the packages of an MSFS Community or Official folder, in name
// order (each ending with "/").
std::vector<std::string> packagesInstrumentDirs(const std::string& packagesFolder);
// Whether dir is an MSFS Official folder (Official, or its OneStore or Steam folder), where
// the simulator's stock packages lie, rather than a Community folder.
bool isOfficialFolder(const std::string& dir);

// Where a panel of FS2000 and later has its gauge modules looked up after its own folder:
// the installation's gauges folders when it was found, else the settings' gauges directory
// (none when that is unset).
std::vector<std::string> gaugeFoldersFor(const Installation& installation, const Directories& dirs);

// The Gauges folder of FS2000 to Prepar3D: named Gauges, beside the Aircraft or SimObjects
// folder, or holding gauge modules (.gau, .dll, .cab).
bool isSimulatorGaugesFolder(const std::string& dir);
// An MSFS Community or Official folder: it holds package folders (with manifest.json), one
// level down or, as Official/OneStore/<package>, two.
bool isMsfsPackagesFolder(const std::string& dir);

// Where COCKPIX keeps work files it may not put beside a simulator's gauges:
// $XDG_CACHE_HOME/cockpix/, else ~/.cache/cockpix/ (ending with "/").
std::string userCacheDir();

} // namespace cockpix
