#pragma once

// A scratch panel folder holding one panel.cfg for the benchmarks that open and save it;
// removed when the benchmark ends.

#include <filesystem>
#include <fstream>
#include <string>

namespace cockpix::bench {

struct PanelFolder {
    PanelFolder(const std::string& name, std::string bytes)
        : dir(std::filesystem::temp_directory_path() / name), text(std::move(bytes)) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::ofstream(panelFile, std::ios::binary) << text;
    }
    ~PanelFolder() { std::filesystem::remove_all(dir); }
    PanelFolder(const PanelFolder&) = delete;
    PanelFolder& operator=(const PanelFolder&) = delete;

    std::filesystem::path dir;
    std::string panelDir = dir.string() + "/";
    std::string panelFile = panelDir + "panel.cfg";
    std::string text;
};

} // namespace cockpix::bench
