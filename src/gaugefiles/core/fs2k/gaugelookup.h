#pragma once

// Where FS2000 and later find the gauge a gauge line names ("module!gauge", or "module"
// alone): the panel folder first, then the simulator's gauges folders in order; in each,
// module.gau, module.dll, the folder module holding gauge.xml, then module.cab holding gauge.xml,
// every name matched ignoring case as on Windows. A panel names the same few modules again and
// again, so the folders are listed once (FolderIndex) and each cabinet's directory is read
// once while the file stays the same.

#include "base/core/filelookup.h"
#include "gaugefiles/core/folderindex.h"

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cockpix::fs2k {

// "LVLD\B767main!EADI" is the module "LVLD\B767main" (a path below the folder searched)
// and the gauge "EADI"; blanks around either are dropped. No "!" means no gauge name.
struct GaugeName {
    std::string_view module;
    std::string_view gauge;
};
GaugeName splitGaugeName(std::string_view name);

enum class GaugeKind {
    Gau,           // path: the module.gau file
    Dll,           // path: the module.dll file
    XmlFolder,     // path: the folder module/, entry: the name of gauge.xml in it
    Cab,           // path: module.cab, entry: gauge.xml's name as stored in the cabinet
    Missing,       // none of them is there
    CabUnreadable, // path: a module.cab that is not a cabinet that can be read
};

struct GaugeLookup {
    GaugeKind kind = GaugeKind::Missing;
    std::string path;  // as it exists, in its own case ("/" between folders)
    std::string entry; // for XmlFolder and Cab
    bool found() const { return kind != GaugeKind::Missing && kind != GaugeKind::CabUnreadable; }
};

// The file listings and cabinet directories the look-ups share.
class GaugeFiles {
public:
    FolderIndex& folders() { return m_folders; }

    // Starts a round of look-ups (one check of a panel, one window's gauges): a folder or
    // cabinet is looked at again, at its first look-up in the round, for a change since.
    void beginRound() { m_folders.beginRound(); }

    // The names of the files inside the cabinet at path, read again only when its size or
    // modification time changed; nullopt when it is not a cabinet that can be read.
    const std::optional<std::vector<std::string>>& cabNames(const std::string& path);
    // The bytes of the cabinet cabNames read last, when it was path and the file has not
    // changed since; they are handed over once (whoever unpacks it next need not read it
    // again), and only the last cabinet's are kept.
    std::optional<std::string> takeCabBytes(const std::string& path);
    // How many times a cabinet was read for its names.
    int cabinetReads() const { return m_cabinetReads; }

    // findGauge's answer, kept here until the next look-up: a check asks for every gauge
    // of every panel, and most answers are a module found before.
    const GaugeLookup& lookUp(std::string_view name, const std::string& panelDir,
                              const std::string& gaugesDir);
    // The same with the gauges folders an installation names (a Prepar3D add-on has
    // several), searched in order after the panel folder.
    const GaugeLookup& lookUp(std::string_view name, const std::string& panelDir,
                              std::span<const std::string> gaugesDirs);

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>()(text);
        }
    };
    using ModuleAnswers =
        std::unordered_map<std::string, std::optional<GaugeLookup>, TextHash, std::equal_to<>>;
    struct CachedCab {
        std::optional<FileStamp> stamp;
        unsigned round = 0; // the round its stamp was last looked at in
        std::optional<std::vector<std::string>> names;
    };
    FolderIndex m_folders;
    std::map<std::string, CachedCab> m_cabs;
    // What dir holds of name's gauge: a module answer kept, one found now into scratch, or
    // nullptr for nothing.
    const GaugeLookup* lookUpIn(const std::string& dir, GaugeName name, GaugeLookup& scratch);
    ModuleAnswers& answersIn(const std::string& dir);

    std::unordered_map<std::string, ModuleAnswers> m_moduleAnswers; // by folder, this round
    unsigned m_answersRound = 0;
    // The answers of the two folders asked last (a panel's own and the gauges folder).
    std::array<std::pair<std::string, ModuleAnswers*>, 2> m_recentAnswers;
    std::size_t m_newestAnswers = 0;
    // One a look-up, the first kept once it holds an unreadable cabinet (the answer when
    // no folder holds the gauge).
    std::array<GaugeLookup, 2> m_scratch;
    GaugeLookup m_missing;
    std::string m_lastCabPath;
    std::optional<FileStamp> m_lastCabStamp;
    std::optional<std::string> m_lastCabBytes;
    int m_cabinetReads = 0;
};

// Where FS finds the gauge name: the first place of the order above that holds it. Both
// folders end with "/"; an empty one is not searched. When neither holds the gauge but a
// module.cab could not be read, the first such cabinet is the answer (CabUnreadable), as
// it is the likely reason.
GaugeLookup findGauge(std::string_view name, const std::string& panelDir,
                      const std::string& gaugesDir, GaugeFiles& files);
GaugeLookup findGauge(std::string_view name, const std::string& panelDir,
                      std::span<const std::string> gaugesDirs, GaugeFiles& files);

} // namespace cockpix::fs2k
