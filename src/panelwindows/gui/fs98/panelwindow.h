#pragma once

#include "base/core/colorref.h"
#include "base/core/filelookup.h"
#include "panel/core/fs98/panel.h"
#include "panelwindows/gui/panelwindowbase.h"
#include "state/core/appmodel.h"

#include <map>
#include <optional>
#include <string>

class QTimer;

namespace cockpix {
struct PanelScene;
class PanelWindowRegistry;
} // namespace cockpix

namespace cockpix::fs98 {

class Document;

// Form2: one window section of the panel as FS98 puts it on the screen. The content is one
// painted frame exactly as large as the screen (PanelView); the background sits in it at its
// position code and every gauge is drawn from the bitmap cut out of its module. While the
// window is the active MDI child, its "&Picture" and "&Gauges" menus replace the main
// window's (which keeps its "&Windows" list beside them). The window follows the panel
// document: a gauge edited, added, removed, undone or redone is drawn again at once. A
// gauge is moved by dragging its picture or with the arrow keys, resized by the handle of
// its selection frame, removed with Delete; each is one undo step. Several gauges are
// selected with Ctrl+click, a band dragged on the background or "Select all gauges"; they
// move together (drag, arrow keys) and are aligned, distributed or given the same width
// from the "Align" submenu or the tool bar, each one undo step; Delete removes them all after
// one question. The Edit menu's Cut, Copy and Paste take the selected gauges to and from the
// clipboard as the lines FS98 writes (a paste keeps FS98's limits: one gauge a module, no
// module twice in the panel, 64 gauges a window).
class PanelWindowForm : public PanelWindowBase {
    Q_OBJECT
public:
    PanelWindowForm(fs98::Document& document, AppModel& app, UserDialogs& dialogs, int w,
                    QWidget* parent = nullptr);
    ~PanelWindowForm() override;

    // panelForms, for the commands and the blinker that act on the current window's panel
    // window rather than on this one.
    void setRegistry(PanelWindowRegistry* registry) { m_registry = registry; }

    // Builds the window from the model: extraction pass, background, layout, drawing pass,
    // with every warning shown through the dialogs. Can be run again to rebuild.
    void load();

    int windowSlot() const { return m_w; }
    QWidget* frameWidget() const;
    // The background colour the window shows (panelBackColor when it was loaded or
    // recoloured).
    QColor backColor() const;
    void setBackColor(ColorRef color);

    // Shows a hidden gauge picture and hides a shown one (the blinker).
    void toggleGaugeVisibility(int i);
    void showAllGauges();

    // Scrolls the frame so that the panel picture is in view (the frame is as large as the
    // screen, the window often smaller).
    void scrollToPicture();

public slots:
    // One blinker tick: toggles the current gauge when this is the newest window of the
    // current slot (one toggle per period however many windows are open); also adapts the
    // timer to blinkState and blinkInterval.
    void blinkTick();
    // Restarts the blinker timer at once after blinkState or blinkInterval changed.
    void refreshBlinker();

signals:
    // A click on gauge i; currentWindow and currentGauge are already this window and i.
    // The gauge properties dialog opens from here.
    void gaugeClicked(int i);
    // Every menu command first asks to close the gauge properties dialog, and so does a
    // selection that moves to another gauge. (The dialogs of "&Zoom...", "&Add..." and "&Go
    // to gauge..." find currentWindow already set.)
    void closeGaugeDialogRequested();

protected:
    // The gauges in panel units: X, Y, S as the width and the height they are shown at (an
    // FS98 gauge's height follows its picture).
    std::optional<GaugeRect> gaugeRect(int i) const override;
    UnitFrame unitFrame() const override;
    std::optional<GaugeRect> snapBackground(const UnitFrame& frame) const override;
    std::optional<PointF> movedPlace(int i, double dx, double dy) const override;
    QString placeStatus(int i, PointF place) const override;
    // The new size S (the width the picture is dragged to) at the gauge's X and Y.
    std::optional<QString> resizeStatus(int i, QSize size) const override;
    void commandStarts() override;
    // The dialogs find currentWindow already set to this window.
    void dialogStarts() override;
    // This window on every FS98 screen size, side by side.
    void openScreenPreview() override;
    std::optional<std::string> gaugeName(int i) const override;
    TextEncoding panelEncoding() const override;

    void moveGauge(int i, PointF place) override;
    void resizeGauge(int i, QSize size) override;
    void placeGauges(const std::vector<GaugeEdit>& edits, const QString& text) override;
    bool placesUnmovedGauges() const override { return true; }
    void settleGauges(const std::vector<int>& gauges) override;
    // "REMOVE FROM PANEL": the gauge dialog showed this gauge, so it goes.
    void removeGauge(int i) override;
    // The gauge dialogs go to no gauge.
    void removeGauges(const std::vector<int>& gauges, const QString& text) override;
    std::string gaugeLines(const std::vector<int>& gauges) const override;
    // The background in panel units, where FS98 shows gauges; nullopt without one.
    std::optional<PasteArea> pasteArea() const override;
    // FS98's limits: one gauge a module, no module twice in the panel, 64 gauges a window.
    PastedGauges pasteLines(const std::vector<ClipboardGauge>& gauges,
                            const std::optional<PasteArea>& area) override;
    // The gauge dialogs close and work on the gauge selected now.
    void gaugeSelected(int i) override;
    // The gauge properties, from the main window (gaugeClicked).
    void openGauge(int i) override;

private:
    // The menu bar of the window, in one place.
    void buildMenus();
    void connectGaugePresses();
    void updateMenuStates(int n);
    void placeScene(const PanelScene& scene);
    // Places gauge picture i from the panel and the display data; clears it when i is not
    // a gauge of the window.
    void placeGauge(int i);
    // The gauges moved between slots (added, removed, undone): every picture takes the
    // picture of its slot's gauge again.
    void showGauges();
    QImage pictureOfGauge(int i);
    std::string gaugeBitmapFile(int i) const;
    QRect gaugePixelRect(int i) const;
    // Makes this window the one the gauge dialogs work on.
    void becomeCurrent(int gauge);

    void onGaugeChanged(int w, int g);
    void onGaugesChanged(int w);
    void onGaugePressed(int i);
    void chooseBackColor();
    void resetToBlack();

    Document& m_document;
    AppModel& m_app;
    const int m_w;
    PanelWindowRegistry* m_registry = nullptr;

    QTimer* m_blinkTimer = nullptr;

    // The pictures of the gauges shown so far, by module name, each with the stamp of the
    // bitmap file it came from: a gauge that comes back by an undo is drawn without reading
    // its bitmap again, while a bitmap a pick has cut out anew since is read again, so the
    // picture and the size (taken from the file) always come from the same bytes.
    struct KnownPicture {
        QImage picture;
        std::optional<FileStamp> bitmap;
    };
    std::map<std::string, KnownPicture> m_pictures;
    // The colour chooser's own colour, as it was last picked in this window (black in a
    // freshly loaded one): a cancelled chooser applies it again.
    ColorRef m_chooserColor = 0;
    bool m_loading = false;
};

} // namespace cockpix::fs98
