#include "gaugefiles/core/fs2k/instrumentlist.h"

#include "base/core/asciicase.h"
#include "base/core/filelookup.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>

namespace cockpix::fs2k {
namespace {

namespace fs = std::filesystem;

bool endsWithIgnoringCase(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() &&
           equalsIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

// What a line can hold as a path: its fields part at commas, a comment starts at ';'.
bool writable(std::string_view path) {
    return std::none_of(path.begin(), path.end(), [](char c) {
        return c == ',' || c == ';' || static_cast<unsigned char>(c) < 0x20;
    });
}

class Walk {
public:
    Walk(const InstrumentListLimits& limits, InstrumentList& list)
        : m_limits(limits), m_list(list) {}

    // Every .html under root, as paths relative to it, folder by folder.
    void run(const std::string& root) {
        std::vector<std::pair<fs::path, std::string>> folders{{fs::path(root), std::string()}};
        while (!folders.empty() && !m_list.cut) {
            auto [folder, relative] = std::move(folders.back());
            folders.pop_back();
            const std::size_t depth = std::count(relative.begin(), relative.end(), '/');
            std::error_code error;
            fs::directory_iterator it(folder, error);
            for (; !error && it != fs::directory_iterator(); it.increment(error)) {
                if (++m_names > m_limits.names || m_found.size() >= m_limits.entries) {
                    m_list.cut = true;
                    return;
                }
                const std::string name = it->path().filename().string();
                std::error_code typeError;
                if (it->is_directory(typeError)) {
                    if (depth < m_limits.depth && !it->is_symlink(typeError))
                        folders.emplace_back(it->path(), relative + name + "/");
                } else if (endsWithIgnoringCase(name, ".html")) {
                    take(relative + name);
                }
            }
        }
    }

    void take(std::string path) {
        if (writable(path) && m_found.insert(asciiLowered(path)).second)
            m_list.paths.push_back(std::move(path));
    }

private:
    const InstrumentListLimits& m_limits;
    InstrumentList& m_list;
    std::size_t m_names = 0;
    std::set<std::string> m_found; // lower case: a path MSFS finds once
};

} // namespace

InstrumentList listInstruments(const std::vector<std::string>& dirs, const std::string& panelDir,
                               const InstrumentListLimits& limits) {
    InstrumentList list;
    Walk walk(limits, list);
    for (const std::string& dir : dirs) {
        if (!dir.empty())
            walk.run(dir);
    }
    std::error_code error;
    fs::directory_iterator it(panelDir.empty() ? fs::path() : fs::path(panelDir), error);
    for (std::size_t n = 0; !panelDir.empty() && !error && it != fs::directory_iterator() &&
                            n < limits.names && list.paths.size() < limits.entries;
         it.increment(error), ++n) {
        const std::string name = it->path().filename().string();
        if (endsWithIgnoringCase(name, ".wasm"))
            walk.take("WasmInstrument/WasmInstrument.html?wasm_module=" + name + "&wasm_gauge=");
    }
    std::sort(list.paths.begin(), list.paths.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = asciiLowered(a);
        const std::string lowerB = asciiLowered(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    return list;
}

std::vector<std::string> liveryDirs(const std::vector<std::string>& instrumentDirs) {
    constexpr std::string_view kInstruments = "VCockpit/Instruments/";
    std::vector<std::string> dirs;
    for (const std::string& dir : instrumentDirs) {
        if (endsWithIgnoringCase(dir, kInstruments))
            dirs.push_back(resolvePathIgnoringCase(dir.substr(0, dir.size() - kInstruments.size()) +
                                                   "VLivery/Liveries/"));
    }
    return dirs;
}

GaugeLineKind kindToAdd(const Window& window, bool msfs) {
    if (window.kind == WindowKind::Vpainting)
        return GaugeLineKind::Painting;
    if (window.kind != WindowKind::Vcockpit)
        return GaugeLineKind::Gauge;
    const auto holds = [&window](GaugeLineKind kind) {
        return std::any_of(window.gauges.begin(), window.gauges.end(),
                           [kind](const Gauge& gauge) { return gauge.kind == kind; });
    };
    return msfs || (holds(GaugeLineKind::HtmlGauge) && !holds(GaugeLineKind::Gauge))
               ? GaugeLineKind::HtmlGauge
               : GaugeLineKind::Gauge;
}

} // namespace cockpix::fs2k
