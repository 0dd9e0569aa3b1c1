#include "base/core/pictureformat.h"

#include <array>
#include <utility>

namespace cockpix {
namespace {

// Where the extension's dot is, or npos when the file name has none (a dot in a folder's
// name or at the start of a hidden file's name is no extension).
std::size_t extensionDot(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart)
        return std::string_view::npos;
    return dot;
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace

std::optional<PictureFormat> pictureFormatForPath(std::string_view path) {
    const std::size_t dot = extensionDot(path);
    if (dot == std::string_view::npos)
        return std::nullopt;
    static constexpr std::array<std::pair<std::string_view, PictureFormat>, 4> kExtensions{{
        {".png", PictureFormat::Png},
        {".bmp", PictureFormat::Bmp},
        {".jpg", PictureFormat::Jpeg},
        {".jpeg", PictureFormat::Jpeg},
    }};
    const std::string extension = lowerCase(path.substr(dot));
    for (const auto& [name, format] : kExtensions)
        if (extension == name)
            return format;
    return std::nullopt;
}

const char* pictureFormatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Png:
        return "PNG";
    case PictureFormat::Bmp:
        return "BMP";
    case PictureFormat::Jpeg:
        return "JPEG";
    }
    return "PNG";
}

std::string pathForScreen(std::string_view path, ScreenSize screen) {
    std::size_t dot = extensionDot(path);
    if (dot == std::string_view::npos)
        dot = path.size();
    return std::string(path.substr(0, dot)) + "-" + screenSizeText(screen) +
           std::string(path.substr(dot));
}

} // namespace cockpix
