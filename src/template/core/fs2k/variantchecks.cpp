#include "template/core/fs2k/variantchecks.h"

#include "panel/core/fs2k/variant.h"

namespace cockpix::fs2k {
namespace {

int lineOfOverride(const PanelLines& lines) {
    const std::size_t section = lines.findSection("VARIATION");
    const std::size_t line = section == PanelLines::npos
                                 ? PanelLines::npos
                                 : lines.findKey(section, "override_base_container");
    return line == PanelLines::npos ? 0 : static_cast<int>(line + 1);
}

// A finding on a base's line is about that file: it names it, and has no line, window or
// fix in the variant's.
void moveToBase(Finding& finding, const MergedPanel& merged, const std::vector<BasePanel>& bases) {
    const MergedPanel::Origin origin = merged.origin(static_cast<std::size_t>(finding.line - 1));
    finding.text = finding.text + " (in the base panel " + UserText::path(bases[origin.base].path) +
                   ":" + std::to_string(origin.line + 1) + ")";
    finding.line = 0;
    finding.window = -1;
    finding.gauge = -1;
    finding.windowField.reset();
    finding.fix.reset();
}

} // namespace

std::optional<std::vector<Finding>> checkVariant(const std::string& panelDir,
                                                 const PanelLines& lines, const Panel& panel,
                                                 const PanelCheckFunction& check,
                                                 SmallFileCache& files) {
    if (panelDir.empty())
        return std::nullopt;
    VariantBase base = findVariantBase(panelDir, lines, files);
    if (base.use == BaseUse::None && base.problems.empty())
        return std::nullopt;
    const int overrideLine = lineOfOverride(lines);
    std::vector<Finding> findings;
    if (base.use == BaseUse::Merged) {
        const MergedPanel merged(lines, base.bases);
        findings = check(merged.lines(), readPanel(merged.lines()));
        for (Finding& finding : findings) {
            if (finding.line > static_cast<int>(merged.ownLineCount()))
                moveToBase(finding, merged, base.bases);
        }
    } else {
        findings = check(lines, panel);
    }
    if (base.use == BaseUse::Replaced)
        findings.push_back(makeFinding(overrideLine, Severity::Note, "base-not-used",
                                       "the base container's panel (" +
                                           UserText::path(base.basePanel) +
                                           ") is not used: override_base_container is not 0"));
    for (const VariantProblem& problem : base.problems)
        findings.push_back(
            makeFinding(overrideLine, Severity::Error, problem.code,
                        UserText::path(problem.text) +
                            ": MSFS builds the panel from the base containers it can read"));
    sortFindings(findings);
    return findings;
}

} // namespace cockpix::fs2k
