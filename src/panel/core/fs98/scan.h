#pragma once

// One forward pass over the lines of one panel.cfg, filling the panel model section by
// section the way FS98-era COCKPIX did: sections and keys are told apart by their first
// letters, and the layout FS98 and the writer use is expected. Private to the reader.

#include "base/core/linescanner.h"
#include "panel/core/fs98/linetrace.h"
#include "panel/core/fs98/panel.h"

#include <string>
#include <string_view>

namespace cockpix::fs98 {

// Thrown where the file does not have the expected structure; the reader turns it into
// a ReadError.
struct ScanStop {
    int line = 0;
    std::string reason;
};

class PanelScan {
public:
    // How one pass ended: normally, or at a [fltsim] alias naming another panel directory.
    struct Outcome {
        bool rerouted = false;
        std::string newPanelDir; // ends with "/"
        int aliasLine = 0;
    };

    // panelDir is the directory the content was read from (ending with "/"); an alias is
    // resolved against it. When trace is given, its lines (one per line of content) record
    // what the scan did with each; it changes nothing in what is read.
    PanelScan(Panel& panel, std::string_view content, std::string panelDir,
              PanelLineTrace* trace = nullptr);

    // Reads the whole content; throws ScanStop on a structural error.
    Outcome run();

private:
    enum class Then { ReadNext, Examine, TestAfterWindow, Stop, Reroute };
    struct Step {
        Then then = Then::ReadNext;
        std::string_view line; // for Examine and TestAfterWindow
    };

    Step examine(std::string_view line, bool afterWindow);
    Step readTitles();
    Step readWindow(std::string_view header);
    Step readColors();
    Step readDefaultView();
    Step readAlias();
    void readGaugeLine(PanelWindow& window, std::string_view line);
    void takeWindowKey(PanelWindow& window, std::string_view line);
    std::string aliasedPanelDir(std::string_view aliasText) const;

    std::string_view lineInside(const char* where);
    // Records the use of the line last read.
    void note(LineUse use, int window = -1, int number = -1);
    [[noreturn]] void fail(std::string reason) const;

    Panel& m_panel;
    std::string m_panelDir;
    LineScanner m_lines;
    bool m_sectionSeen = false;
    Outcome m_outcome;
    PanelLineTrace* m_trace = nullptr;
    int m_window = -1; // the window section being read, for the trace
};

} // namespace cockpix::fs98
