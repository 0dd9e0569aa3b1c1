// The preview of cockpix-cli palette: the background as drawn, as FS98 shows it with its
// reference colours alone and with the proposed colours added, side by side in a PNG. Built
// into cockpix-cli-pictures, the one program of the command line that loads Qt Gui.

#include "commands.h"

#include "base/core/filelookup.h"
#include "palette/core/paletteoptimizer.h"
#include "palette/core/palettepreview.h"

#ifdef COCKPIX_CLI_RENDER
#include <QImage>
#include <QString>
#endif

#include <cstdio>

namespace cockpix::cli {
namespace {

// The pictures of the preview PNG are at most this many pixels across or down each.
constexpr int kPreviewSide = 1024;
constexpr int kPreviewGap = 8;

int failure(const UserText& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().c_str());
    return 1;
}

} // namespace

int writePalettePreview(const PaletteRunRequest& request, const PaletteRunResult& result,
                        const std::string& out) {
#ifndef COCKPIX_CLI_RENDER
    (void)request;
    (void)result;
    (void)out;
    return failure("cockpix-cli palette: this cockpix-cli was built without Qt (COCKPIX_GUI=OFF), "
                   "so it cannot write the preview.");
#else
    std::vector<Rgb> proposed;
    for (const ProposedColor& colour : result.proposal)
        proposed.push_back(colour.color);
    const PalettePreviewResult preview = makePalettePreview(
        readWholeFile(request.bitmapPath).value_or(std::string()), request.bitmapPath,
        result.reference, proposed, request.tolerance, kPreviewSide);
    if (!preview.preview)
        return failure(preview.problem);
    const PreviewPicture row = sideBySide(*preview.preview, kPreviewGap);
    const QImage image(row.rgb.data(), row.width, row.height, row.width * 3, QImage::Format_RGB888);
    if (!image.save(QString::fromStdString(out), "PNG"))
        return failure("cockpix-cli palette: cannot write the preview [" + out + "]");
    std::printf("%s\n", offShareText(*preview.preview, request.tolerance).c_str());
    return 0;
#endif
}

} // namespace cockpix::cli
