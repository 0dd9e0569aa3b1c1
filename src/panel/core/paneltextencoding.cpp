#include "panel/core/paneltextencoding.h"

namespace cockpix {

TextEncoding panelTextEncoding(const PanelLines& lines) {
    TextEncodingDetector detector;
    for (std::size_t line = 0; line < lines.lineCount(); ++line)
        detector.feed(lines.text(line));
    return detector.result();
}

} // namespace cockpix
