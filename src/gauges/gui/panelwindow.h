#pragma once

#include "app/core/appmodel.h"
#include "base/core/colorref.h"
#include "base/core/filelookup.h"
#include "base/gui/childmenuprovider.h"
#include "gauges/core/gaugearrangement.h"
#include "gauges/gui/dragsnapping.h"
#include "gauges/gui/gaugeclipboardtarget.h"
#include "panel/core/panel.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QScrollArea;
class QTimer;

namespace cockpix {

class ArrangementActions;
class PanelDocument;
struct PanelScene;
class PanelView;
class PanelWindowRegistry;
class UserDialogs;

// What one picture of a panel window shows: for tests and tools that look at a window as
// the user sees it. name is the picture's name ("Image1" for the background, "Image2_3"
// for gauge 3); geometry is in the frame's pixels.
struct PanelPicture {
    QString name;
    QRect geometry;
    bool visible = false;
    bool enabled = false;
    QImage picture;
    QString toolTip;
    bool framed = false;
    bool hasPicture() const { return !picture.isNull(); }
};

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
class PanelWindowForm : public QWidget, public ChildMenuProvider, public GaugeClipboardTarget {
    Q_OBJECT
public:
    PanelWindowForm(PanelDocument& document, AppModel& app, UserDialogs& dialogs, int w,
                    QWidget* parent = nullptr);
    ~PanelWindowForm() override;

    // panelForms, for the commands and the blinker that act on the current window's panel
    // window rather than on this one.
    void setRegistry(PanelWindowRegistry* registry) { m_registry = registry; }

    // Builds the window from the model: extraction pass, background, layout, drawing pass,
    // with every warning shown through the dialogs. Can be run again to rebuild.
    void load();

    int windowSlot() const { return m_w; }
    QList<QMenu*> childMenus() const override;
    void applyKeyScheme() override;

    PanelPicture backgroundPicture() const;
    // Gauge picture i (0..63); an empty PanelPicture outside that range.
    PanelPicture gaugePicture(int i) const;
    PanelView* view() const override { return m_view; }
    void copyGauges() override;
    void cutGauges() override;
    void pasteGauges() override;
    // Delete with several gauges selected: one question, one undo step ("Delete 3 gauges").
    void removeSelectedGauges();
    QWidget* frameWidget() const;
    // The background colour the window shows (panelBackColor when it was loaded or
    // recoloured).
    QColor backColor() const;
    void setBackColor(ColorRef color);

    // Shows a hidden gauge picture and hides a shown one (the blinker).
    void toggleGaugeVisibility(int i);
    void showAllGauges();
    // The gauge with the selection frame (-1: none), as the gauge dialogs select it.
    int selectedGauge() const;
    void selectGauge(int g);
    // The selection's gauges in panel units: X, Y, S as the width and the height they are
    // shown at (an FS98 gauge's height follows its picture).
    std::vector<GaugeRect> selectedGaugeRects() const;
    // Draws the grid again as app.snap says (the Options menu changed it).
    void refreshSnapping();
    void arrange(Arrangement arrangement);
    QAction* arrangementAction(Arrangement arrangement) const;

    QSize sizeHint() const override;

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
    // "Pre&view at screen sizes...": this window on every FS98 screen size, side by side.
    void showScreenPreviews();

signals:
    // A click on gauge i; currentWindow and currentGauge are already this window and i.
    // The gauge properties dialog opens from here.
    void gaugeClicked(int i);
    // Every menu command first asks to close the gauge properties dialog, and so does a
    // selection that moves to another gauge.
    void closeGaugeDialogRequested();
    // "&Zoom...", "&Add..." and "&Go to gauge...": their dialogs open from here, for this
    // window (currentWindow is already set).
    void zoomRequested();
    void addGaugeRequested();
    void goToGaugeRequested();
    // The place of a gauge being dragged, for the main window's status line; empty when
    // the drag ends.
    void dragStatusChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    // The menu bar of the window, in one place.
    void buildMenus();
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& text,
                           const QKeySequence& shortcut);
    void connectView();
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
    // The gauges in panel units, as selectedGaugeRects.
    std::vector<GaugeRect> gaugeRects(const std::vector<int>& gauges) const;
    // Where unit 0,0 lies in the view and the pixels per unit.
    UnitFrame unitFrame() const;
    // The background in panel units, where FS98 shows gauges; nullopt without one.
    std::optional<PasteArea> backgroundArea() const;
    // The move that dragging the gauges by delta pixels makes, snapped unless Alt or Ctrl is held;
    // shown by the view at once. nullopt while the window has no scale.
    std::optional<SnappedDrag> snappedDrag(QPoint delta, const std::vector<int>& moved);
    // Makes this window the one the gauge dialogs work on.
    void becomeCurrent(int gauge);
    void askForCommand(void (PanelWindowForm::*request)());

    void onGaugeChanged(int w, int g);
    void onGaugesChanged(int w);
    void onGaugePressed(int i);
    void onGaugeClicked(int i);
    void onGaugeDragged(int i, QPoint delta);
    void onGaugeDropped(int i, QPoint delta);
    void onGaugeResizing(int i, int width);
    void onGaugeResized(int i, int width);
    void onMoveRequested(int i, double dx, double dy);
    void onSelectionDragged(QPoint delta);
    void onSelectionDropped(QPoint delta);
    void moveSelection(double dx, double dy);
    // The status line and the align actions follow the selection.
    void onSelectionSetChanged();
    void onRemoveRequested(int i);
    void chooseBackColor();
    void resetToBlack();
    void closeWindow();

    PanelDocument& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    const int m_w;
    PanelWindowRegistry* m_registry = nullptr;

    QScrollArea* m_scroll = nullptr;
    PanelView* m_view = nullptr;
    QTimer* m_blinkTimer = nullptr;

    QMenu* m_pictureMenu = nullptr;
    QMenu* m_gaugeMenu = nullptr;
    QAction* m_addAction = nullptr;
    QAction* m_goAction = nullptr;
    QAction* m_zoomAction = nullptr;
    QAction* m_closeAction = nullptr;
    QAction* m_selectAllAction = nullptr;
    std::unique_ptr<ArrangementActions> m_arrangement;

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

} // namespace cockpix
