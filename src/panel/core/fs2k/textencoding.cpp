#include "panel/core/fs2k/textencoding.h"

namespace cockpix::fs2k {

TextEncoding panelTextEncoding(const PanelLines& lines) {
    // A file of ASCII only (no UTF-8 mark either) is read as Windows-1252, without a look
    // at each line.
    if (!lines.hasHighBytes())
        return TextEncoding::Windows1252;
    TextEncodingDetector detector;
    for (std::size_t line = 0; line < lines.lineCount(); ++line)
        detector.feed(lines.text(line));
    return detector.result();
}

} // namespace cockpix::fs2k
