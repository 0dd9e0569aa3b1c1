#pragma once

// What the panel checker needs to know of the files a panel names: whether each gauge module
// lies in the gauges directory and what its picture and default size are, and whether each
// background is a bitmap. Module bytes are searched once and kept while the file stays the
// same (same size and time), so that checking again after each edit costs only the look-ups.
// Look-ups come in rounds (one check of a panel): in a round each folder is listed once and
// each module and bitmap looked at once, however many gauges name it; the next round looks
// again for what changed.

#include "base/core/bmpheader.h"
#include "base/core/filelookup.h"
#include "base/core/smallfilecache.h"
#include "gaugefiles/core/fs2k/gaugelookup.h"
#include "gaugefiles/core/fs2k/modelmaterials.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
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
    // Starts a round of look-ups: what was found before is looked at again. The checkers
    // start one for each panel, unless the round is held: a check of a whole tree of
    // panels, which changes no file, looks at each folder and file once.
    void beginRound();
    void holdRound(bool held) { m_roundHeld = held; }

    // The module gaugesDir + name + ".gau" (gaugesDir ends with "/").
    const ModuleFacts& module(const std::string& gaugesDir, const std::string& name);
    // The bitmap dir + name + ".bmp".
    const BitmapFacts& bitmap(const std::string& dir, const std::string& name);

    // The size its header gives of the bitmap at path (as it exists), for a panel of
    // FS2000 and later, whose windows often share one.
    const std::optional<BmpSize>& fs2kBitmapSize(const std::string& path);

    // The names (without extension, as panel.cfg names them) of the bitmaps of dir that can
    // be read, and of the modules of gaugesDir, in name order: the choices of the fixes.
    static std::vector<std::string> readableBitmaps(const std::string& dir);
    static std::vector<std::string> moduleNames(const std::string& gaugesDir);

    // The files of panels of FS2000 and later, found whatever their case, and the
    // directories of their gauge cabinets.
    fs2k::GaugeFiles& fs2kFiles() { return m_fs2kFiles; }
    FolderIndex& folders() { return m_fs2kFiles.folders(); }
    // The material names of MSFS aircraft's models, each glTF read once while it stays the same.
    fs2k::ModelMaterials& modelMaterials() { return m_modelMaterials; }
    // The few small files (aircraft.cfg) more than one check of a panel reads, read once a
    // round.
    SmallFileCache& smallFiles() { return m_smallFiles; }

    // The Instruments folders of the packages of an MSFS Community or Official folder,
    // listed once a round: every panel of a Community folder names the same stock ones.
    const std::vector<std::string>& packagesInstrumentDirs(const std::string& packagesFolder);

private:
    // dir + file found whatever its case, as findPathIgnoringCase finds it.
    std::optional<std::string> findFile(const std::string& dir, const std::string& file);
    const std::optional<std::string>& resolvedFolder(const std::string& dir);

    struct Cached {
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        ModuleFacts facts;
    };
    std::map<std::string, Cached> m_modules; // by the path found
    ModuleFacts m_missing;
    // This round's answers, by the path asked for.
    std::unordered_map<std::string, const ModuleFacts*> m_roundModules;
    std::unordered_map<std::string, BitmapFacts> m_roundBitmaps;
    std::unordered_map<std::string, std::optional<std::string>> m_roundFolders;
    std::unordered_map<std::string, std::optional<BmpSize>> m_roundSizes;
    std::unordered_map<std::string, std::vector<std::string>> m_roundInstrumentDirs;
    fs2k::GaugeFiles m_fs2kFiles;
    fs2k::ModelMaterials m_modelMaterials;
    SmallFileCache m_smallFiles;
    bool m_roundHeld = false;
};

} // namespace cockpix
