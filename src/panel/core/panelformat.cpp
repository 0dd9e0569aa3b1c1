#include "panel/core/panelformat.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "base/core/filelookup.h"
#include "base/core/linecutter.h"
#include "base/core/numbertext.h"
#include "panel/core/fs2k/panel.h"

#include <array>
#include <filesystem>

namespace cockpix {
namespace {

// How many folders above a panel.cfg are looked at for a simulator's or a package's folder:
// a 2024 preset's panel lies five below its package.
constexpr int kPlaceDepth = 8;

// Window keys of the fs2k format, by their whole name.
constexpr std::array<std::string_view, 12> kFs2kWindowKeys = {
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
    bool later() const { return m_fs2k; }

    // One line, its blanks trimmed.
    void line(std::string_view text) {
        if (text.empty())
            return;
        if (text.front() == '[') {
            header(text);
            return;
        }
        // Only headers count outside the titles and the windows, and there only keys that
        // start with a letter of a key looked at: most lines of a big file (comments, other
        // tools' keys) are passed over by their first byte.
        if (!mayCount(text.front()))
            return;
        if (const std::size_t equals = text.find('='); equals != std::string_view::npos)
            key(trimmedBlanks(text.substr(0, equals)), trimmedBlanks(text.substr(equals + 1)));
    }

    // A file without a single section (empty, or comments only) is no FS98 panel, which
    // always has its window titles; MSFS accepts one as a panel without windows.
    void end() {
        endWindow();
        m_fs2k = m_fs2k || !m_sawHeader;
    }

    // Whether a key line starting with first can be a mark in the current section: a title
    // (Window09=), or a window's file=, gauge, ident= or later key.
    bool mayCount(char first) const {
        const char letter = asciiLower(first);
        if (m_section == Section::Titles)
            return letter == 'w';
        if (m_section != Section::Window)
            return false;
        if (letter == 'f' || letter == 'g' || letter == 'i')
            return true;
        for (std::string_view fs2kKey : kFs2kWindowKeys) {
            if (fs2kKey.front() == letter)
                return true;
        }
        return false;
    }

private:
    enum class Section { Other, Titles, Window };

    void header(std::string_view text) {
        endWindow();
        m_sawHeader = true;
        std::string_view name = text.substr(1, text.find(']') - 1);
        name = trimmedBlanks(name);
        m_section = Section::Other;
        if (startsWithIgnoringCase(name, "vcockpit") || startsWithIgnoringCase(name, "vpainting") ||
            equalsIgnoringCase(name, "variation") || equalsIgnoringCase(name, "color") ||
            equalsIgnoringCase(name, "views")) {
            m_fs2k = true;
        } else if (equalsIgnoringCase(name, "window titles")) {
            m_section = Section::Titles;
        } else if (const long number = fs2k::numberAfterPrefix(name, "window"); number >= 0) {
            m_fs2k = m_fs2k || number >= 9;
            m_section = Section::Window;
            m_windowHasFile = false;
        }
    }

    void key(std::string_view name, std::string_view value) {
        if (m_section == Section::Titles && fs2k::numberAfterPrefix(name, "window") >= 9)
            m_fs2k = true;
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
            m_fs2k = m_fs2k || gaugeName.find('!') != std::string_view::npos ||
                     gaugeFieldCount(value) > 4;
            return;
        }
        if (equalsIgnoringCase(name, "ident")) {
            m_fs2k = m_fs2k || (!value.empty() && !strictNumericValue(value));
            return;
        }
        // Most keys of a window are none of these: their first letter and length tell, so
        // that a file of many lines of other tools' keys is passed over quickly.
        const char first = name.empty() ? '\0' : asciiLower(name.front());
        for (std::string_view fs2kKey : kFs2kWindowKeys) {
            if (fs2kKey.front() == first && fs2kKey.size() == name.size() &&
                equalsIgnoringCase(name, fs2kKey))
                m_fs2k = true;
        }
        m_fs2k = m_fs2k || (first == 'f' && fs2k::numberAfterPrefix(name, "file_") >= 0);
    }

    void endWindow() {
        if (m_section == Section::Window && !m_windowHasFile)
            m_fs2k = true;
    }

    Section m_section = Section::Other;
    bool m_sawHeader = false;
    bool m_windowHasFile = false;
    bool m_fs2k = false;
};

// The alias= value of the first [fltsim] section: decided at its first alias= line or at
// the end of that section.
class AliasFinder {
public:
    explicit AliasFinder(bool wanted) : m_decided(!wanted) {}
    bool decided() const { return m_decided; }
    // Whether a line that is not a header can matter: inside the [fltsim] section only.
    bool wantsKeys() const { return !m_decided && m_inFltsim; }
    std::string take() { return std::move(m_alias); }

    // One line, its blanks trimmed.
    void line(std::string_view text) {
        if (!text.empty() && text.front() == '[') {
            const std::string_view name = trimmedBlanks(text.substr(1, text.find(']') - 1));
            m_decided = m_inFltsim;
            m_inFltsim = equalsIgnoringCase(name, "fltsim");
            return;
        }
        if (!m_inFltsim)
            return;
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos &&
            equalsIgnoringCase(trimmedBlanks(text.substr(0, equals)), "alias")) {
            m_alias = trimmedBlanks(text.substr(equals + 1));
            m_decided = true;
        }
    }

private:
    bool m_inFltsim = false;
    bool m_decided;
    std::string m_alias;
};

// The lines are cut once for both: the format is decided at its first later mark (or at the
// end), the alias at its [fltsim] section; the pass ends when both are.
PanelFormatAndAlias scan(std::string_view bytes, bool wantAlias, bool aliasOfFs2k) {
    Detector detector;
    AliasFinder alias(wantAlias);
    LineCutter lines(bytes);
    LineCutter::Line cut;
    for (bool first = true; !(detector.later() && (alias.decided() || !aliasOfFs2k));
         first = false) {
        if (!lines.next(cut)) {
            if (!detector.later())
                detector.end();
            break;
        }
        const std::string_view text = bytes.substr(cut.start, cut.length);
        // Most lines of a big file are told apart by their first byte: neither a header nor
        // a key either pass looks at.
        if (!first) {
            std::size_t lead = 0;
            while (lead < text.size() && isBlank(text[lead]))
                ++lead;
            const char front = lead < text.size() ? text[lead] : '\0';
            if (front != '[' && (detector.later() || !detector.mayCount(front)) &&
                !alias.wantsKeys())
                continue;
        }
        const std::string_view trimmed = trimmedBlanks(text);
        if (!detector.later()) {
            // The byte order mark of a file saved as UTF-8 would hide a header on the first
            // line from the format; the alias is looked for in the lines as they are, as ever.
            if (first && text.substr(0, 3) == "\xEF\xBB\xBF")
                detector.line(trimmedBlanks(text.substr(3)));
            else
                detector.line(trimmed);
        }
        if (!alias.decided())
            alias.line(trimmed);
    }
    if (detector.later())
        return {PanelFormat::Fs2k, aliasOfFs2k ? alias.take() : std::string()};
    return {PanelFormat::Fs98, alias.take()};
}

} // namespace

PanelFormat detectPanelFormat(std::string_view bytes) {
    return scan(bytes, false, false).format;
}

PanelFormatAndAlias detectPanelFormatAndAlias(std::string_view bytes, AliasOf of) {
    return scan(bytes, true, of == AliasOf::Both);
}

std::string fltsimAlias(std::string_view bytes) {
    AliasFinder alias(true);
    LineCutter lines(bytes);
    for (LineCutter::Line cut; !alias.decided() && lines.next(cut);)
        alias.line(trimmedBlanks(bytes.substr(cut.start, cut.length)));
    return alias.take();
}

bool liesInLaterPlace(const std::string& panelPath) {
    namespace fs = std::filesystem;
    const fs::path path = fs::path(panelPath).lexically_normal();
    // The folders' names first, which cost no look at the disk: nearly every later panel lies
    // below a SimObjects folder (or a 2024 attachments or presets one).
    int depth = 0;
    for (fs::path dir = path.parent_path(); !dir.empty() && depth < kPlaceDepth;
         dir = dir.parent_path(), ++depth) {
        const std::string name = asciiLowered(dir.filename().string());
        if (name == "simobjects" || name == "attachments" || name == "presets")
            return true;
        if (dir == dir.root_path())
            break;
    }
    // Else a package's root or a source project's folder above it.
    std::error_code error;
    depth = 0;
    for (fs::path dir = path.parent_path(); !dir.empty() && depth < kPlaceDepth;
         dir = dir.parent_path(), ++depth) {
        if (fs::is_regular_file(dir / "manifest.json", error) ||
            fs::is_directory(dir / "PackageSources", error))
            return true;
        if (dir == dir.root_path())
            break;
    }
    return false;
}

PanelFormat detectPanelFormatAt(const std::string& panelPath, std::string_view bytes) {
    return liesInLaterPlace(panelPath) ? PanelFormat::Fs2k : detectPanelFormat(bytes);
}

std::string_view panelFormatName(PanelFormat format) {
    return format == PanelFormat::Fs2k ? "FS2000 and later" : "FS98";
}

} // namespace cockpix
