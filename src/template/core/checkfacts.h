#pragma once

// What the panel checker needs to know of the files a panel names: whether each gauge module
// lies in the gauges directory and what its picture and default size are, and whether each
// background is a bitmap. Module bytes are searched once and kept while the file stays the
// same (same size and time), so that checking again after each edit costs only the look-ups.

#include "base/core/bmpheader.h"
#include "base/core/filelookup.h"
#include "gauges/core/latergaugelookup.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cockpix {

struct ModuleFacts {
    bool found = false;             // the module file is there, whatever the case of its name
    std::optional<BmpSize> picture; // the size of the picture the extraction cuts out
    std::optional<int> defaultSize; // the size record's value
};

struct BitmapFacts {
    bool found = false;    // a file of that name is in the directory, whatever its case
    bool readable = false; // its header is a bitmap's and it holds all its pixels
    BmpSize size;          // when readable
    int bitsPerPixel = 0;  // when readable
};

class CheckFacts {
public:
    // The module gaugesDir + name + ".gau" (gaugesDir ends with "/").
    const ModuleFacts& module(const std::string& gaugesDir, const std::string& name);
    // The bitmap dir + name + ".bmp".
    static BitmapFacts bitmap(const std::string& dir, const std::string& name);

    // The names (without extension, as panel.cfg names them) of the bitmaps of dir that can
    // be read, and of the modules of gaugesDir, in name order: the choices of the fixes.
    static std::vector<std::string> readableBitmaps(const std::string& dir);
    static std::vector<std::string> moduleNames(const std::string& gaugesDir);

    // The files of panels of FS2000 and later, found whatever their case, and the
    // directories of their gauge cabinets.
    LaterGaugeFiles& laterFiles() { return m_laterFiles; }
    FolderIndex& folders() { return m_laterFiles.folders(); }

private:
    struct Cached {
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        ModuleFacts facts;
    };
    std::map<std::string, Cached> m_modules; // by the path asked for
    ModuleFacts m_missing;
    LaterGaugeFiles m_laterFiles;
};

} // namespace cockpix
