#pragma once

// "Pre&view at screen sizes..." of a panel window's Picture menu: the window as FS98 shows it
// on each screen its users had (640 x 480 up to 1600 x 1200), side by side, each scaled to
// fit. The pictures come from the panel window's own load and layout code, run on a copy of
// the program state, so the open panel windows keep their layout data and the preview writes
// no file the panel window would not (it may cut a gauge bitmap into the work directory, as
// the panel window does). It follows the panel's edits. A window of a panel of FS2000 and
// later is laid out by the fs2k window's own code for each screen (its window_pos and
// window_size fractions, size_mm, the file_NNNN= of that screen's width, its colour and
// gauges), without the move/zoom dialog's zoom and shift, as FS shows it.
//
// objectNames: screenPreviews (the dialog), Tile_<W>x<H> and Caption_<W>x<H> per screen,
// Notes (what the load had to say), Refresh, Close.

#include "drawing/gui/fs2k/windowscene.h"
#include "drawing/gui/panelrenderer.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

class QLabel;

namespace cockpix {

class ScreenPreviewTile;

class ScreenPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // app is read at every refresh (directories, options, colours), never written.
    ScreenPreviewDialog(const fs98::Document& document, const AppModel& app, int w,
                        QWidget* parent = nullptr);

    // The same for section `window` of the document's later panel, its gauges' pictures
    // from pictures, its bitmaps in panelDir (with its trailing separator).
    ScreenPreviewDialog(const fs2k::Document& document, const AppModel& app, std::size_t window,
                        fs2k::PictureLookup pictures, std::string panelDir,
                        QWidget* parent = nullptr);

    int windowSlot() const { return m_w; }
    // The scenes shown, one per screen, from the smallest; empty while the window is gone.
    const std::vector<PanelScene>& scenes() const { return m_scenes; }
    // For an fs2k panel's window.
    const std::vector<fs2k::WindowScene>& fs2kScenes() const { return m_fs2kScenes; }
    ScreenPreviewTile* tile(int i) const;
    QString notes() const;

public slots:
    // Loads the window again and lays it out for every screen.
    void refresh();

private:
    void build(const BaseDocument& document);
    void scheduleRefresh();
    void refreshFs2k();
    void showScenes(const std::vector<QImage>& pictures, const std::vector<bool>& offScreen,
                    const QStringList& warnings);

    // The fs2k panel's section shown, found again by kind and number after each edit.
    struct Fs2kSource {
        const fs2k::Document* document = nullptr;
        std::size_t window = 0;
        fs98::Fs2kViewKey key;
        fs2k::PictureLookup pictures;
        std::string panelDir;
        fs2k::BackgroundCache backgrounds;
    };

    // The FS98 panel's document; null for an fs2k panel's window (m_fs2k).
    const fs98::Document* m_fs98 = nullptr;
    const AppModel& m_app;
    const int m_w;
    std::vector<PanelScene> m_scenes;
    std::unique_ptr<Fs2kSource> m_fs2k;
    std::vector<fs2k::WindowScene> m_fs2kScenes;
    std::vector<ScreenPreviewTile*> m_tiles;
    std::vector<QLabel*> m_captions;
    QLabel* m_notes = nullptr;
    bool m_refreshPending = false;
};

} // namespace cockpix
