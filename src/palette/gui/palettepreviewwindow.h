#pragma once

// The palette preview (objectName palettePreview): after an optimizer run, the background
// side by side as drawn now (pictureNow), as FS98 shows it with its reference colours alone
// (pictureReference) and with the proposed colours added (pictureProposal), a caption over
// each (captionNow, captionReference, captionProposal), and under them the share of pixels
// shown farther than the tolerance from their colour (offShare). A window of its own,
// deleted when closed.

#include <QWidget>

class QGridLayout;
class QLabel;

namespace cockpix {

struct PalettePreviewResult;
struct PreviewPicture;

class PalettePreviewWindow : public QWidget {
    Q_OBJECT
public:
    // The longest side of each picture, in pixels.
    static constexpr int kPictureSide = 360;

    explicit PalettePreviewWindow(QWidget* parent = nullptr);

    void showPreview(const QString& bitmapName, const PalettePreviewResult& result,
                     double tolerance);

    QLabel* offShareLabel() const { return m_offShare; }

private:
    QLabel* addPicture(QGridLayout& grid, const char* name, const char* captionName,
                       const QString& caption, int column);

    QLabel* m_pictures[3] = {};
    QLabel* m_offShare = nullptr;
};

// A preview picture as a QImage (a copy: it owns its pixels).
QImage previewImage(const PreviewPicture& picture);

} // namespace cockpix
