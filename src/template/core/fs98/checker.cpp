#include "template/core/fs98/checker.h"

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
