#include "template/core/finding.h"

#include <algorithm>

namespace cockpix {

std::string_view severityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

Finding makeFinding(int line, Severity severity, std::string code, UserText text, int window,
                    int gauge) {
    Finding finding;
    finding.line = line;
    finding.severity = severity;
    finding.code = std::move(code);
    finding.text = std::move(text);
    finding.window = window;
    finding.gauge = gauge;
    return finding;
}

UserText findingText(const UserText& file, const Finding& finding) {
    UserText text = file;
    if (finding.line > 0)
        text += ":" + std::to_string(finding.line);
    return text + ": " + severityName(finding.severity) + ": " + finding.text + " [" +
           finding.code + "]";
}

void sortFindings(std::vector<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

} // namespace cockpix
