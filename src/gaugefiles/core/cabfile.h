#pragma once

// Microsoft cabinets (.cab): FSX and later keep XML gauges as gauge.xml files packed in
// module.cab, with the bitmaps they name beside them; a gauge line names them as
// module!gauge. Read from bytes in memory by libmspack. A cabinet comes from anywhere, so
// nothing is unpacked past kCabSizeLimit and no size it declares is trusted before it is
// checked against that limit.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The most a cabinet may hold unpacked, all files together, and the largest cabinet file
// read from disk: gauge cabinets hold a few megabytes at most.
inline constexpr std::size_t kCabSizeLimit = std::size_t(64) << 20;

// The names of the files the cabinet holds, as stored ("\" separates folders); nullopt when
// the bytes are not a cabinet that can be read (a wrong signature, a cut or corrupt
// directory). Only the directory is read: nothing is unpacked.
std::optional<std::vector<std::string>> cabFileNames(std::string_view bytes);

struct CabEntry {
    std::string name; // as stored
    std::string bytes;
};

// Every file of the cabinet, unpacked in one pass in the order they are stored; nullopt
// when the bytes are not a cabinet, a file cannot be unpacked (corrupt data, a checksum
// that does not match), or the files declare more than limit bytes in all.
std::optional<std::vector<CabEntry>> readCabFiles(std::string_view bytes,
                                                  std::size_t limit = kCabSizeLimit);

// The one file nameInCab of the cabinet (the stored name, "\" or "/" between folders, an
// exact match first, else ignoring ASCII case); nullopt when it is not there or cannot be
// unpacked within limit.
std::optional<std::string> readCabFile(std::string_view cabBytes, std::string_view nameInCab,
                                       std::size_t limit = kCabSizeLimit);

// The bytes of the cabinet file at path; nullopt when it cannot be read or is larger
// than kCabSizeLimit.
std::optional<std::string> readCabinet(const std::string& path);

// The same file as readCabFile, from the cabinet at path.
std::optional<std::string> readCabFileAt(const std::string& path, std::string_view nameInCab);

} // namespace cockpix
