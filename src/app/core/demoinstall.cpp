#include "app/core/demoinstall.h"

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "settings/core/settings.h"
#include "settings/core/shippedfiles.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

// The demo's panel, as the generator lays it out.
constexpr const char* kDemoPanelDir = "fs98/aircraft/demo_cessna/panel/";
constexpr const char* kDemoGaugesDir = "fs98/gauges/";

bool holdsDemo(const std::string& dir) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(withSlash(dir) + kDemoPanelDir) / "panel.cfg", ec);
}

// Copies the demo's files (not its settings folder, which prepareDemo writes anew) into
// target, which must not exist yet.
std::string copyDemoFiles(const fs::path& from, const fs::path& target) {
    std::error_code ec;
    fs::create_directories(target, ec);
    if (ec)
        return "cannot create " + target.string() + ": " + ec.message();
    for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        const fs::path relative = it->path().lexically_relative(from);
        if (*relative.begin() == "config") {
            it.disable_recursion_pending();
            continue;
        }
        const fs::path copy = target / relative;
        if (it->is_directory(ec)) {
            fs::create_directories(copy, ec);
            continue;
        }
        const auto bytes = readWholeFile(it->path().string());
        if (!bytes || writeFileAtomically(copy.string(), *bytes) != 0)
            return "cannot copy " + it->path().string() + " to " + copy.string();
    }
    return ec ? "cannot read " + from.string() + ": " + ec.message() : std::string();
}

} // namespace

std::optional<std::string> findDemoDir(const std::string& programDir) {
    std::vector<std::string> candidates;
    if (const std::string fromEnv = environmentValue("COCKPIX_DEMO_DIR"); !fromEnv.empty())
        candidates = {fromEnv};
    else
        candidates = {withSlash(programDir) + "../demo",
                      installedDataDir(withSlash(programDir)) + "demo"};
    for (const std::string& dir : candidates) {
        if (!holdsDemo(dir))
            continue;
        std::error_code ec;
        const fs::path normal = fs::weakly_canonical(fs::path(dir), ec);
        return withSlash(ec ? dir : normal.string());
    }
    return std::nullopt;
}

std::string userDemoDir() {
    // The XDG rules ignore a relative XDG_DATA_HOME.
    const std::string xdg = environmentValue("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return withSlash(xdg) + "cockpix/demo/";
    const std::string home = environmentValue("HOME");
    return home.empty() ? std::string() : withSlash(home) + ".local/share/cockpix/demo/";
}

DemoPlace writableDemoDir(const std::string& demoDir, const std::string& programDir,
                          const std::string& userDir) {
    // The installed demo is shared by every user of the machine, root included, so nobody
    // runs on it directly.
    std::error_code ec;
    const bool installed =
        fs::equivalent(demoDir, installedDataDir(withSlash(programDir)) + "demo", ec);
    if (!installed && ::access(demoDir.c_str(), W_OK) == 0)
        return {withSlash(demoDir), {}};
    if (userDir.empty())
        return {{},
                "the demo in " + demoDir +
                    " cannot be written, and there is no home folder "
                    "to copy it to"};
    if (holdsDemo(userDir))
        return {withSlash(userDir), {}};
    const fs::path target = fs::path(withSlash(userDir)).parent_path();
    if (fs::exists(target, ec))
        return {{},
                target.string() + " exists but holds no demo panel; move it away to get a "
                                  "fresh copy of the demo"};
    // Copied aside and renamed into place only once whole, so that a copy cut short is never
    // taken for the demo the next time.
    const fs::path partial = target.string() + ".partial-" + std::to_string(::getpid());
    fs::remove_all(partial, ec);
    std::string problem = copyDemoFiles(fs::path(withSlash(demoDir)), partial);
    if (problem.empty()) {
        fs::rename(partial, target, ec);
        if (ec)
            problem = "cannot create " + target.string() + ": " + ec.message();
    }
    if (!problem.empty()) {
        fs::remove_all(partial, ec);
        return {{}, problem};
    }
    return {withSlash(target.string()), {}};
}

DemoInstall demoInstall(const std::string& demoDir, const std::string& programDir) {
    DemoInstall demo;
    demo.demoDir = withSlash(demoDir);
    demo.configDir = demo.demoDir + "config/";
    demo.dirs.gaugesDir = demo.demoDir + kDemoGaugesDir;
    demo.dirs.bmpDir = demo.dirs.gaugesDir + "bmp/";
    demo.dirs.paletteDir = demo.dirs.gaugesDir + "palette/";
    demo.dirs.panelDir = demo.demoDir + kDemoPanelDir;
    demo.dirs.programDir = withSlash(programDir);
    demo.panelPath = demo.dirs.panelDir + "panel.cfg";
    return demo;
}

std::string prepareDemo(const DemoInstall& demo) {
    std::error_code ec;
    for (const std::string& dir : {demo.dirs.bmpDir, demo.dirs.paletteDir, demo.configDir}) {
        fs::create_directories(dir, ec);
        if (ec)
            return "cannot create " + dir + ": " + ec.message();
    }
    const std::string settings = demo.configDir + "cockpix.ini";
    if (!writeSettings(demo.dirs, settings))
        return "cannot write " + settings;
    return {};
}

} // namespace cockpix
