#include "template/core/finding.h"

#include "base/core/binarydata.h"

#include <algorithm>

namespace cockpix {

std::string_view severityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        break;
    }
    return "note";
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

namespace {

// What stands between the file and the finding's text: ":LINE: error: ".
void appendHead(std::string& out, const Finding& finding) {
    if (finding.line > 0) {
        out += ':';
        out += std::to_string(finding.line);
    }
    out += ": ";
    out += severityName(finding.severity);
    out += ": ";
}

void appendCode(std::string& out, const Finding& finding) {
    out += " [";
    out += finding.code;
    out += ']';
}

} // namespace

UserText findingText(const UserText& file, const Finding& finding) {
    UserText text = file;
    std::string head;
    appendHead(head, finding);
    text.append(UserText::Kind::Plain, head);
    text += finding.text;
    std::string code;
    appendCode(code, finding);
    return text.append(UserText::Kind::Plain, code);
}

void appendFindingLine(std::string& out, std::string_view fileUtf8, const Finding& finding) {
    out += fileUtf8;
    appendHead(out, finding);
    // A finding may quote a line of the file: its control bytes would drive the terminal.
    std::string text;
    finding.text.appendUtf8To(text);
    appendPrintable(out, text);
    appendCode(out, finding);
    out += '\n';
}

void sortFindings(std::vector<Finding>& findings) {
    // The checks mostly find in line order already; moving findings about is not free.
    const auto byLine = [](const Finding& a, const Finding& b) { return a.line < b.line; };
    if (std::is_sorted(findings.begin(), findings.end(), byLine))
        return;
    // Findings are large: sort their places, then move each finding once.
    std::vector<std::size_t> order(findings.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&findings](std::size_t a, std::size_t b) {
        return findings[a].line < findings[b].line;
    });
    std::vector<Finding> sorted;
    sorted.reserve(findings.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(findings[i]));
    findings = std::move(sorted);
}

} // namespace cockpix
