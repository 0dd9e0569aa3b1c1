#include "panel/core/panelformat.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "base/core/linecutter.h"
#include "base/core/numbertext.h"
#include "panel/core/laterpanel.h"

#include <array>

namespace cockpix {
namespace {

// Window keys of the later format, by their whole name.
constexpr std::array<std::string_view, 12> kLaterWindowKeys = {
    "window_size", "window_pos", "background_color", "pixel_size", "zorder",  "nomenu",
    "sizeable",    "child_3d",   "render_3d_window", "type",       "texture", "no_luminous"};

// The fields of a gauge line, not counting empty ones at its end ("a, 1, 2," has three).
std::size_t gaugeFieldCount(std::string_view value) {
    std::size_t count = 0;
    std::size_t counted = 0;
    for (std::size_t start = 0;; ++count) {
        const std::size_t comma = value.find(',', start);
        if (!trimmedBlanks(value.substr(start, comma - start)).empty())
            counted = count + 1;
        if (comma == std::string_view::npos)
            return counted;
        start = comma + 1;
    }
}

class Detector {
public:
    bool later() const { return m_later; }

    void line(std::string_view text) {
        text = trimmedBlanks(text);
        if (text.empty() || text.front() == ';' || text.substr(0, 2) == "//")
            return;
        if (text.front() == '[')
            header(text);
        else if (const std::size_t equals = text.find('='); equals != std::string_view::npos)
            key(trimmedBlanks(text.substr(0, equals)), trimmedBlanks(text.substr(equals + 1)));
    }

    void end() { endWindow(); }

private:
    enum class Section { Other, Titles, Window };

    void header(std::string_view text) {
        endWindow();
        std::string_view name = text.substr(1, text.find(']') - 1);
        name = trimmedBlanks(name);
        m_section = Section::Other;
        if (startsWithIgnoringCase(name, "vcockpit") || equalsIgnoringCase(name, "color") ||
            equalsIgnoringCase(name, "views")) {
            m_later = true;
        } else if (equalsIgnoringCase(name, "window titles")) {
            m_section = Section::Titles;
        } else if (const long number = numberAfterPrefix(name, "window"); number >= 0) {
            m_later = m_later || number >= 9;
            m_section = Section::Window;
            m_windowHasFile = false;
        }
    }

    void key(std::string_view name, std::string_view value) {
        if (m_section == Section::Titles && numberAfterPrefix(name, "window") >= 9)
            m_later = true;
        if (m_section == Section::Window)
            windowKey(name, value);
    }

    void windowKey(std::string_view name, std::string_view value) {
        if (equalsIgnoringCase(name, "file")) {
            m_windowHasFile = true;
            return;
        }
        if (startsWithIgnoringCase(name, "gauge")) {
            const std::string_view gaugeName = value.substr(0, value.find(','));
            m_later = m_later || gaugeName.find('!') != std::string_view::npos ||
                      gaugeFieldCount(value) > 4;
            return;
        }
        if (equalsIgnoringCase(name, "ident")) {
            m_later = m_later || (!value.empty() && !strictNumericValue(value));
            return;
        }
        for (std::string_view laterKey : kLaterWindowKeys)
            m_later = m_later || equalsIgnoringCase(name, laterKey);
        m_later = m_later || numberAfterPrefix(name, "file_") >= 0;
    }

    void endWindow() {
        if (m_section == Section::Window && !m_windowHasFile)
            m_later = true;
    }

    Section m_section = Section::Other;
    bool m_windowHasFile = false;
    bool m_later = false;
};

} // namespace

PanelFormat detectPanelFormat(std::string_view bytes) {
    // The byte order mark of a file saved as UTF-8 would hide a header on the first line.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    Detector detector;
    LineCutter lines(bytes);
    LineCutter::Line line;
    while (!detector.later()) {
        if (!lines.next(line)) {
            detector.end();
            break;
        }
        detector.line(bytes.substr(line.start, line.length));
    }
    return detector.later() ? PanelFormat::Later : PanelFormat::Fs98;
}

std::string_view panelFormatName(PanelFormat format) {
    return format == PanelFormat::Later ? "FS2000 and later" : "FS98";
}

} // namespace cockpix
