#pragma once

// The pictures the gauges of panels of FS2000 and later show: found where FS finds them
// (findGauge), then the bitmap an XML gauge names (in its folder or its cabinet), or
// the picture cut out of a .gau or .dll module. Every module is read once and kept while
// its size and modification time stay the same: a cabinet of a hundred gauges is unpacked
// once for all of them, and a changed file is read again.

#include "gaugefiles/core/fs2k/gaugelookup.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cockpix::fs2k {

struct GaugePicture {
    QImage picture;
    QString reason; // why there is no picture, for the tooltip; empty with a picture
    QString note;   // with a picture that is only a guess: why it was taken, for the tooltip
};

class GaugePictures {
public:
    // The picture of a gauge line's name ("module!gauge", or "module" alone), looked for in
    // panelDir, then gaugesDir (each ending with "/"; an empty one is not searched). Every
    // file and folder it depends on is looked at for a change since the last call.
    GaugePicture picture(std::string_view gaugeName, const std::string& panelDir,
                         const std::string& gaugesDir);
    GaugePicture picture(std::string_view gaugeName, const std::string& panelDir,
                         std::span<const std::string> gaugesDirs);

    // The pictures of a window's gauges, in the order of names: the same, but each file and
    // folder is looked at once for all of them.
    std::vector<GaugePicture> pictures(const std::vector<std::string_view>& names,
                                       const std::string& panelDir, const std::string& gaugesDir);
    // The same with several gauges folders (an installation's), searched in order.
    std::vector<GaugePicture> pictures(const std::vector<std::string_view>& names,
                                       const std::string& panelDir,
                                       std::span<const std::string> gaugesDirs);

    // The listings and cabinet directories the look-ups share (for lists of gauges).
    GaugeFiles& files() { return m_files; }

    // How many module files (cabinets, .gau, .dll, gauge.xml) have been read so far: a
    // window's gauges of one cabinet read it once.
    int filesRead() const { return m_filesRead + m_files.cabinetReads(); }

private:
    // What tells a file or folder changed since it was read.
    struct Stamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    // The stamp of path, looked at once in each round.
    Stamp stampOf(const std::string& path);
    void beginRound();
    GaugePicture pictureInRound(std::string_view gaugeName, const std::string& panelDir,
                                std::span<const std::string> gaugesDirs);
    using Sources = std::vector<std::pair<std::string, Stamp>>;

    // A cabinet unpacked whole, its files by their stored names in lower case.
    struct CabContents {
        Stamp stamp;
        bool readable = false;
        std::unordered_map<std::string, std::string> files;
    };
    // A module file's bytes (.gau, .dll, gauge.xml).
    struct ModuleBytes {
        Stamp stamp;
        std::optional<std::string> bytes;
    };
    // A picture made, with what it was made from.
    struct Made {
        Sources sources;
        GaugePicture picture;
    };

    GaugePicture make(const GaugeLookup& found, std::string_view gaugeName, Sources& sources);
    GaugePicture fromCab(const GaugeLookup& found, Sources& sources);
    GaugePicture fromXmlFolder(const GaugeLookup& found, Sources& sources);
    GaugePicture fromModule(const GaugeLookup& found, std::string_view gauge, Sources& sources);
    // The picture of one gauge of a module of several (module!gauge), read from the
    // module's own tables and bitmap resources.
    static GaugePicture multiGaugeModulePicture(std::string_view moduleBytes,
                                                std::string_view gauge, const QString& moduleName);
    const CabContents& cab(const std::string& path);
    const ModuleBytes& module(const std::string& path);

    GaugeFiles m_files;
    std::map<std::string, CabContents> m_cabs;
    std::map<std::string, ModuleBytes> m_modules;
    std::map<std::string, Made> m_made; // by module path, entry and gauge name
    std::unordered_map<std::string, std::pair<unsigned, Stamp>> m_stamps; // with their round
    unsigned m_round = 1;
    int m_filesRead = 0;
};

} // namespace cockpix::fs2k
