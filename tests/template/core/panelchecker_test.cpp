// The panel checker over the fixture cases of tests/fixtures/check: each folder holds a
// panel.cfg with one fault and expected.txt, the findings it must give in the form
// "cockpix-cli check" prints them. Set COCKPIX_WRITE_EXPECTED=1 to write expected.txt from
// what the checker gives (then read every changed line before keeping it). The cases are
// read as FS98 panels, also those with a mark of the fs2k format (a key FS98 lacks, an
// ident that is a name), whose faults are FS98's.

#include "template/core/fs98/checker.h"

#include "base/core/scratchdir.h"
#include "template/core/checkfixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
            fs98::checkFs98PanelFile(installation.panelFile.string(), installation.dirs, facts);
        const std::string output = outputOf(check);
        if (write)
            test::writeFile(caseDir / "expected.txt", output);
        EXPECT_EQ(output, test::fileText(caseDir / "expected.txt"));
    }
}

} // namespace
} // namespace cockpix
