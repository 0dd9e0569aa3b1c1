#include "template/core/filecheck.h"

#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/panelsource.h"
#include "template/core/fs2k/checker.h"
#include "template/core/fs98/checker.h"

namespace cockpix {

FileCheck checkPanelFile(const std::string& path, Directories dirs, CheckFacts& facts,
                         bool byInstallation) {
    PanelSource source = locatePanel(path, fs98::panelDirFromChosenPath(path));
    if (source.format != PanelFormat::Fs2k) {
        // An FS98 panel, or one an alias of an fs2k panel leads to: the FS98 reader reads it.
        FileCheck check = fs98::checkFs98PanelFile(source.file, std::move(dirs), facts);
        if (source.file != path && !check.rerouted) {
            check.rerouted = true;
            check.file = source.file;
        }
        return check;
    }
    FileCheck check;
    check.format = PanelFormat::Fs2k;
    check.file = source.file;
    check.panelDir = source.panelDir;
    check.rerouted = !source.reroutes.empty();
    const fs2k::PanelLines lines(std::move(source.bytes));
    dirs.panelDir = check.panelDir;
    // Other packages' instruments are listed only when a stock instrument is looked up, once
    // for a whole tree (CheckFacts).
    check.installation = findInstallation(check.panelDir, dirs.gaugesDir, false);
    std::optional<std::span<const std::string>> gaugesDirs;
    if (byInstallation && check.installation.found())
        gaugesDirs = check.installation.gaugesDirs;
    check.findings = fs2k::checkPanel(lines, fs2k::readPanel(lines), dirs, facts, std::nullopt,
                                      gaugesDirs, &check.installation);
    return check;
}

} // namespace cockpix
