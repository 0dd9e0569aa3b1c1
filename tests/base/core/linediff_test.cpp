#include "base/core/linediff.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace cockpix;
using Lines = std::vector<std::string_view>;

// The script as "=a -b +c" words, to compare with what a reader of the diff sees.
std::string scriptText(const Lines& a, const Lines& b, const std::vector<DiffLine>& script) {
    std::string text;
    for (const DiffLine& line : script) {
        if (!text.empty())
            text += ' ';
        switch (line.kind) {
        case DiffKind::Same:
            text += "=" + std::string(a[line.oldLine - 1]);
            break;
        case DiffKind::Removed:
            text += "-" + std::string(a[line.oldLine - 1]);
            break;
        case DiffKind::Added:
            text += "+" + std::string(b[line.newLine - 1]);
            break;
        }
    }
    return text;
}

Lines words(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(std::string_view(text).substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Length of the longest common subsequence, the yardstick of a shortest script.
int lcsLength(const Lines& a, const Lines& b) {
    std::vector<std::vector<int>> table(a.size() + 1, std::vector<int>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            table[i][j] = a[i - 1] == b[j - 1] ? table[i - 1][j - 1] + 1
                                               : std::max(table[i - 1][j], table[i][j - 1]);
    return table[a.size()][b.size()];
}

// The script names every line of both sides once, in order, and its unchanged lines are
// equal on both sides.
void expectValidScript(const Lines& a, const Lines& b, const std::vector<DiffLine>& script) {
    int nextOld = 1;
    int nextNew = 1;
    for (const DiffLine& line : script) {
        if (line.kind != DiffKind::Added) {
            ASSERT_EQ(line.oldLine, nextOld++);
        }
        if (line.kind != DiffKind::Removed) {
            ASSERT_EQ(line.newLine, nextNew++);
        }
        if (line.kind == DiffKind::Same) {
            ASSERT_EQ(a[line.oldLine - 1], b[line.newLine - 1]);
        }
    }
    EXPECT_EQ(nextOld - 1, static_cast<int>(a.size()));
    EXPECT_EQ(nextNew - 1, static_cast<int>(b.size()));
}

TEST(LineDiff, ShowsExactlyTheLinesThatDiffer) {
    const struct {
        std::string before, after, script;
    } rows[] = {
        {"a b c", "a b c", "=a =b =c"},
        {"", "", ""},
        {"", "a b", "+a +b"},
        {"a b", "", "-a -b"},
        // One changed line is that line removed and its new form added, in place.
        {"t g1 g2 g3 v", "t g1 G2 g3 v", "=t =g1 -g2 +G2 =g3 =v"},
        {"a b c d", "a c d e", "=a -b =c =d +e"},
        {"x a b", "a b x", "-x =a =b +x"},
        // Removed lines come before added ones within a change.
        {"a b c", "a x y c", "=a -b +x +y =c"},
    };
    for (const auto& row : rows) {
        const Lines a = words(row.before);
        const Lines b = words(row.after);
        EXPECT_EQ(scriptText(a, b, diffLines(a, b)), row.script)
            << row.before << " | " << row.after;
    }
}

TEST(LineDiff, IsAlwaysAValidShortestScript) {
    std::mt19937 random(12345);
    std::vector<std::string> alphabet{"a", "b", "c", "d"};
    for (int round = 0; round < 400; ++round) {
        Lines a;
        Lines b;
        const int lengthA = static_cast<int>(random() % 14);
        const int lengthB = static_cast<int>(random() % 14);
        for (int i = 0; i < lengthA; ++i)
            a.push_back(alphabet[random() % alphabet.size()]);
        for (int i = 0; i < lengthB; ++i)
            b.push_back(alphabet[random() % alphabet.size()]);
        const std::vector<DiffLine> script = diffLines(a, b);
        SCOPED_TRACE(scriptText(a, b, script));
        expectValidScript(a, b, script);
        const DiffCounts counts = countChanges(script);
        const int common = lcsLength(a, b);
        EXPECT_EQ(counts.removed, static_cast<int>(a.size()) - common);
        EXPECT_EQ(counts.added, static_cast<int>(b.size()) - common);
    }
}

TEST(LineDiff, SplitsLinesAtEveryKindOfLineEnd) {
    EXPECT_EQ(splitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitTextLines(""), Lines{});
}

TEST(LineDiff, HunksKeepThreeLinesOfContextAndJoinWhenTheyTouch) {
    // Lines 1..20; lines 5 and 12 changed (six unchanged lines between: one hunk), line 20
    // changed far from them (a hunk of its own).
    std::vector<std::string> before;
    for (int i = 1; i <= 20; ++i)
        before.push_back("l" + std::to_string(i));
    std::vector<std::string> after = before;
    after[4] = "L5";
    after[11] = "L12";
    after[19] = "L20";
    const Lines a(before.begin(), before.end());
    const Lines b(after.begin(), after.end());
    const std::vector<DiffHunk> hunks = diffHunks(diffLines(a, b), 3);
    ASSERT_EQ(hunks.size(), 2u);
    EXPECT_EQ(hunks[0].oldStart, 2);
    EXPECT_EQ(hunks[0].oldCount, 14); // lines 2..15
    EXPECT_EQ(hunks[0].newStart, 2);
    EXPECT_EQ(hunks[0].newCount, 14);
    EXPECT_EQ(hunks[1].oldStart, 17);
    EXPECT_EQ(hunks[1].oldCount, 4);
    EXPECT_EQ(hunks[1].lines.back(), (DiffLine{DiffKind::Added, 0, 20}));

    // Seven unchanged lines between two changes part them.
    after = before;
    after[4] = "L5";
    after[12] = "L13";
    const Lines c(after.begin(), after.end());
    EXPECT_EQ(diffHunks(diffLines(a, c), 3).size(), 2u);
    EXPECT_TRUE(diffHunks(diffLines(a, a), 3).empty());

    // An empty side starts at the line before it, as unified diffs count.
    const std::vector<DiffHunk> added = diffHunks(diffLines({}, Lines{"x"}), 3);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].oldStart, 0);
    EXPECT_EQ(added[0].oldCount, 0);
    EXPECT_EQ(added[0].newStart, 1);
}

TEST(LineDiff, SideBySidePairsTheRemovedAndAddedLinesOfEachChange) {
    const std::string before = "t g1 g2 g3 v";
    const std::string after = "t G1 G2 v w";
    const Lines a = words(before);
    const Lines b = words(after);
    EXPECT_EQ(sideBySideRows(diffLines(a, b)),
              (std::vector<SideBySideRow>{{RowKind::Same, 1, 1},
                                          {RowKind::Changed, 2, 2},
                                          {RowKind::Changed, 3, 3},
                                          {RowKind::Removed, 4, 0},
                                          {RowKind::Same, 5, 4},
                                          {RowKind::Added, 0, 5}}));
}

TEST(LineDiff, HugeTextsThatShareNothingStillEndWithAValidScript) {
    std::vector<std::string> before;
    std::vector<std::string> after;
    for (int i = 0; i < 30000; ++i) {
        before.push_back("old " + std::to_string(i));
        after.push_back("new " + std::to_string(i));
    }
    before.push_back("shared end");
    after.push_back("shared end");
    const Lines a(before.begin(), before.end());
    const Lines b(after.begin(), after.end());
    const std::vector<DiffLine> script = diffLines(a, b);
    expectValidScript(a, b, script);
    EXPECT_EQ(countChanges(script).removed, 30000);
    EXPECT_EQ(script.back(), (DiffLine{DiffKind::Same, 30001, 30001}));
}

} // namespace
