#include "panel/core/fs2k/panel.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <future>
#include <limits>
#include <system_error>
#include <thread>

namespace cockpix::fs2k {
namespace {

// The key as a name: the spelling without the underscore FS accepts too.
bool isRatioKey(std::string_view key) {
    return equalsIgnoringCase(key, "window_size_ratio") ||
           equalsIgnoringCase(key, "windowsize_ratio");
}

template <class Keys> const Key* findIn(const Keys& keys, std::string_view key) {
    for (const Key& entry : keys) {
        if (sameKey(entry.key, key))
            return &entry;
    }
    return nullptr;
}

// The digits of a plain number from at, with at most one decimal point among or after them:
// where they stop, and the number they make (its digits an integer, so many of them after the
// point).
struct PlainDigits {
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
};
const char* plainDigits(const char* at, const char* end, PlainDigits& read) {
    bool point = false;
    for (; at != end; ++at) {
        const char c = *at;
        if (c >= '0' && c <= '9') {
            read.mantissa = read.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            read.decimals += point ? 1 : 0;
            ++read.digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return at;
}

// Of at most 15 digits: a whole number, the common case, needs no division.
double plainValue(const PlainDigits& read, bool negative) {
    static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = read.decimals == 0
                             ? static_cast<double>(read.mantissa)
                             : static_cast<double>(read.mantissa) / kPowers[read.decimals];
    return negative ? -value : value;
}

// The leading number of a field written as most are, [-]digits[.digits] with at most 15
// digits and no exponent, into value; false for any other field. Such a number is an integer below
// 2^53 divided by an exact power of ten, one division that rounds as a full decimal
// conversion does: the same value, at a fraction of the cost, for the hundreds of thousands
// of gauge fields of a big panel. (A plain double goes back, not an optional one: the gauge
// lines are read many times faster so.)
bool plainDecimal(std::string_view field, double& value) {
    const char* const end = field.data() + field.size();
    const bool negative = !field.empty() && field.front() == '-';
    PlainDigits read;
    const char* const stop = plainDigits(field.data() + (negative ? 1 : 0), end, read);
    // An exponent would go on the number; no digit at all is not a plain number.
    if (read.digits == 0 || read.digits > 15 || (stop != end && (*stop == 'e' || *stop == 'E')))
        return false;
    value = plainValue(read, negative);
    return true;
}

// FS reads the numbers of its later panels as C does: the leading number of the field, "."
// as decimal point; one too large to hold is the largest there is, one too small 0. A field
// without a number (empty, a word, "nan", "inf") sets nothing: no value of a panel is ever
// other than finite. False when there is no number.
bool fieldNumber(std::string_view field, double& number) {
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (plainDecimal(field, number))
        return true;
    // A field no digit or point can start (empty, a word, "inf", "nan") holds no finite
    // number; the general conversion is slow to say so.
    const std::size_t lead = !field.empty() && field.front() == '-' ? 1 : 0;
    if (field.size() == lead || !((field[lead] >= '0' && field[lead] <= '9') || field[lead] == '.'))
        return false;
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Whether it overflowed or underflowed, strtod says, on the rare field it takes.
        const double huge = std::strtod(std::string(field).c_str(), nullptr);
        number = huge == 0  ? 0.0
                 : huge < 0 ? -std::numeric_limits<double>::max()
                            : std::numeric_limits<double>::max();
        return true;
    }
    if (error != std::errc() || !std::isfinite(value))
        return false;
    number = value;
    return true;
}

// A field that is blanks, a plain number (an optional sign, at most 15 digits with a
// decimal point among or after them) and blanks, up to a comma or end: its value, as
// fieldNumber reads it, and where the field ends (the comma, or end). nullptr for any other
// field, which fieldNumber then reads.
const char* plainField(const char* at, const char* end, double& value) {
    while (at != end && isBlank(*at))
        ++at;
    const bool negative = at != end && *at == '-';
    if (at != end && (*at == '-' || *at == '+'))
        ++at;
    PlainDigits read;
    at = plainDigits(at, end, read);
    while (at != end && isBlank(*at))
        ++at;
    if (read.digits == 0 || read.digits > 15 || (at != end && *at != ','))
        return nullptr;
    value = plainValue(read, negative);
    return at;
}

// Calls take(index, field) for the name (index 0) and each field of a gauge line's value.
template <class Take> void eachGaugeField(std::string_view value, const Take& take) {
    std::size_t start = 0;
    for (std::size_t index = 0;; ++index) {
        std::size_t comma = start;
        while (comma < value.size() && value[comma] != ',')
            ++comma;
        take(index, trimmedBlanks(value.substr(start, comma - start)));
        if (comma == value.size())
            return;
        start = comma + 1;
    }
}

Gauge gaugeOf(const PanelLines& lines, std::size_t line, long number, GaugeLineKind kind) {
    Gauge gauge;
    gauge.kind = kind;
    gauge.number = number;
    gauge.line = line;
    std::optional<double>* numbers[] = {&gauge.x, &gauge.y, &gauge.width, &gauge.height};
    const std::string_view value = lines.value(line);
    // The name by a byte search (it is most of the line), then the few short fields after
    // it by one plain pass: a library search per comma costs more than the field.
    const std::size_t nameEnd = value.find(',');
    if (nameEnd == std::string_view::npos)
        return gauge;
    const char* const end = value.data() + value.size();
    const char* start = value.data() + nameEnd + 1;
    for (std::size_t index = 0; index < 4; ++index) {
        // Nearly every field is a plain number between blanks: read in the same pass that
        // finds the comma after it.
        if (double field = 0; const char* after = plainField(start, end, field)) {
            *numbers[index] = field;
            gauge.fieldCount = index + 1;
            if (after == end)
                return gauge;
            start = after + 1;
            continue;
        }
        // Any other field: its end and its blanks in one pass, then the general reading.
        while (start != end && isBlank(*start))
            ++start;
        const char* comma = start;
        const char* filled = start; // one past its last byte that is not a blank
        for (; comma != end && *comma != ','; ++comma) {
            if (!isBlank(*comma))
                filled = comma + 1;
        }
        // Set only when a number is there: the gauge's fields start empty.
        if (double field = 0;
            fieldNumber(std::string_view(start, static_cast<std::size_t>(filled - start)), field))
            *numbers[index] = field;
        gauge.fieldCount = index + 1;
        if (comma == end)
            return gauge;
        start = comma + 1;
    }
    gauge.fieldCount += 1 + static_cast<std::size_t>(std::count(start, end, ','));
    return gauge;
}

Key keyOf(const PanelLines& lines, std::size_t line) {
    return {std::string(lines.key(line)), std::string(lines.value(line)), line};
}

// Calls take(line) for each Key line of section s.
template <class Take> void eachKeyLine(const PanelLines& lines, std::size_t s, const Take& take) {
    const std::size_t end = lines.sectionEnd(s);
    for (std::size_t line = lines.headerLine(s) + 1; line < end; ++line) {
        if (lines.kind(line) == LineKind::Key)
            take(line);
    }
}

class Reader {
public:
    Reader(const PanelLines& lines, Gauges gauges) : m_lines(lines), m_gauges(gauges) {}

    Panel read() {
        for (std::size_t s = 0; s < m_lines.sectionCount(); ++s)
            section(s);
        readWindows();
        return std::move(m_panel);
    }

private:
    struct WindowSection {
        std::size_t section;
        WindowKind kind;
        long number;
    };

    void section(std::size_t s) {
        const std::string_view name = m_lines.sectionName(s);
        WindowKind kind = WindowKind::Window;
        if (equalsIgnoringCase(name, "window titles"))
            titles(s);
        else if (const long number = windowSectionNumber(name, kind); number >= 0)
            m_windowSections.push_back({s, kind, number});
        else if (equalsIgnoringCase(name, "color"))
            m_panel.color = plain(s);
        else if (equalsIgnoringCase(name, "views"))
            m_panel.views = plain(s);
        else if (equalsIgnoringCase(name, "default view"))
            m_panel.defaultView = plain(s);
        else if (equalsIgnoringCase(name, "fltsim"))
            m_panel.fltsim = plain(s);
        else
            m_panel.otherSections.push_back(plain(s));
    }

    template <class Take> void eachKey(std::size_t s, const Take& take) const {
        eachKeyLine(m_lines, s, take);
    }

    void titles(std::size_t s) {
        eachKey(s, [&](std::size_t line) {
            const long number = numberAfterPrefix(m_lines.key(line), "window");
            if (number >= 0)
                m_panel.titles.push_back({number, std::string(m_lines.value(line)), line});
        });
    }

    // The windows in file order. Those of a big panel (most of its lines, mostly gauges) are
    // read on two threads, half of the lines each: each window reads its own lines only.
    void readWindows() {
        std::vector<Window>& windows = m_panel.windows;
        windows.resize(m_windowSections.size());
        const auto readRange = [&](std::size_t from, std::size_t to) {
            for (std::size_t w = from; w < to; ++w)
                windows[w] = window(m_windowSections[w]);
        };
        std::size_t lines = 0;
        for (const WindowSection& at : m_windowSections)
            lines += sectionLines(at.section);
        if (lines < kLinesForTwoThreads || std::thread::hardware_concurrency() < 2) {
            readRange(0, windows.size());
            return;
        }
        std::size_t half = 0;
        for (std::size_t seen = 0; half < m_windowSections.size() && seen < lines / 2; ++half)
            seen += sectionLines(m_windowSections[half].section);
        std::future<void> first;
        try {
            first = std::async(std::launch::async, readRange, 0, half);
        } catch (const std::system_error&) {
            readRange(0, windows.size()); // no thread to be had: one does it all
            return;
        }
        readRange(half, windows.size());
        first.get(); // what the other thread threw (no memory) is thrown here
    }

    std::size_t sectionLines(std::size_t s) const {
        return m_lines.sectionEnd(s) - m_lines.headerLine(s);
    }

    // Reading a section of this many lines costs about a millisecond: a thread costs far
    // less, a small panel needs none.
    static constexpr std::size_t kLinesForTwoThreads = 20000;

    Window window(const WindowSection& at) const {
        const auto [s, kind, number] = at;
        Window window;
        const bool keepGauges = m_gauges == Gauges::Kept;
        if (keepGauges)
            window.gauges.reserve(m_lines.sectionEnd(s) - m_lines.headerLine(s));
        window.kind = kind;
        window.number = number;
        window.header = m_lines.sectionName(s);
        window.section = s;
        window.headerLine = m_lines.headerLine(s);
        // The lambda reads the kind from window: clang before 16 cannot capture a binding.
        eachKey(s, [&](std::size_t line) {
            GaugeLineKind gaugeKind = GaugeLineKind::Gauge;
            const long gauge = gaugeKeyNumber(window.kind, m_lines.key(line), gaugeKind);
            if (gauge >= 0) {
                if (keepGauges)
                    window.gauges.push_back(gaugeOf(m_lines, line, gauge, gaugeKind));
            } else
                window.keys.push_back(keyOf(m_lines, line));
        });
        return window;
    }

    Section plain(std::size_t s) {
        Section section{std::string(m_lines.sectionName(s)), s, m_lines.headerLine(s), {}};
        eachKey(s, [&](std::size_t line) { section.keys.push_back(keyOf(m_lines, line)); });
        return section;
    }

    const PanelLines& m_lines;
    Gauges m_gauges;
    Panel m_panel;
    std::vector<WindowSection> m_windowSections; // in file order
};

} // namespace

std::string_view gaugeLineName(const PanelLines& lines, std::size_t line) {
    const std::string_view value = lines.value(line);
    return trimmedBlanks(value.substr(0, value.find(',')));
}

std::vector<std::string_view> gaugeFields(const PanelLines& lines, std::size_t line) {
    std::vector<std::string_view> fields;
    gaugeFields(lines, line, fields);
    return fields;
}

void gaugeFields(const PanelLines& lines, std::size_t line, std::vector<std::string_view>& fields) {
    fields.clear();
    eachGaugeField(lines.value(line), [&](std::size_t index, std::string_view field) {
        if (index > 0)
            fields.push_back(field);
    });
}

std::vector<std::optional<double>> numbersOf(std::string_view value) {
    std::vector<std::optional<double>> numbers;
    eachGaugeField(value, [&](std::size_t, std::string_view field) {
        double number = 0;
        numbers.push_back(fieldNumber(field, number) ? std::optional(number) : std::nullopt);
    });
    return numbers;
}

bool sameKey(std::string_view a, std::string_view b) {
    return equalsIgnoringCase(a, b) || (isRatioKey(a) && isRatioKey(b));
}

long numberAfterPrefix(std::string_view name, std::string_view prefix) {
    // A plain loop: it runs for every key line of every window.
    if (name.size() <= prefix.size())
        return -1;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (asciiLower(name[i]) != asciiLower(prefix[i]))
            return -1;
    }
    long value = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return -1;
        value = value > 99'999'999 ? 999'999'999 : value * 10 + (c - '0');
    }
    return value;
}

std::string_view gaugeKeyPrefix(GaugeLineKind kind) {
    switch (kind) {
    case GaugeLineKind::HtmlGauge:
        return "htmlgauge";
    case GaugeLineKind::Painting:
        return "painting";
    case GaugeLineKind::Gauge:
        break;
    }
    return "gauge";
}

long gaugeKeyNumber(WindowKind window, std::string_view key, GaugeLineKind& kind) {
    // A VPainting places paintings only; a virtual cockpit also MSFS's instruments; FS
    // reads gauge lines in every other window.
    const auto tryKind = [&](GaugeLineKind candidate) {
        const long number = numberAfterPrefix(key, gaugeKeyPrefix(candidate));
        if (number >= 0)
            kind = candidate;
        return number;
    };
    switch (window) {
    case WindowKind::Vpainting:
        return tryKind(GaugeLineKind::Painting);
    case WindowKind::Vcockpit:
        if (const long number = tryKind(GaugeLineKind::Gauge); number >= 0)
            return number;
        return tryKind(GaugeLineKind::HtmlGauge);
    case WindowKind::Window:
        break;
    }
    return tryKind(GaugeLineKind::Gauge);
}

long windowSectionNumber(std::string_view name, WindowKind& kind) {
    static constexpr std::pair<std::string_view, WindowKind> kPrefixes[] = {
        {"window", WindowKind::Window},
        {"vcockpit", WindowKind::Vcockpit},
        {"vpainting", WindowKind::Vpainting},
    };
    for (const auto& [prefix, candidate] : kPrefixes) {
        if (const long number = numberAfterPrefix(name, prefix); number >= 0) {
            kind = candidate;
            return number;
        }
    }
    return -1;
}

const Key* Window::find(std::string_view key) const {
    return findIn(keys, key);
}

const Key* Section::find(std::string_view key) const {
    return findIn(keys, key);
}

const Title* Panel::titleOf(long number) const {
    for (const Title& title : titles) {
        if (title.number == number)
            return &title;
    }
    return nullptr;
}

const Window* Panel::windowOf(long number) const {
    for (const Window& window : windows) {
        if (window.kind == WindowKind::Window && window.number == number)
            return &window;
    }
    return nullptr;
}

Panel readPanel(const PanelLines& lines, Gauges gauges) {
    return Reader(lines, gauges).read();
}

std::optional<std::size_t> gaugeIndexOfLine(const Window& window, std::size_t line) {
    for (std::size_t g = 0; g < window.gauges.size(); ++g) {
        if (window.gauges[g].line == line)
            return g;
    }
    return std::nullopt;
}

void eachGauge(const PanelLines& lines, const Window& window,
               const std::function<void(const Gauge&)>& take) {
    eachKeyLine(lines, window.section, [&](std::size_t line) {
        GaugeLineKind kind = GaugeLineKind::Gauge;
        if (const long number = gaugeKeyNumber(window.kind, lines.key(line), kind); number >= 0)
            take(gaugeOf(lines, line, number, kind));
    });
}

} // namespace cockpix::fs2k
