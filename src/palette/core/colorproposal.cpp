#include "palette/core/colorproposal.h"

#include "base/core/numbertext.h"

#include <algorithm>
#include <numeric>

namespace cockpix {
namespace {

bool closeToAny(Rgb candidate, std::span<const Rgb> colors, double tolerance) {
    return std::any_of(colors.begin(), colors.end(),
                       [&](Rgb other) { return colorDistance(other, candidate) < tolerance; });
}

bool refused(int c, std::span<const Rgb> palette, std::span<const Rgb> reference,
             double tolerance) {
    const Rgb candidate = palette[static_cast<std::size_t>(c)];
    return candidate == Rgb{} || closeToAny(candidate, reference, tolerance) ||
           closeToAny(candidate, palette.first(static_cast<std::size_t>(c)), tolerance);
}

} // namespace

std::vector<ProposedColor> proposeColors(std::span<const std::uint64_t> counts,
                                         std::span<const Rgb> palette,
                                         std::span<const Rgb> reference, double tolerance) {
    const std::size_t n = std::min(counts.size(), palette.size());
    // Indices from the most used down, the lower index first among equal counts.
    std::vector<int> ranked(n);
    std::iota(ranked.begin(), ranked.end(), 0);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&](int a, int b) { return counts[std::size_t(a)] > counts[std::size_t(b)]; });

    std::vector<ProposedColor> proposal;
    for (std::size_t k = 0; k < n && proposal.size() < std::size_t(kMaxProposedColors); ++k) {
        const int candidate = ranked[k];
        if (counts[std::size_t(candidate)] == 0)
            break;
        if (!refused(candidate, palette, reference, tolerance))
            proposal.push_back({candidate, palette[std::size_t(candidate)]});
    }
    return proposal;
}

std::string proposedColorLine(int k, Rgb color) {
    return std::string(k < 10 ? "color0" : "color") + std::to_string(k) + "=" +
           paddedNumberText(color.red) + "," + paddedNumberText(color.green) + "," +
           paddedNumberText(color.blue);
}

std::vector<std::string> resultFileLines(std::span<const ProposedColor> proposal) {
    std::vector<std::string> lines{"[8 bit colors]", ""};
    for (std::size_t k = 0; k < proposal.size(); ++k)
        lines.push_back(proposedColorLine(static_cast<int>(k), proposal[k].color));
    return lines;
}

std::string resultFileText(std::span<const ProposedColor> proposal) {
    std::string text;
    for (const std::string& line : resultFileLines(proposal))
        text += line + "\r\n";
    return text;
}

std::string scannedMessage(int addedCount) {
    return "Bitmap has been scanned.\n" + paddedNumberText(addedCount) +
           " colors are advised and will be automatically added if you save the panel "
           "template.";
}

} // namespace cockpix
