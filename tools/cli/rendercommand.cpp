// cockpix-cli render: draws a panel window into a picture as the panel window shows it,
// without a window system, for one screen or for each screen FS98 users had.

#include "commands.h"
#include "gaugedirectories.h"
#include "openpanel.h"

#include "base/core/numbertext.h"
#include "base/core/pictureformat.h"
#include "base/core/screensize.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/panelsource.h"
#include "state/core/appmodel.h"

#ifdef COCKPIX_CLI_RENDER
#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "drawing/gui/fs2k/windowscene.h"
#include "drawing/gui/panelrenderer.h"
#include "drawing/gui/screenscenes.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs2k/textencoding.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>
#endif

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace cockpix::cli {
namespace {

constexpr ScreenSize kDefaultScreen{1024, 768};

void printRenderHelp() {
    std::printf(
        "Usage: cockpix-cli render PANEL_CFG --window N --out FILE.png\n"
        "                          [--screen WxH | --screens all | --screens WxH,WxH...]\n"
        "                          [--gauges-dir D] [--bmp-dir D] [--program-dir D]\n\n"
        "Opens PANEL_CFG as \"&Open\" does and draws panel window N (0..8) as the panel window\n"
        "shows it on a screen of WxH pixels (default: COCKPIX_SCREEN, else 1024x768): the\n"
        "screen frame in the panel back colour, the background at its position and every\n"
        "gauge cut out of its module, at its place and size. Like the panel window, it writes\n"
        "the extracted gauge bitmaps to the bitmap work directory (a temporary one, removed\n"
        "afterwards, when that cannot be written) and replaces a missing background by the\n"
        "default one; warnings go to stderr. The gauge modules come from --gauges-dir; without\n"
        "it, from the gauges folder of the FS98 installation PANEL_CFG lies in (FS98/gauges\n"
        "beside FS98/aircraft/NAME/panel), else from the settings file's gauges directory; the\n"
        "bitmap work directory is that directory's bmp/ unless --bmp-dir gives one. The\n"
        "settings file is never written, nor anything in the current directory but FILE.\n"
        "--screens all draws the window on each screen FS98 users had (640x480, 800x600,\n"
        "1024x768, 1280x1024, 1600x1200), one picture per screen named after FILE with the\n"
        "size before its extension (window-800x600.png); --screens also takes a list.\n"
        "A panel of FS2000 and later is drawn as its panel window shows it: --window N is its\n"
        "[WindowNN], or a section's name such as Vcockpit01; each gauge with its picture found\n"
        "where FS finds it (the panel folder, then the gauges folders of the installation it\n"
        "lies in, else the gauges directory), or, where none is, its\n"
        "outline with its name, the reason said on stderr.\n"
        "FILE's extension names the format: .png, .bmp (a Windows bitmap), .jpg or .jpeg;\n"
        "any other is refused. With --screens, each file written is printed on stdout.\n"
        "Exit status: 0 when the pictures were written, 1 when one could not be or the\n"
        "gauges directory is missing, 2 for a panel.cfg of abnormal structure, 64 for wrong\n"
        "arguments.\n");
}

// What stands in the way of finding the gauge modules, empty when nothing does.
[[maybe_unused]] std::string missingGaugesDir(const std::string& gaugesDir) {
    if (gaugesDir.empty())
        return "no gauges directory: PANEL_CFG is not in an FS98 installation (FS98/aircraft/"
               "NAME/panel beside FS98/gauges) and the settings file names none; give "
               "--gauges-dir DIR";
    std::error_code error;
    if (!std::filesystem::is_directory(gaugesDir, error))
        return "the gauges directory [" + gaugesDir + "] does not exist; give --gauges-dir DIR";
    return {};
}

[[maybe_unused]] int usageError(const std::string& text) {
    std::fprintf(stderr, "cockpix-cli render: %s (see cockpix-cli render --help)\n", text.c_str());
    return kUsageStatus;
}

#ifdef COCKPIX_CLI_RENDER
struct RenderTarget {
    std::string out;
    PictureFormat format;
    std::vector<ScreenSize> screens;
    bool perScreen = false; // one file per screen, named after out
};

// Writes pictures[i] for screens[i]; false (and said on stderr) when one cannot be written.
template <typename Paint> bool writePictures(const RenderTarget& target, const Paint& paint) {
    for (std::size_t i = 0; i < target.screens.size(); ++i) {
        const std::string path =
            target.perScreen ? pathForScreen(target.out, target.screens[i]) : target.out;
        const QImage picture = paint(target.screens[i]);
        if (picture.isNull() ||
            !picture.save(QString::fromStdString(path), pictureFormatName(target.format))) {
            std::fprintf(stderr, "cockpix-cli render: cannot write the picture [%s]\n",
                         path.c_str());
            return false;
        }
        if (target.perScreen)
            std::printf("%s\n", path.c_str());
    }
    return true;
}

// The section --window names in an fs2k panel: N is [WindowNN], a section's name (such
// as Vcockpit01) is that section, whatever its case.
std::optional<std::size_t> fs2kSectionIndex(const fs2k::Panel& panel, const std::string& text) {
    const auto number = strictNumericValue(text);
    for (std::size_t i = 0; i < panel.windows.size(); ++i) {
        const fs2k::Window& window = panel.windows[i];
        if (number ? window.kind == fs2k::WindowKind::Window && window.number == *number
                   : equalsIgnoringCase(trimmedBlanks(window.header), text))
            return i;
    }
    return std::nullopt;
}

// Draws a window of a panel of FS2000 and later as its panel window shows it: the same
// layout for each screen, the gauges' pictures found where FS finds them (the panel folder,
// then the gauges folder), named outlines where none is, each said on stderr once.
int renderFs2k(PanelSource source, const std::vector<std::string>& gaugesDirs,
               const std::string& windowText, const RenderTarget& target) {
    for (const std::string& dir : source.reroutes)
        std::fprintf(stderr, "%s\n", fs98::rerouteMessage(dir).toUtf8().c_str());
    const fs2k::PanelLines lines(std::move(source.bytes));
    const fs2k::Panel panel = fs2k::readPanel(lines);
    const std::optional<std::size_t> index = fs2kSectionIndex(panel, windowText);
    if (!index)
        return usageError("the panel has no section [Window" + windowText + "] nor [" + windowText +
                          "] (give N of [WindowNN], or a name such as Vcockpit01)");
    // The outlines' names need fonts, which only a Qt application has; no window system is
    // needed for them.
    std::unique_ptr<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 3;
        static char name[] = "cockpix-cli", platform[] = "-platform", offscreen[] = "offscreen";
        static char* argv[] = {name, platform, offscreen, nullptr};
        // Qt's own notes (a runtime directory it would like) are no warnings of this tool.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        });
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    fs2k::GaugePictures found;
    bool warned = false;
    const fs2k::PictureLookup pictures = [&](const std::vector<std::string_view>& names) {
        std::vector<fs2k::GaugePicture> shown = found.pictures(names, source.panelDir, gaugesDirs);
        for (std::size_t i = 0; i < shown.size() && !warned; ++i) {
            if (shown[i].picture.isNull() && !shown[i].reason.isEmpty())
                std::fprintf(stderr, "%s: %s\n", std::string(names[i]).c_str(),
                             shown[i].reason.toUtf8().constData());
        }
        warned = true;
        return shown;
    };
    fs2k::BackgroundCache backgrounds;
    const fs2k::SceneSource scene{&panel,          &lines,       fs2k::panelTextEncoding(lines),
                                  source.panelDir, &backgrounds, fs98::ViewPlacement{}};
    const bool written = writePictures(target, [&](ScreenSize screen) {
        return fs2k::renderWindowScene(
            fs2k::windowScene(scene, *index, QSize(screen.width, screen.height), pictures));
    });
    return written ? 0 : 1;
}
#endif

} // namespace

int runRender(std::span<const std::string> args) {
    if (wantsHelp(args)) {
        printRenderHelp();
        return 0;
    }
#ifndef COCKPIX_CLI_RENDER
    std::fprintf(stderr, "cockpix-cli render: this cockpix-cli was built without Qt "
                         "(COCKPIX_GUI=OFF), so it cannot draw pictures.\n");
    return 1;
#else
    static constexpr std::string_view kValueOptions[] = {"--window", "--screen", "--screens",
                                                         "--out"};
    GaugeCommandLine line = parseGaugeCommandLine(args, kValueOptions);
    if (!line.error.empty())
        return usageError(line.error);
    if (line.positional.size() != 1)
        return usageError("expected one PANEL_CFG argument");
    line.positional[0] = panelArgument(line.positional[0]);
    const auto windowText = optionValue(line, "--window");
    const auto out = optionValue(line, "--out");
    if (!windowText || !out)
        return usageError("--window N and --out FILE.png are required");
    const auto format = pictureFormatForPath(*out);
    if (!format)
        return usageError("the picture's name must end in .png, .bmp, .jpg or .jpeg (got '" + *out +
                          "')");
    const auto screenText = optionValue(line, "--screen");
    const auto screensText = optionValue(line, "--screens");
    if (screenText && screensText)
        return usageError("--screen and --screens cannot be given together");
    std::vector<ScreenSize> screens{screenSizeOverride().value_or(kDefaultScreen)};
    if (screenText) {
        const auto parsed = parseScreenSize(*screenText);
        if (!parsed)
            return usageError("--screen takes WIDTHxHEIGHT, for example 800x600");
        screens = {*parsed};
    }
    if (screensText) {
        const auto parsed = parseScreenSizeList(*screensText);
        if (!parsed)
            return usageError("--screens takes all, or sizes such as 800x600,1024x768");
        screens = *parsed;
    }

    // An fs2k panel is drawn by the fs2k panel window's own layout, never by FS98's rules
    // (which would take its window_size= for a size ratio).
    const std::string chosen = fullPath(line.positional[0]);
    if (PanelSource source = locatePanel(chosen, fs98::panelDirFromChosenPath(chosen));
        source.format == PanelFormat::Fs2k) {
        settleDirectoriesForPanel(line, chosen);
        std::vector<std::string> gaugesDirs = fs2kGaugesDirs(line, source.panelDir);
        return renderFs2k(std::move(source), gaugesDirs, *windowText,
                          {*out, *format, screens, screensText.has_value()});
    }
    const auto window = strictNumericValue(*windowText);
    if (!window || *window != static_cast<int>(*window) || *window < 0 || *window > 8)
        return usageError("--window takes a window number from 0 to 8");
    settleDirectoriesForPanel(line, chosen);
    const std::unique_ptr<OpenedPanel> opened = openPanel(line.positional[0], line.dirs);
    if (!opened)
        return kStructureErrorStatus;
    const int w = static_cast<int>(*window);
    if (w >= opened->panel.windowCount)
        return usageError("the panel has no window " + std::to_string(w) + " (it has " +
                          std::to_string(opened->panel.windowCount) + ")");
    if (opened->panel.window(w).gaugeCount > 0) {
        if (const std::string missing = missingGaugesDir(line.dirs.gaugesDir); !missing.empty()) {
            std::fprintf(stderr, "cockpix-cli render: %s\n", missing.c_str());
            return 1;
        }
    }
    const BitmapWorkDir workDir(opened->dirs.bmpDir);
    opened->dirs.bmpDir = workDir.path();

    const auto app = std::make_unique<AppModel>();
    app->dirs = opened->dirs;
    app->installedDir = line.installedDir;
    app->currentWindow = w;
    PanelSceneCallbacks callbacks;
    callbacks.warn = [](const UserText& text) {
        std::fprintf(stderr, "%s\n\n", text.toUtf8().c_str());
    };
    // Loaded once, for the first screen: the gauges are cut out and warned about once, and
    // every screen is laid out from the same pictures.
    const ScreenSize first = screens.front();
    const PanelScene loaded =
        loadPanelScene(opened->panel, *app, w, QSize(first.width, first.height), callbacks);
    const std::vector<PanelScene> scenes =
        scenesForScreens(opened->panel, app->display, loaded, screens);
    const RenderTarget target{*out, *format, screens, screensText.has_value()};
    std::size_t next = 0;
    const bool written =
        writePictures(target, [&](ScreenSize) { return renderPanelScene(scenes[next++]); });
    if (!written)
        return 1;
    return 0;
#endif
}

} // namespace cockpix::cli
