#include "template/core/finding.h"

#include <gtest/gtest.h>

namespace cockpix {
namespace {

TEST(Finding, TheCommandLineAndTheWindowsWriteTheSameLine) {
    const Finding onLine = makeFinding(12, Severity::Warning, "module-no-picture",
                                       "no picture in '" + UserText::panelText("m\xE9t") + "'");
    const Finding onFile = makeFinding(0, Severity::Error, "no-gauges-dir", "no directory");
    for (const Finding& finding : {onLine, onFile}) {
        std::string line;
        appendFindingLine(line, "/p/panel.cfg", finding);
        EXPECT_EQ(line, findingText(UserText::path("/p/panel.cfg"), finding).toUtf8() + "\n");
    }
    std::string line;
    appendFindingLine(line, "panel.cfg", onLine);
    EXPECT_EQ(line, "panel.cfg:12: warning: no picture in 'm\xC3\xA9t' [module-no-picture]\n");
    // A quoted line's control bytes never reach the terminal raw.
    line.clear();
    appendFindingLine(line, "panel.cfg",
                      makeFinding(3, Severity::Error, "x", UserText::panelText("a\x1B[2Jb")));
    EXPECT_EQ(line, "panel.cfg:3: error: a\\x1B[2Jb [x]\n");
}

TEST(Finding, SortingKeepsTheOrderOfFindingsOnOneLine) {
    std::vector<Finding> findings;
    for (const int line : {5, 0, 5, 3, 0, 5})
        findings.push_back(
            makeFinding(line, Severity::Error, "c" + std::to_string(findings.size()), "t"));
    sortFindings(findings);
    std::string order;
    for (const Finding& finding : findings)
        order += std::to_string(finding.line) + finding.code + " ";
    EXPECT_EQ(order, "0c1 0c4 3c3 5c0 5c2 5c5 ");
}

} // namespace
} // namespace cockpix
