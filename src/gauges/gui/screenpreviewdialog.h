#pragma once

// "Pre&view at screen sizes..." of a panel window's Picture menu: the window as FS98 shows it
// on each screen its users had (640 x 480 up to 1600 x 1200), side by side, each scaled to
// fit. The pictures come from the panel window's own load and layout code, run on a copy of
// the program state, so the open panel windows keep their layout data and the preview writes
// no file the panel window would not (it may cut a gauge bitmap into the work directory, as
// the panel window does). It follows the panel's edits.
//
// objectNames: screenPreviews (the dialog), Tile_<W>x<H> and Caption_<W>x<H> per screen,
// Notes (what the load had to say), Refresh, Close.

#include "app/core/appmodel.h"
#include "gauges/gui/panelrenderer.h"

#include <QDialog>
#include <vector>

class QLabel;

namespace cockpix {

class PanelDocument;
class ScreenPreviewTile;

class ScreenPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // app is read at every refresh (directories, options, colours), never written.
    ScreenPreviewDialog(const PanelDocument& document, const AppModel& app, int w,
                        QWidget* parent = nullptr);

    int windowSlot() const { return m_w; }
    // The scenes shown, one per screen, from the smallest; empty while the window is gone.
    const std::vector<PanelScene>& scenes() const { return m_scenes; }
    ScreenPreviewTile* tile(int i) const;
    QString notes() const;

public slots:
    // Loads the window again and lays it out for every screen.
    void refresh();

private:
    void scheduleRefresh();
    void showScenes(const QStringList& warnings);

    const PanelDocument& m_document;
    const AppModel& m_app;
    const int m_w;
    std::vector<PanelScene> m_scenes;
    std::vector<ScreenPreviewTile*> m_tiles;
    std::vector<QLabel*> m_captions;
    QLabel* m_notes = nullptr;
    bool m_refreshPending = false;
};

} // namespace cockpix
