#include "app/core/demoinstall.h"

#include "app/core/settings.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

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

} // namespace

std::optional<std::string> findDemoDir(const std::string& programDir) {
    std::string dir;
    if (const char* fromEnv = std::getenv("COCKPIX_DEMO_DIR"); fromEnv && *fromEnv)
        dir = fromEnv;
    else
        dir = withSlash(programDir) + "../demo";
    std::error_code ec;
    const fs::path panel = fs::path(withSlash(dir) + kDemoPanelDir) / "panel.cfg";
    if (!fs::is_regular_file(panel, ec))
        return std::nullopt;
    const fs::path normal = fs::weakly_canonical(fs::path(dir), ec);
    return withSlash(ec ? dir : normal.string());
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
