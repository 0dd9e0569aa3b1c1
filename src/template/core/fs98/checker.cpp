#include "template/core/fs98/checker.h"

#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/panelsource.h"
#include "template/core/fs2k/checker.h"
#include "template/core/fs98/checks.h"
#include "template/core/fs98/filechecks.h"

namespace cockpix::fs98 {

std::vector<Finding> checkPanel(const CheckInput& input, CheckFacts& facts) {
    std::vector<Finding> findings;
    if (input.panel == nullptr)
        return findings;
    PanelLineMap lines;
    if (input.trace != nullptr && input.filePanel != nullptr) {
        lines = PanelLineMap(*input.trace, *input.filePanel);
        findings = checkFileLines(*input.trace, *input.filePanel);
    }
    std::vector<Finding> content =
        checkPanelContent({*input.panel, lines, input.dirs, input.eightBitColors}, facts);
    findings.insert(findings.end(), std::make_move_iterator(content.begin()),
                    std::make_move_iterator(content.end()));
    sortFindings(findings);
    return findings;
}

FileCheck checkPanelFile(const std::string& path, Directories dirs, CheckFacts& facts) {
    PanelSource source = locatePanel(path, panelDirFromChosenPath(path));
    if (source.format != PanelFormat::Fs2k) {
        // An FS98 panel, or one an alias of an fs2k panel leads to: the FS98 reader reads it.
        FileCheck check = checkFs98PanelFile(source.file, std::move(dirs), facts);
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
    check.findings = fs2k::checkPanel(lines, fs2k::readPanel(lines), dirs, facts);
    return check;
}

FileCheck checkFs98PanelFile(const std::string& path, Directories dirs, CheckFacts& facts) {
    FileCheck check;
    check.file = path;
    check.panel = std::make_unique<Panel>();
    check.panelDir = panelDirFromChosenPath(path);
    const std::string ownDir = check.panelDir;
    check.readError = readPanelFile(*check.panel, check.panelDir, path, {}, check.trace);
    check.rerouted = check.panelDir != ownDir;
    if (check.rerouted)
        check.file = check.readError ? check.readError->file : check.trace.file;
    if (check.readError) {
        Finding finding;
        finding.line = check.readError->line;
        finding.code = "unreadable";
        finding.text = "the panel cannot be read: " + check.readError->reason;
        check.findings.push_back(std::move(finding));
        return check;
    }
    const Panel filePanel = *check.panel;
    applyOpenedRatioRule(*check.panel);
    dirs.panelDir = check.panelDir;
    CheckInput input;
    input.panel = check.panel.get();
    input.trace = &check.trace;
    input.filePanel = &filePanel;
    input.dirs = dirs;
    input.eightBitColors = usesEightBitColors(*check.panel);
    check.findings = checkPanel(input, facts);
    return check;
}

bool usesEightBitColors(const Panel& panel) {
    return panel.colorLineCount > 0;
}

} // namespace cockpix::fs98
