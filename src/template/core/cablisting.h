#pragma once

// The names of the files inside a Microsoft cabinet (.cab). FSX and later keep XML gauges
// as gauge.xml files packed in module.cab; a gauge line names them as module!gauge. Only
// the cabinet's directory is read (nothing is unpacked), from bytes in memory, by libmspack.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cockpix {

// The names of the files the cabinet holds, as stored ("\" separates folders); nullopt when
// the bytes are not a cabinet that can be read (a wrong signature, a cut or corrupt
// directory).
std::optional<std::vector<std::string>> cabFileNames(std::string_view bytes);

} // namespace cockpix
