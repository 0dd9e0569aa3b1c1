#include "panel/core/fs2k/variant.h"

#include "base/core/binarydata.h"
#include "base/core/blanks.h"
#include "base/core/filelookup.h"
#include "base/core/smallfilecache.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <stdexcept>

namespace cockpix::fs2k {
namespace {

// No aircraft has bases this deep; a longer chain is as bad as a loop.
constexpr std::size_t kMaxBases = 16;

// The value of key in the first section of that name, or "" when either is absent.
std::string_view valueOf(const PanelLines& lines, std::string_view section, std::string_view key) {
    const std::size_t s = lines.findSection(section);
    if (s == PanelLines::npos)
        return {};
    const std::size_t line = lines.findKey(s, key);
    return line == PanelLines::npos ? std::string_view() : unquoted(lines.value(line));
}

bool overridesBase(const PanelLines& lines) {
    return valueOf(lines, "VARIATION", "override_base_container") != "0";
}

std::string parentDir(const std::string& dir) {
    std::filesystem::path path(dir);
    if (!path.has_filename())
        path = path.parent_path();
    const std::string parent = path.parent_path().generic_string();
    return parent.empty() || parent.back() == '/' ? parent : parent + "/";
}

// A file read whole as text, or nullopt (missing, unreadable, binary, over 4 GiB).
std::optional<PanelLines> readLines(const std::string& path) {
    std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes || holdsBinaryData(*bytes))
        return std::nullopt;
    try {
        return PanelLines(std::move(*bytes));
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

// The aircraft.cfg of aircraftDir as text: the name as written first, which is nearly always
// how it is on disk (one read, which the texture check's own read of it then shares).
std::optional<PanelLines> readAircraftCfg(const std::string& aircraftDir, SmallFileCache& files) {
    const std::string written = aircraftDir + "aircraft.cfg";
    std::shared_ptr<const FileRead> cfg = files.read(written);
    if (cfg->outcome == FileRead::Outcome::Missing) {
        const std::optional<std::string> found = findPathIgnoringCase(written);
        if (!found || *found == written)
            return std::nullopt;
        cfg = files.read(*found);
    }
    if (!cfg->read() || holdsBinaryData(cfg->bytes))
        return std::nullopt;
    try {
        return PanelLines(std::string(cfg->bytes));
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

// The base container aircraftDir's aircraft.cfg names, as a path (not looked up); "" for none.
std::string baseContainerOf(const std::string& aircraftDir, SmallFileCache& files) {
    const std::optional<PanelLines> lines = readAircraftCfg(aircraftDir, files);
    const std::string relative = lines ? baseContainerIn(*lines) : std::string();
    if (relative.empty())
        return {};
    return (std::filesystem::path(aircraftDir) / relative).lexically_normal().generic_string();
}

std::string canonical(const std::string& path) {
    std::error_code error;
    const std::filesystem::path found = std::filesystem::weakly_canonical(path, error);
    return error ? path : found.generic_string();
}

class ChainWalk {
public:
    ChainWalk(const std::string& panelDir, SmallFileCache& files)
        : m_ownFile(panelDir + "panel.cfg"), m_files(files) {}

    // Follows the bases from the panel in panelDir with these lines.
    VariantBase walk(std::string panelDir, const PanelLines& own) {
        const PanelLines* lines = &own;
        for (;;) {
            const std::string container = baseContainerOf(parentDir(panelDir), m_files);
            if (container.empty())
                return std::move(m_result);
            const std::string wanted = container + "/panel/panel.cfg";
            const std::optional<std::string> found = findPathIgnoringCase(wanted);
            const bool first = m_result.use == BaseUse::None && m_result.bases.empty();
            if (!found) {
                if (!overridesBase(*lines))
                    m_result.problems.push_back(
                        {"base-missing", "the base container's panel " + wanted + " is not there"});
                return std::move(m_result);
            }
            // Most panels name no base: their own path is made canonical only when one does.
            if (m_seen.empty())
                m_seen.insert(canonical(m_ownFile));
            if (!m_seen.insert(canonical(*found)).second) {
                // The variant's own file named as its base is no base at all.
                if (!first)
                    m_result.problems.push_back(
                        {"base-loop",
                         "the base containers name each other in a loop, back to " + *found});
                return std::move(m_result);
            }
            if (first)
                m_result.basePanel = *found;
            if (overridesBase(*lines)) {
                if (first)
                    m_result.use = BaseUse::Replaced;
                return std::move(m_result);
            }
            m_result.use = BaseUse::Merged;
            if (m_result.bases.size() == kMaxBases) {
                m_result.problems.push_back({"base-loop", "the base containers go deeper than " +
                                                              std::to_string(kMaxBases) +
                                                              " panels"});
                return std::move(m_result);
            }
            std::optional<PanelLines> base = readLines(*found);
            if (!base) {
                m_result.problems.push_back(
                    {"base-unreadable",
                     "the base container's panel " + *found + " cannot be read as text"});
                return std::move(m_result);
            }
            m_result.bases.push_back({*found, std::move(*base)});
            lines = &m_result.bases.back().lines;
            panelDir = parentDir(*found);
        }
    }

private:
    std::string m_ownFile;
    SmallFileCache& m_files;
    std::set<std::string> m_seen;
    VariantBase m_result;
};

// Section names as a set ignoring case.
struct NoCase {
    bool operator()(std::string_view a, std::string_view b) const {
        return asciiLowered(a) < asciiLowered(b);
    }
};
using NameSet = std::set<std::string, NoCase>;

void addNames(const PanelLines& lines, NameSet& names) {
    for (std::size_t s = 0; s < lines.sectionCount(); ++s)
        names.emplace(lines.sectionName(s));
}

} // namespace

std::string baseContainerIn(const PanelLines& aircraftCfg) {
    std::string_view base = valueOf(aircraftCfg, "VARIATION", "base_container");
    if (base.empty())
        base = valueOf(aircraftCfg, "LIVERY", "base_container");
    std::string relative(base);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return relative;
}

VariantBase findVariantBase(const std::string& panelDir, const PanelLines& lines) {
    SmallFileCache files;
    return findVariantBase(panelDir, lines, files);
}

VariantBase findVariantBase(const std::string& panelDir, const PanelLines& lines,
                            SmallFileCache& files) {
    ChainWalk walk(panelDir, files);
    return walk.walk(panelDir, lines);
}

std::vector<BaseSection> baseSectionsUsed(const PanelLines& own,
                                          const std::vector<BasePanel>& bases) {
    NameSet nearer;
    addNames(own, nearer);
    std::vector<BaseSection> used;
    for (std::size_t b = 0; b < bases.size(); ++b) {
        const PanelLines& lines = bases[b].lines;
        for (std::size_t s = 0; s < lines.sectionCount(); ++s) {
            if (!nearer.contains(std::string(lines.sectionName(s))))
                used.push_back({b, s});
        }
        addNames(lines, nearer);
    }
    return used;
}

MergedPanel::MergedPanel(const PanelLines& own, const std::vector<BasePanel>& bases)
    : m_ownLines(own.lineCount()) {
    std::string bytes = own.bytes();
    const std::string end(own.usualLineEnd());
    if (m_ownLines > 0 && own.lineEnd(m_ownLines - 1).empty())
        bytes += end;
    for (const BaseSection& used : baseSectionsUsed(own, bases)) {
        const PanelLines& lines = bases[used.base].lines;
        for (std::size_t line = lines.headerLine(used.section);
             line < lines.sectionEnd(used.section); ++line) {
            bytes += lines.text(line);
            bytes += end;
            m_origins.push_back({used.base, line});
        }
    }
    m_lines = PanelLines(std::move(bytes));
}

} // namespace cockpix::fs2k
