#include "base/core/linediff.h"

#include "base/core/linescanner.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace cockpix {
namespace {

using Lines = std::vector<std::string_view>;

struct Point {
    int x = 0; // index into the old lines
    int y = 0; // index into the new lines
};

// A rectangle of the edit graph: old lines left..right, new lines top..bottom.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    int size() const { return width() + height(); }
    int delta() const { return width() - height(); }
};

struct Snake {
    Point start;
    Point finish;
};

// Steps of the searches beyond which a box counts as too expensive to compare line by line:
// well under a second, for texts of thousands of lines that share almost nothing.
constexpr std::int64_t kWorkBudget = 50'000'000;

// Myers' linear-space search, following the forward and backward paths from both corners
// of a box until they meet; the overlap is the middle snake of an optimal path.
class PathFinder {
public:
    PathFinder(const Lines& a, const Lines& b) : m_a(a), m_b(b) {}

    // The points an optimal path through box passes, corners included; nullopt when the
    // work budget ran out on the way (the caller then takes the box as one change).
    std::optional<std::vector<Point>> findPath(const Box& box) {
        std::vector<Point> path;
        if (!appendPath(box, path))
            return std::nullopt;
        return path;
    }

private:
    bool appendPath(const Box& box, std::vector<Point>& path) {
        const std::optional<Snake> snake = middleSnake(box);
        if (!snake)
            return false; // only when the budget ran out: every box holds a middle snake
        const Box head{box.left, box.top, snake->start.x, snake->start.y};
        const Box tail{snake->finish.x, snake->finish.y, box.right, box.bottom};
        if (head.size() == 0)
            path.push_back(snake->start);
        else if (!appendPath(head, path))
            return false;
        if (tail.size() == 0)
            path.push_back(snake->finish);
        else if (!appendPath(tail, path))
            return false;
        return true;
    }

    bool same(int x, int y) const {
        return m_a[static_cast<std::size_t>(x)] == m_b[static_cast<std::size_t>(y)];
    }

    std::optional<Snake> middleSnake(const Box& box) {
        if (box.size() == 0)
            return std::nullopt;
        const int max = (box.size() + 1) / 2;
        m_forward.assign(static_cast<std::size_t>(2 * max + 2), 0);
        m_backward.assign(static_cast<std::size_t>(2 * max + 2), 0);
        m_offset = max;
        forward(1) = box.left;
        backward(1) = box.bottom;
        for (int d = 0; d <= max; ++d) {
            if (const auto snake = forwardStep(box, d))
                return snake;
            if (const auto snake = backwardStep(box, d))
                return snake;
            if (m_work > kWorkBudget)
                return std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<Snake> forwardStep(const Box& box, int d) {
        for (int k = d; k >= -d; k -= 2) {
            ++m_work;
            const int c = k - box.delta();
            int px = 0;
            int x = 0;
            if (k == -d || (k != d && forward(k - 1) < forward(k + 1))) {
                px = x = forward(k + 1);
            } else {
                px = forward(k - 1);
                x = px + 1;
            }
            int y = box.top + (x - box.left) - k;
            const int py = (d == 0 || x != px) ? y : y - 1;
            while (x < box.right && y < box.bottom && same(x, y)) {
                ++x;
                ++y;
                ++m_work;
            }
            forward(k) = x;
            if (box.delta() % 2 != 0 && c >= -(d - 1) && c <= d - 1 && y >= backward(c))
                return Snake{{px, py}, {x, y}};
        }
        return std::nullopt;
    }

    std::optional<Snake> backwardStep(const Box& box, int d) {
        for (int c = d; c >= -d; c -= 2) {
            ++m_work;
            const int k = c + box.delta();
            int py = 0;
            int y = 0;
            if (c == -d || (c != d && backward(c - 1) > backward(c + 1))) {
                py = y = backward(c + 1);
            } else {
                py = backward(c - 1);
                y = py - 1;
            }
            int x = box.left + (y - box.top) + k;
            const int px = (d == 0 || y != py) ? x : x + 1;
            while (x > box.left && y > box.top && same(x - 1, y - 1)) {
                --x;
                --y;
                ++m_work;
            }
            backward(c) = y;
            if (box.delta() % 2 == 0 && k >= -d && k <= d && x <= forward(k))
                return Snake{{x, y}, {px, py}};
        }
        return std::nullopt;
    }

    int& forward(int k) { return m_forward[static_cast<std::size_t>(k + m_offset)]; }
    int& backward(int c) { return m_backward[static_cast<std::size_t>(c + m_offset)]; }

    const Lines& m_a;
    const Lines& m_b;
    std::vector<int> m_forward;
    std::vector<int> m_backward;
    int m_offset = 0;
    std::int64_t m_work = 0;
};

class ScriptBuilder {
public:
    ScriptBuilder(const Lines& a, const Lines& b) : m_a(a), m_b(b) {}

    void same(int x, int y) { m_script.push_back({DiffKind::Same, x + 1, y + 1}); }
    void removed(int x) { m_script.push_back({DiffKind::Removed, x + 1, 0}); }
    void added(int y) { m_script.push_back({DiffKind::Added, 0, y + 1}); }

    // Walks from one path point to the next: diagonal steps are unchanged lines, one step
    // right a removed line, one step down an added line.
    void walk(Point from, Point to) {
        walkDiagonal(from, to);
        const int dx = to.x - from.x;
        const int dy = to.y - from.y;
        if (dx > dy)
            removed(from.x++);
        else if (dy > dx)
            added(from.y++);
        walkDiagonal(from, to);
    }

    // The whole box as one change: every old line removed, then every new line added.
    void replaceWhole(const Box& box) {
        for (int x = box.left; x < box.right; ++x)
            removed(x);
        for (int y = box.top; y < box.bottom; ++y)
            added(y);
    }

    std::vector<DiffLine> take() {
        // Within a run of changes the removed lines come first, as readers expect.
        auto begin = m_script.begin();
        while (begin != m_script.end()) {
            if (begin->kind == DiffKind::Same) {
                ++begin;
                continue;
            }
            auto end = std::find_if(begin, m_script.end(), [](const DiffLine& line) {
                return line.kind == DiffKind::Same;
            });
            std::stable_partition(
                begin, end, [](const DiffLine& line) { return line.kind == DiffKind::Removed; });
            begin = end;
        }
        return std::move(m_script);
    }

private:
    void walkDiagonal(Point& from, const Point& to) {
        while (from.x < to.x && from.y < to.y &&
               m_a[static_cast<std::size_t>(from.x)] == m_b[static_cast<std::size_t>(from.y)]) {
            same(from.x, from.y);
            ++from.x;
            ++from.y;
        }
    }

    const Lines& m_a;
    const Lines& m_b;
    std::vector<DiffLine> m_script;
};

} // namespace

std::vector<std::string_view> splitTextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineScanner scanner(text);
    while (const auto line = scanner.next())
        lines.push_back(*line);
    return lines;
}

std::vector<DiffLine> diffLines(const Lines& oldLines, const Lines& newLines) {
    ScriptBuilder script(oldLines, newLines);
    // Panels change in a few places: the common start and end need no search.
    Box box{0, 0, static_cast<int>(oldLines.size()), static_cast<int>(newLines.size())};
    int prefix = 0;
    while (box.left < box.right && box.top < box.bottom &&
           oldLines[static_cast<std::size_t>(box.left)] ==
               newLines[static_cast<std::size_t>(box.top)]) {
        script.same(box.left++, box.top++);
        ++prefix;
    }
    int suffix = 0;
    while (box.right > box.left && box.bottom > box.top &&
           oldLines[static_cast<std::size_t>(box.right - 1)] ==
               newLines[static_cast<std::size_t>(box.bottom - 1)]) {
        --box.right;
        --box.bottom;
        ++suffix;
    }
    if (box.size() > 0) {
        PathFinder finder(oldLines, newLines);
        if (const auto path = finder.findPath(box)) {
            for (std::size_t i = 1; i < path->size(); ++i)
                script.walk((*path)[i - 1], (*path)[i]);
        } else {
            script.replaceWhole(box);
        }
    }
    for (int i = 0; i < suffix; ++i)
        script.same(box.right + i, box.bottom + i);
    return script.take();
}

std::vector<DiffHunk> diffHunks(const std::vector<DiffLine>& script, int context) {
    context = std::max(context, 0);
    std::vector<DiffHunk> hunks;
    const int n = static_cast<int>(script.size());
    int i = 0;
    while (i < n) {
        while (i < n && script[static_cast<std::size_t>(i)].kind == DiffKind::Same)
            ++i;
        if (i == n)
            break;
        // The hunk runs from `context` lines before this change to `context` lines after
        // the last change that at most twice the context separates from the one before.
        const int begin = std::max(0, i - context);
        int lastChange = i;
        for (int j = i; j < n && j - lastChange <= 2 * context + 1; ++j) {
            if (script[static_cast<std::size_t>(j)].kind != DiffKind::Same)
                lastChange = j;
        }
        const int end = std::min(n, lastChange + context + 1);
        DiffHunk hunk;
        hunk.lines.assign(script.begin() + begin, script.begin() + end);
        int oldBefore = 0; // old and new lines before the hunk
        int newBefore = 0;
        for (int j = begin - 1; j >= 0 && (oldBefore == 0 || newBefore == 0); --j) {
            const DiffLine& line = script[static_cast<std::size_t>(j)];
            if (oldBefore == 0 && line.oldLine > 0)
                oldBefore = line.oldLine;
            if (newBefore == 0 && line.newLine > 0)
                newBefore = line.newLine;
        }
        for (const DiffLine& line : hunk.lines) {
            hunk.oldCount += line.oldLine > 0;
            hunk.newCount += line.newLine > 0;
        }
        hunk.oldStart = hunk.oldCount > 0 ? oldBefore + 1 : oldBefore;
        hunk.newStart = hunk.newCount > 0 ? newBefore + 1 : newBefore;
        hunks.push_back(std::move(hunk));
        i = end;
    }
    return hunks;
}

std::vector<SideBySideRow> sideBySideRows(const std::vector<DiffLine>& lines) {
    std::vector<SideBySideRow> rows;
    std::size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].kind == DiffKind::Same) {
            rows.push_back({RowKind::Same, lines[i].oldLine, lines[i].newLine});
            ++i;
            continue;
        }
        std::vector<int> removed;
        std::vector<int> added;
        for (; i < lines.size() && lines[i].kind != DiffKind::Same; ++i) {
            if (lines[i].kind == DiffKind::Removed)
                removed.push_back(lines[i].oldLine);
            else
                added.push_back(lines[i].newLine);
        }
        for (std::size_t k = 0; k < std::max(removed.size(), added.size()); ++k) {
            const int oldLine = k < removed.size() ? removed[k] : 0;
            const int newLine = k < added.size() ? added[k] : 0;
            const RowKind kind = oldLine && newLine ? RowKind::Changed
                                 : oldLine          ? RowKind::Removed
                                                    : RowKind::Added;
            rows.push_back({kind, oldLine, newLine});
        }
    }
    return rows;
}

DiffCounts countChanges(const std::vector<DiffLine>& script) {
    DiffCounts counts;
    for (const DiffLine& line : script) {
        counts.removed += line.kind == DiffKind::Removed;
        counts.added += line.kind == DiffKind::Added;
    }
    return counts;
}

} // namespace cockpix
