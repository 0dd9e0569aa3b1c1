#pragma once

#include "app/core/appmodel.h"
#include "base/gui/childmenuprovider.h"
#include "gauges/core/gaugearrangement.h"
#include "gauges/gui/dragsnapping.h"
#include "gauges/gui/gaugeclipboardtarget.h"
#include "gauges/gui/laterwindowscene.h"
#include "panel/core/laterpanel.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QMenu;
class QAction;
class QScrollArea;

namespace cockpix {

class ArrangementActions;
class PanelDocument;
class PanelView;
struct LaterGaugePlacement;
struct PanelPicture;
class UserDialogs;

// One [WindowNN] or [VcockpitNN] section of a panel of FS2000 and later, as FS puts it on
// the screen: a painted frame as large as the screen with the window's background bitmap
// stretched to where the window goes (a virtual cockpit: a frame of its texture's size), or
// its background colour, zoomed and shifted as Picture > Zoom... set it (app.display), and every
// gauge with its picture or, where none was found, its outline. It follows the document: every
// edit, undo or redo draws it again. A gauge is moved by dragging it or with the arrow keys (Shift:
// 10 units), resized by the corner handle (width and height apart, Shift keeps the aspect), removed
// with Delete after a question; Tab walks the gauges. Several gauges selected (Ctrl+click, a
// band, "Select all gauges") move together and are aligned, distributed or sized alike from
// the "Align" submenu or the tool bar; Delete (or Remove) takes them all after one question.
// The Edit menu's Cut, Copy and Paste take the selected lines' own text to and from the
// clipboard; a paste adds the lines under the window's next numbers. Each edit is one undo
// step, and touches only the gauge lines it is about.
class LaterPanelWindowForm : public QWidget, public ChildMenuProvider, public GaugeClipboardTarget {
    Q_OBJECT
public:
    // window: the index of the section in the document's LaterPanel::windows; app holds
    // its zoom and shift.
    LaterPanelWindowForm(PanelDocument& document, const AppModel& app, UserDialogs& dialogs,
                         std::size_t window, LaterPictureLookup pictures, std::string panelDir,
                         QWidget* parent = nullptr);
    ~LaterPanelWindowForm() override;

    // The section shown now (its index moves when a section before it goes); npos once
    // the section is gone (the window then closes).
    std::size_t windowIndex() const { return m_window; }
    // What names the section across edits: the key of its zoom and shift.
    LaterViewKey viewKey() const { return {m_kind, m_number}; }
    // Draws the window again from the document.
    void load();

    const LaterWindowScene& scene() const { return m_scene; }
    const PanelDocument& document() const { return m_document; }
    PanelView* view() const override { return m_view; }
    void copyGauges() override;
    void cutGauges() override;
    void pasteGauges() override;
    // Delete or Remove with several gauges selected: one question, one undo step ("Delete 3
    // gauges").
    void removeSelectedGauges();
    int gaugeCount() const;
    PanelPicture backgroundPicture() const;
    PanelPicture gaugePicture(int i) const;
    int selectedGauge() const;
    void selectGauge(int i);
    // The selection's gauges in the units of their lines; a size the line leaves to the
    // module is the one it is shown at.
    std::vector<GaugeRect> selectedGaugeRects() const;
    // Draws the grid again as app.snap says (the Options menu changed it).
    void refreshSnapping();
    void arrange(Arrangement arrangement);
    QAction* arrangementAction(Arrangement arrangement) const;
    QList<QMenu*> childMenus() const override;
    void applyKeyScheme() override;
    QSize sizeHint() const override;
    void scrollToPicture();
    // "Pre&view at screen sizes...": one preview of this window at a time, drawn afresh
    // when asked again.
    void showScreenPreviews();

signals:
    // "&Zoom...": the move/zoom dialog for this window.
    void zoomRequested();
    // "&Properties..." or a click on gauge i; "&Go to gauge...".
    void propertiesRequested(int i);
    void goToGaugeRequested();
    // "&Add...": a gauge FS would find, chosen from a list, appended to the window.
    void addGaugeRequested();
    // The place of a gauge being dragged, for the main window's status line; empty when
    // the drag ends.
    void dragStatusChanged(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void buildMenus();
    void connectView();
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& text,
                           const QKeySequence& shortcut);
    void onLaterChanged();
    const LaterWindow* window() const;
    const LaterGauge* gaugeLine(int i) const;
    void showScene();
    // The gauges in the units of their lines, as selectedGaugeRects.
    std::vector<GaugeRect> gaugeRects(const std::vector<int>& gauges) const;
    UnitFrame unitFrame() const;
    // The move that dragging the gauges by delta pixels makes, snapped unless Alt or Ctrl is held;
    // shown by the view at once.
    std::optional<SnappedDrag> snappedDrag(QPoint delta, const std::vector<int>& moved);

    void onGaugeDragged(int i, QPoint delta);
    void onGaugeDropped(int i, QPoint delta);
    void onGaugeResizing(int i, QSize size);
    void onGaugeResized(int i, QSize size);
    void onMoveRequested(int i, double dx, double dy);
    void onSelectionDragged(QPoint delta);
    void onSelectionDropped(QPoint delta);
    void moveSelection(double dx, double dy);
    void onSelectionSetChanged();
    // Each selected gauge placed where place gives, in one step named text.
    void placeSelection(const std::vector<LaterGaugePlacement>& placements, const QString& text);
    void onRemoveRequested(int i);
    // The lines of the selected gauges, in the order they were selected.
    std::vector<std::size_t> selectedLines() const;
    void closeWindow();

    PanelDocument& m_document;
    const AppModel& m_app;
    UserDialogs& m_dialogs;
    std::size_t m_window;
    // What names the section across edits that move it: its kind and number.
    LaterWindowKind m_kind = LaterWindowKind::Window;
    long m_number = 0;
    LaterPictureLookup m_pictures;
    std::string m_panelDir;
    LaterWindowScene m_scene;
    LaterBackgroundCache m_backgrounds;
    QImage m_colourPicture; // the background of a window of a colour only

    QScrollArea* m_scroll = nullptr;
    PanelView* m_view = nullptr;
    QMenu* m_pictureMenu = nullptr;
    QMenu* m_gaugeMenu = nullptr;
    QAction* m_propertiesAction = nullptr;
    QAction* m_removeAction = nullptr;
    QAction* m_goAction = nullptr;
    QAction* m_zoomAction = nullptr;
    QAction* m_closeAction = nullptr;
    QAction* m_selectAllAction = nullptr;
    std::unique_ptr<ArrangementActions> m_arrangement;
};

} // namespace cockpix
