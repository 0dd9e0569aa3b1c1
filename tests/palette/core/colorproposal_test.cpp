#include "palette/core/colorproposal.h"

#include <gtest/gtest.h>

#include <vector>

namespace cockpix {
namespace {

using Counts = std::vector<std::uint64_t>;
using Colors = std::vector<Rgb>;

// Two reference colours far from the candidates below.
const Colors kReference = {{0, 0, 0}, {255, 255, 255}};

std::vector<int> proposedIndices(const Counts& counts, const Colors& palette, double tolerance,
                                 const Colors& reference = kReference) {
    std::vector<int> indices;
    for (const ProposedColor& colour : proposeColors(counts, palette, reference, tolerance))
        indices.push_back(colour.paletteIndex);
    return indices;
}

// One candidate at channel differences summing to 3 (distance 1) from a reference colour,
// beside black: the tolerance decides alone.
TEST(ColorProposal, TheToleranceRefusesCandidatesCloserThanIt) {
    const Colors reference = {{100, 100, 100}};
    const Colors palette = {{0, 0, 0}, {101, 101, 101}, {255, 0, 0}};
    const Counts counts = {50, 40, 30};
    const struct {
        double tolerance;
        std::vector<int> proposed;
    } cases[] = {
        {-3, {1, 2}}, // nothing but black is refused
        {0, {1, 2}},  //
        {1, {1, 2}},  // distance 1 is not below 1
        {1.01, {2}},  // a fraction counts
        {85, {2}},    // red lies 85 from black, entry 0
        {85.5, {}},   //
        {255, {}},    // nothing is 255 away from everything
    };
    for (const auto& c : cases)
        EXPECT_EQ(proposedIndices(counts, palette, c.tolerance, reference), c.proposed)
            << "tolerance " << c.tolerance;
}

TEST(ColorProposal, LowerPaletteEntriesRefuseTooAndEntryZeroHasNone) {
    // Entry 2 is one step from entry 0, entry 0 is proposable, and entry 1 (unused) still
    // refuses entry 3 next to it.
    const Colors palette = {{40, 80, 120}, {200, 10, 10}, {41, 80, 120}, {201, 11, 10}};
    const Counts counts = {10, 0, 30, 20};
    EXPECT_EQ(proposedIndices(counts, palette, 2), std::vector<int>({0}));
    EXPECT_EQ(proposedIndices(counts, palette, 0.3), std::vector<int>({2, 3, 0}));
}

// Indices 1, 3 and 4 share a count: each is examined once, in index order, and a refused
// one (4 lies next to 3) takes no slot; an unused index ends the examination.
TEST(ColorProposal, EqualCountsExamineEachIndexOnceInIndexOrder) {
    const Colors palette = {{10, 60, 90},  {90, 10, 60},  {60, 90, 10},
                            {30, 30, 200}, {31, 30, 200}, {1, 2, 250}};
    const Counts counts = {5, 20, 50, 20, 20, 0};
    EXPECT_EQ(proposedIndices(counts, palette, 3), std::vector<int>({2, 1, 3, 0}));
}

TEST(ColorProposal, AtMostThirtyTwoColoursFromTheMostUsedDown) {
    Colors palette = {{0, 0, 0}};
    Counts counts = {1000};
    for (int i = 1; i <= 40; ++i) {
        palette.push_back(
            {static_cast<std::uint8_t>(6 * i), 128, static_cast<std::uint8_t>(250 - 6 * i)});
        counts.push_back(static_cast<std::uint64_t>(i)); // the later, the more used
    }
    const std::vector<ProposedColor> proposal = proposeColors(counts, palette, kReference, 1);
    ASSERT_EQ(proposal.size(), 32u);
    EXPECT_EQ(proposal.front().paletteIndex, 40);
    EXPECT_EQ(proposal.back().paletteIndex, 9);

    const std::string text = resultFileText(proposal);
    const std::string head = "[8 bit colors]\r\n\r\ncolor00= 240, 128, 10\r\ncolor01=";
    const std::string tail = "\r\ncolor31= 54, 128, 196\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find("\r\ncolor09= 186, 128, 64\r\ncolor10= 180, 128, 70\r\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

} // namespace
} // namespace cockpix
