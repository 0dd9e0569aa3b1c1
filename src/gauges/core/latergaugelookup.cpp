#include "gauges/core/latergaugelookup.h"

#include "base/core/asciicase.h"
#include "base/core/blanks.h"
#include "gauges/core/cabfile.h"

#include <algorithm>

namespace cockpix {
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

} // namespace

GaugeName splitGaugeName(std::string_view name) {
    const std::size_t bang = name.find('!');
    if (bang == std::string_view::npos)
        return {trimmedBlanks(name), {}};
    return {trimmedBlanks(name.substr(0, bang)), trimmedBlanks(name.substr(bang + 1))};
}

const std::optional<std::vector<std::string>>& LaterGaugeFiles::cabNames(const std::string& path) {
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

LaterGaugeFiles::ModuleAnswers& LaterGaugeFiles::answersIn(const std::string& dir) {
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

const GaugeLookup* LaterGaugeFiles::lookUpIn(const std::string& dir, GaugeName name,
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

const GaugeLookup& LaterGaugeFiles::lookUp(std::string_view name, const std::string& panelDir,
                                           const std::string& gaugesDir) {
    const GaugeName parts = splitGaugeName(name);
    const GaugeLookup* unreadable = nullptr;
    if (parts.module.empty())
        return m_missing;
    std::size_t slot = 0;
    for (const std::string* dir : {&panelDir, &gaugesDir}) {
        if (dir->empty())
            continue;
        const GaugeLookup* here = lookUpIn(*dir, parts, m_scratch[slot++]);
        if (here != nullptr && here->found())
            return *here;
        if (here != nullptr && here->kind == GaugeKind::CabUnreadable && unreadable == nullptr)
            unreadable = here;
    }
    return unreadable != nullptr ? *unreadable : m_missing;
}

std::optional<std::string> LaterGaugeFiles::takeCabBytes(const std::string& path) {
    std::optional<std::string> bytes = std::move(m_lastCabBytes);
    m_lastCabBytes.reset();
    if (!bytes || path != m_lastCabPath || !m_lastCabStamp || fileStamp(path) != m_lastCabStamp)
        return std::nullopt;
    return bytes;
}

GaugeLookup findLaterGauge(std::string_view name, const std::string& panelDir,
                           const std::string& gaugesDir, LaterGaugeFiles& files) {
    return files.lookUp(name, panelDir, gaugesDir);
}

} // namespace cockpix
