#include "gaugefiles/core/fs2k/gaugelookup.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "gaugefiles/core/cabfile.h"

#include <algorithm>
#include <string>
#include <vector>

namespace cockpix::fs2k {
namespace {

// A cabinet's entry of that file name, in any folder of the cabinet and any case.
const std::string* cabEntry(const std::vector<std::string>& names, std::string_view file) {
    const auto match = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
        const std::size_t slash = name.find_last_of("\\/");
        return equalsIgnoringCase(slash == std::string::npos
                                      ? std::string_view(name)
                                      : std::string_view(name).substr(slash + 1),
                                  file);
    });
    return match == names.end() ? nullptr : &*match;
}

// What dir holds under the module's name whatever the gauge: its .gau or .dll; nullopt
// when it holds neither, and the gauge's name decides. Kept for the round (answersIn):
// panels name the same modules again and again.
std::optional<GaugeLookup> lookUpModule(const std::string& dir, std::string_view module,
                                        FolderIndex& folders) {
    std::string path(module);
    if (auto gau = folders.find(dir, path + ".gau"))
        return GaugeLookup{GaugeKind::Gau, std::move(*gau), {}};
    if (auto dll = folders.find(dir, path + ".dll"))
        return GaugeLookup{GaugeKind::Dll, std::move(*dll), {}};
    return std::nullopt;
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// Whether a module path holds a "." or ".." part.
bool hasDotPart(std::string_view module) {
    for (std::size_t at = module.find('.'); at != std::string_view::npos;
         at = module.find('.', at + 1)) {
        const bool starts = at == 0 || isSeparator(module[at - 1]);
        std::size_t end = at + 1;
        if (end < module.size() && module[end] == '.')
            ++end;
        if (starts && (end == module.size() || isSeparator(module[end])))
            return true;
    }
    return false;
}

// The module path as Windows takes it: "." parts dropped and each ".." taking away the
// folder before it by its text, whether or not that folder exists ("LVLD\..\Fleet\Mod" is
// "Fleet/Mod"); a ".." above the folder searched stays.
std::string lexicallyNormal(std::string_view module) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= module.size()) {
        std::size_t end = start;
        while (end < module.size() && !isSeparator(module[end]))
            ++end;
        const std::string_view part = module.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else
                parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string normal;
    for (const std::string_view part : parts) {
        if (!normal.empty())
            normal += '/';
        normal += part;
    }
    return normal;
}

} // namespace

GaugeName splitGaugeName(std::string_view name) {
    const std::size_t bang = name.find('!');
    if (bang == std::string_view::npos)
        return {trimmedBlanks(name), {}};
    return {trimmedBlanks(name.substr(0, bang)), trimmedBlanks(name.substr(bang + 1))};
}

const std::optional<std::vector<std::string>>& GaugeFiles::cabNames(const std::string& path) {
    CachedCab& cached = m_cabs[path];
    // The folder index's rounds are the cabinets' too.
    if (cached.stamp && cached.round == m_folders.round())
        return cached.names;
    cached.round = m_folders.round();
    const std::optional<FileStamp> stamp = fileStamp(path);
    if (!cached.stamp || cached.stamp != stamp) {
        cached.stamp = stamp;
        std::optional<std::string> bytes;
        if (stamp) {
            ++m_cabinetReads;
            bytes = readCabinet(path);
        }
        cached.names = bytes ? cabFileNames(*bytes) : std::nullopt;
        m_lastCabPath = path;
        m_lastCabStamp = stamp;
        m_lastCabBytes = cached.names ? std::move(bytes) : std::nullopt;
    }
    return cached.names;
}

GaugeFiles::ModuleAnswers& GaugeFiles::answersIn(const std::string& dir) {
    if (m_answersRound != m_folders.round()) {
        m_answersRound = m_folders.round();
        m_moduleAnswers.clear();
        m_recentAnswers = {};
    }
    for (const auto& [recentDir, answers] : m_recentAnswers) {
        if (answers != nullptr && recentDir == dir)
            return *answers;
    }
    ModuleAnswers& answers = m_moduleAnswers[dir];
    m_newestAnswers = 1 - m_newestAnswers;
    m_recentAnswers[m_newestAnswers] = {dir, &answers};
    return answers;
}

const GaugeLookup* GaugeFiles::lookUpIn(const std::string& dir, GaugeName name,
                                        GaugeLookup& scratch) {
    // Most panel folders hold no module, which is told without keeping an answer; a module
    // looked for before (in the gauges folder, nearly every time) is answered at once.
    if (!m_folders.mayHoldModules(dir))
        return nullptr;
    ModuleAnswers& answers = answersIn(dir);
    auto known = answers.find(name.module);
    if (known != answers.end() && known->second)
        return &*known->second;
    if (!m_folders.mayHold(dir, name.module))
        return nullptr;
    if (known == answers.end())
        known = answers.emplace(std::string(name.module), lookUpModule(dir, name.module, m_folders))
                    .first;
    if (known->second)
        return &*known->second;
    if (name.gauge.empty())
        return nullptr;
    std::string path(name.module);
    const auto withEnding = [&](std::string_view ending) -> const std::string& {
        path.resize(name.module.size());
        return path += ending;
    };
    const std::string xml = std::string(name.gauge) + ".xml";
    if (const auto file = m_folders.find(dir, withEnding("/" + xml))) {
        const std::size_t slash = file->rfind('/');
        scratch = {GaugeKind::XmlFolder, file->substr(0, slash), file->substr(slash + 1)};
        return &scratch;
    }
    std::optional<std::string> cab = m_folders.find(dir, withEnding(".cab"));
    if (!cab)
        return nullptr;
    const std::optional<std::vector<std::string>>& names = cabNames(*cab);
    if (!names)
        scratch = {GaugeKind::CabUnreadable, std::move(*cab), {}};
    else if (const std::string* entry = cabEntry(*names, xml))
        scratch = {GaugeKind::Cab, std::move(*cab), *entry};
    else
        return nullptr;
    return &scratch;
}

const GaugeLookup& GaugeFiles::lookUp(std::string_view name, const std::string& panelDir,
                                      const std::string& gaugesDir) {
    return lookUp(name, panelDir, std::span<const std::string>(&gaugesDir, 1));
}

const GaugeLookup& GaugeFiles::lookUp(std::string_view name, const std::string& panelDir,
                                      std::span<const std::string> gaugesDirs) {
    GaugeName parts = splitGaugeName(name);
    const GaugeLookup* unreadable = nullptr;
    std::string normalModule;
    if (hasDotPart(parts.module)) {
        normalModule = lexicallyNormal(parts.module);
        parts.module = normalModule;
    }
    if (parts.module.empty())
        return m_missing;
    const auto lookUpInDir = [&](const std::string& dir) -> const GaugeLookup* {
        if (dir.empty())
            return nullptr;
        const GaugeLookup* here = lookUpIn(dir, parts, m_scratch[unreadable == nullptr ? 0 : 1]);
        if (here != nullptr && here->found())
            return here;
        if (here != nullptr && here->kind == GaugeKind::CabUnreadable && unreadable == nullptr)
            unreadable = here;
        return nullptr;
    };
    if (const GaugeLookup* found = lookUpInDir(panelDir))
        return *found;
    for (const std::string& dir : gaugesDirs)
        if (const GaugeLookup* found = lookUpInDir(dir))
            return *found;
    return unreadable != nullptr ? *unreadable : m_missing;
}

std::optional<std::string> GaugeFiles::takeCabBytes(const std::string& path) {
    std::optional<std::string> bytes = std::move(m_lastCabBytes);
    m_lastCabBytes.reset();
    if (!bytes || path != m_lastCabPath || !m_lastCabStamp || fileStamp(path) != m_lastCabStamp)
        return std::nullopt;
    return bytes;
}

GaugeLookup findGauge(std::string_view name, const std::string& panelDir,
                      const std::string& gaugesDir, GaugeFiles& files) {
    return files.lookUp(name, panelDir, gaugesDir);
}

GaugeLookup findGauge(std::string_view name, const std::string& panelDir,
                      std::span<const std::string> gaugesDirs, GaugeFiles& files) {
    return files.lookUp(name, panelDir, gaugesDirs);
}

} // namespace cockpix::fs2k
