// The panel checker over the fixture cases of tests/fixtures/check: each folder holds a
// panel.cfg with one fault and expected.txt, the findings it must give in the form
// "cockpix-cli check" prints them. Set COCKPIX_WRITE_EXPECTED=1 to write expected.txt from
// what the checker gives (then read every changed line before keeping it).

#include "template/core/panelchecker.h"

#include "base/core/scratchdir.h"
#include "template/core/checkfixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

std::string outputOf(const FileCheck& check) {
    std::string text;
    for (const Finding& finding : check.findings)
        text += findingText(UserText::path("panel.cfg"), finding).toUtf8() + "\n";
    return text;
}

class CheckFixtures : public ScratchDirTest {};

TEST_F(CheckFixtures, EachCaseGivesItsExpectedFindings) {
    const bool write = std::getenv("COCKPIX_WRITE_EXPECTED") != nullptr;
    const std::vector<fs::path> cases = test::checkCases();
    ASSERT_GE(cases.size(), 30u);
    for (const fs::path& caseDir : cases) {
        SCOPED_TRACE(caseDir.filename().string());
        const fs::path root = this->root / caseDir.filename();
        const test::CheckInstallation installation = test::makeCheckInstallation(root, caseDir);
        CheckFacts facts;
        const FileCheck check =
            checkPanelFile(installation.panelFile.string(), installation.dirs, facts);
        const std::string output = outputOf(check);
        if (write)
            test::writeFile(caseDir / "expected.txt", output);
        EXPECT_EQ(output, test::fileText(caseDir / "expected.txt"));
        // The case's name says which fault it holds: its code is among the findings.
        const std::string name = caseDir.filename().string();
        if (name.rfind("clean", 0) == 0)
            EXPECT_TRUE(check.findings.empty());
        else
            EXPECT_FALSE(check.findings.empty());
    }
}

TEST_F(CheckFixtures, EveryCodeIsCoveredByACase) {
    std::set<std::string> seen;
    for (const fs::path& caseDir : test::checkCases()) {
        const std::string expected = test::fileText(caseDir / "expected.txt");
        for (std::size_t at = expected.find(" ["); at != std::string::npos;
             at = expected.find(" [", at + 1)) {
            const std::size_t end = expected.find("]\n", at);
            if (end != std::string::npos)
                seen.insert(expected.substr(at + 2, end - at - 2));
        }
    }
    for (const char* code : {"unreadable",           "no-panel-section",   "header-swallowed",
                             "header-typo",          "section-dropped",    "not-read",
                             "skipped-before-file",  "key-typo",           "key-twice",
                             "line-dropped",         "gauge-number-twice", "gauge-beyond-count",
                             "window-section-twice", "title-number",       "view-line-order",
                             "ident-not-number",     "ratio-zero",         "window-gap",
                             "window-beyond-count",  "window-no-section",  "window-no-bitmap",
                             "bitmap-extension",     "bitmap-missing",     "bitmap-unreadable",
                             "bitmap-not-8bit",      "window-size-zero",   "window-position",
                             "view-out-of-range",    "gauge-empty",        "module-missing",
                             "module-twice",         "module-no-picture",  "module-no-size",
                             "gauge-size-zero",      "gauge-outside",      "gauge-overhang"})
        EXPECT_TRUE(seen.count(code)) << code;
}

} // namespace
} // namespace cockpix
