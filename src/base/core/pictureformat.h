#pragma once

// The picture files the program writes (the command line's renders): the format follows the
// file's extension, as a user naming "window.jpg" expects, and any other extension is refused
// rather than written as something else under that name.

#include "base/core/screensize.h"

#include <optional>
#include <string>
#include <string_view>

namespace cockpix {

enum class PictureFormat { Png, Bmp, Jpeg };

// The format that path's extension names: .png, .bmp, .jpg or .jpeg, in any case; nullopt
// for any other extension or none.
std::optional<PictureFormat> pictureFormatForPath(std::string_view path);

// The format's name as picture libraries know it: "PNG", "BMP", "JPEG".
const char* pictureFormatName(PictureFormat format);

// path with "-WxH" before its extension, one file per screen: "out/w0.png" gives
// "out/w0-800x600.png" for an 800 x 600 screen.
std::string pathForScreen(std::string_view path, ScreenSize screen);

} // namespace cockpix
