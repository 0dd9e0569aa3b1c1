#include "drawing/gui/fs2k/gaugepictures.h"

#include "base/core/asciicase.h"
#include "base/core/filelookup.h"
#include "base/core/textencoding.h"
#include "base/gui/modeltext.h"
#include "drawing/gui/fs2k/xmlgaugebackground.h"
#include "gaugefiles/core/cabfile.h"
#include "gaugefiles/core/gaugemodule.h"
#include "gaugefiles/core/gaugetables.h"

#include <algorithm>
#include <filesystem>

#include <sys/stat.h>

namespace cockpix::fs2k {
namespace {

namespace fs = std::filesystem;

QString nameText(std::string_view bytes) {
    return fromPanelText(bytes, isUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252);
}

QString fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return fromModelPath(slash == std::string::npos ? path : path.substr(slash + 1));
}

// A cabinet's names compare in lower case with "\" between folders.
std::string cabKey(std::string_view name) {
    std::string key = asciiLowered(name);
    for (char& c : key) {
        if (c == '/')
            c = '\\';
    }
    return key;
}

// The file a picture named by an XML gauge may be: relative to the XML's own folder first,
// then to the top; a name without an ending is taken as a bitmap's.
std::vector<std::string> bitmapCandidates(std::string_view xmlFolder, const std::string& name) {
    std::vector<std::string> names;
    const std::size_t slash = name.find_last_of("/\\");
    const bool hasEnding =
        name.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
    for (const std::string& base : {std::string(xmlFolder) + name, name}) {
        names.push_back(base);
        if (!hasEnding)
            names.push_back(base + ".bmp");
    }
    return names;
}

// The bytes of a file of a module folder, refused past the size no gauge file reaches.
std::optional<std::string> readLimitedFile(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kCabSizeLimit)
        return std::nullopt;
    return readWholeFile(path);
}

GaugePicture noPicture(QString reason) {
    return {QImage(), std::move(reason), QString()};
}

GaugePicture bitmapPicture(std::string_view bytes, const QString& name) {
    GaugePicture made;
    made.picture = gaugeBitmap(bytes, name, &made.reason);
    return made;
}

QString missingReason(std::string_view gaugeName) {
    const GaugeName name = splitGaugeName(gaugeName);
    const QString module = nameText(name.module);
    if (name.gauge.empty())
        return module + QStringLiteral(".gau is not in the panel folder or the gauges folder");
    const QString gauge = nameText(name.gauge);
    return nameText(gaugeName).trimmed() +
           QStringLiteral(" is not in the panel folder or the gauges folder (as %1.gau, %1.dll, "
                          "%1/%2.xml or %2.xml in %1.cab)")
               .arg(module, gauge);
}

} // namespace

GaugePictures::Stamp GaugePictures::stampOf(const std::string& path) {
    std::pair<unsigned, Stamp>& known = m_stamps[path];
    if (known.first == m_round)
        return known.second;
    // One stat call: a window of a hundred gauges asks for the same few files again and again.
    struct stat info {};
    Stamp stamp;
    if (::stat(path.c_str(), &info) == 0) {
        stamp.exists = true;
        stamp.size = S_ISREG(info.st_mode) ? static_cast<std::uintmax_t>(info.st_size) : 0;
        stamp.modified =
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    }
    known = {m_round, stamp};
    return stamp;
}

void GaugePictures::beginRound() {
    m_files.beginRound();
    ++m_round;
}

GaugePicture GaugePictures::picture(std::string_view gaugeName, const std::string& panelDir,
                                    const std::string& gaugesDir) {
    return picture(gaugeName, panelDir, std::span<const std::string>(&gaugesDir, 1));
}

GaugePicture GaugePictures::picture(std::string_view gaugeName, const std::string& panelDir,
                                    std::span<const std::string> gaugesDirs) {
    beginRound();
    return pictureInRound(gaugeName, panelDir, gaugesDirs);
}

GaugePicture GaugePictures::pictureInRound(std::string_view gaugeName, const std::string& panelDir,
                                           std::span<const std::string> gaugesDirs) {
    const GaugeLookup found = findGauge(gaugeName, panelDir, gaugesDirs, m_files);
    if (found.kind == GaugeKind::Missing)
        return noPicture(missingReason(gaugeName));
    if (found.kind == GaugeKind::CabUnreadable)
        return noPicture(fileNameOf(found.path) + QStringLiteral(" cannot be read as a cabinet"));
    const std::string_view gauge = splitGaugeName(gaugeName).gauge;
    const std::string key = found.path + '\n' + found.entry + '\n' + asciiLowered(gauge);
    const auto known = m_made.find(key);
    if (known != m_made.end()) {
        const bool same = std::all_of(
            known->second.sources.begin(), known->second.sources.end(),
            [this](const auto& source) { return stampOf(source.first) == source.second; });
        if (same)
            return known->second.picture;
    }
    Made made;
    made.picture = make(found, gauge, made.sources);
    return (m_made[key] = std::move(made)).picture;
}

std::vector<GaugePicture> GaugePictures::pictures(const std::vector<std::string_view>& names,
                                                  const std::string& panelDir,
                                                  const std::string& gaugesDir) {
    return pictures(names, panelDir, std::span<const std::string>(&gaugesDir, 1));
}

std::vector<GaugePicture> GaugePictures::pictures(const std::vector<std::string_view>& names,
                                                  const std::string& panelDir,
                                                  std::span<const std::string> gaugesDirs) {
    beginRound();
    std::vector<GaugePicture> all;
    all.reserve(names.size());
    for (std::string_view name : names)
        all.push_back(pictureInRound(name, panelDir, gaugesDirs));
    return all;
}

GaugePicture GaugePictures::make(const GaugeLookup& found, std::string_view gauge,
                                 Sources& sources) {
    switch (found.kind) {
    case GaugeKind::Cab:
        return fromCab(found, sources);
    case GaugeKind::XmlFolder:
        return fromXmlFolder(found, sources);
    case GaugeKind::Gau:
    case GaugeKind::Dll:
        return fromModule(found, gauge, sources);
    case GaugeKind::Missing:
    case GaugeKind::CabUnreadable:
        break;
    }
    return {};
}

GaugePicture GaugePictures::fromCab(const GaugeLookup& found, Sources& sources) {
    const CabContents& contents = cab(found.path);
    sources.emplace_back(found.path, contents.stamp);
    const QString cabName = fileNameOf(found.path);
    if (!contents.readable)
        return noPicture(cabName + QStringLiteral(" cannot be read (its packed data is broken "
                                                  "or larger than a gauge cabinet can be)"));
    const QString xmlName = fromModelPath(found.entry);
    const auto xml = contents.files.find(cabKey(found.entry));
    if (xml == contents.files.end())
        return noPicture(xmlName + QStringLiteral(" is not in ") + cabName);
    const XmlGaugeBackground background = xmlGaugeBackground(
        QByteArrayView(xml->second.data(), qsizetype(xml->second.size())), xmlName);
    if (background.bitmap.isEmpty())
        return noPicture(background.reason);
    const std::string entryKey = cabKey(found.entry);
    const std::string folder = entryKey.substr(0, entryKey.rfind('\\') + 1);
    for (const std::string& candidate :
         bitmapCandidates(folder, cabKey(toModelPath(background.bitmap)))) {
        if (const auto bitmap = contents.files.find(candidate); bitmap != contents.files.end())
            return bitmapPicture(bitmap->second, background.bitmap);
    }
    return noPicture(background.bitmap + QStringLiteral(" is not in ") + cabName);
}

GaugePicture GaugePictures::fromXmlFolder(const GaugeLookup& found, Sources& sources) {
    const std::string xmlPath = found.path + "/" + found.entry;
    const ModuleBytes& xml = module(xmlPath);
    sources.emplace_back(xmlPath, xml.stamp);
    // A bitmap put in or taken out changes the folder's time.
    sources.emplace_back(found.path, stampOf(found.path));
    const QString xmlName = fromModelPath(found.entry);
    if (!xml.bytes)
        return noPicture(xmlName + QStringLiteral(" cannot be read"));
    const XmlGaugeBackground background = xmlGaugeBackground(
        QByteArrayView(xml.bytes->data(), qsizetype(xml.bytes->size())), xmlName);
    if (background.bitmap.isEmpty())
        return noPicture(background.reason);
    std::string name = toModelPath(background.bitmap);
    std::replace(name.begin(), name.end(), '\\', '/');
    for (const std::string& candidate : bitmapCandidates(found.path + "/", name)) {
        const std::optional<std::string> path = findPathIgnoringCase(candidate);
        if (!path)
            continue;
        sources.emplace_back(*path, stampOf(*path));
        const std::optional<std::string> bytes = readLimitedFile(*path);
        if (!bytes)
            return noPicture(background.bitmap + QStringLiteral(" cannot be read"));
        return bitmapPicture(*bytes, background.bitmap);
    }
    return noPicture(background.bitmap + QStringLiteral(" is not in the folder ") +
                     fileNameOf(found.path));
}

GaugePicture GaugePictures::fromModule(const GaugeLookup& found, std::string_view gauge,
                                       Sources& sources) {
    const ModuleBytes& file = module(found.path);
    sources.emplace_back(found.path, file.stamp);
    const QString moduleName = fileNameOf(found.path);
    if (!file.bytes)
        return noPicture(moduleName + QStringLiteral(" cannot be read"));
    if (!gauge.empty())
        return multiGaugeModulePicture(*file.bytes, gauge, moduleName);
    // A module named alone is an FS98 module of one gauge: its picture is cut out as FS98
    // panels' are.
    const std::optional<std::string> bitmap = extractedBitmapBytes(*file.bytes);
    if (!bitmap)
        return noPicture(QStringLiteral("no picture can be cut out of ") + moduleName);
    return bitmapPicture(*bitmap, QStringLiteral("the picture cut out of ") + moduleName);
}

GaugePicture GaugePictures::multiGaugeModulePicture(std::string_view moduleBytes,
                                                    std::string_view gauge,
                                                    const QString& moduleName) {
    const CGaugePicture found = cGaugePicture(moduleBytes, gauge);
    if (found.bitmapBytes.empty())
        return noPicture(moduleName + QStringLiteral(": ") + nameText(found.reason));
    GaugePicture made =
        bitmapPicture(found.bitmapBytes,
                      QStringLiteral("the picture of %1 in %2").arg(nameText(gauge), moduleName));
    if (!made.picture.isNull())
        made.note = nameText(found.guessNote);
    return made;
}

const GaugePictures::CabContents& GaugePictures::cab(const std::string& path) {
    const Stamp stamp = stampOf(path);
    CabContents& contents = m_cabs[path];
    if (contents.stamp == stamp && stamp.exists)
        return contents;
    contents = CabContents{stamp, false, {}};
    // Its look-up has just read it for its names, as a rule.
    std::optional<std::string> bytes = m_files.takeCabBytes(path);
    if (!bytes) {
        ++m_filesRead;
        bytes = readCabinet(path);
    }
    std::optional<std::vector<CabEntry>> files = bytes ? readCabFiles(*bytes) : std::nullopt;
    if (!files)
        return contents;
    contents.readable = true;
    for (CabEntry& file : *files)
        contents.files.emplace(cabKey(file.name), std::move(file.bytes)); // the first one counts
    return contents;
}

const GaugePictures::ModuleBytes& GaugePictures::module(const std::string& path) {
    const Stamp stamp = stampOf(path);
    ModuleBytes& file = m_modules[path];
    if (file.stamp == stamp && stamp.exists)
        return file;
    ++m_filesRead;
    file = ModuleBytes{stamp, readLimitedFile(path)};
    return file;
}

} // namespace cockpix::fs2k
