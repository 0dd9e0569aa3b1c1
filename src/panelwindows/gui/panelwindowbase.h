#pragma once

#include "base/core/textencoding.h"
#include "base/gui/childmenuprovider.h"
#include "drawing/core/fs98/layout.h"
#include "panelwindows/core/gaugearrangement.h"
#include "panelwindows/gui/dragsnapping.h"
#include "panelwindows/gui/gaugeclipboardtarget.h"
#include "state/core/appmodel.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QScrollArea;

namespace cockpix {

class ArrangementActions;
class PanelView;
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

// A gauge of a window placed anew by a drag, a key, or an alignment: where it was and where it
// goes, in panel units.
struct GaugeEdit {
    int gauge = -1;
    GaugeRect from;
    GaugeRect to;
};

// What a paste added to a window: the new gauges; or the message of a paste the format
// refuses whole; and how many pasted lines the window could not take.
struct PastedGauges {
    std::vector<int> gauges;
    QString refusal;
    std::size_t notAdded = 0;
};

// The panel window of every format: the painted frame in its scroll area, the menus' common
// commands and the alignment tool bar, the selection, the snapped drags, resizes and key
// moves with their status lines and undo steps, delete, cut, copy and paste with their
// questions and messages, the screen previews. A window of one format says where its gauges
// are in panel units, where a drag puts one, how an edit becomes a document operation and
// how its status line spells a gauge.
class PanelWindowBase : public QWidget, public ChildMenuProvider, public GaugeClipboardTarget {
    Q_OBJECT
public:
    ~PanelWindowBase() override;

    PanelView* view() const override { return m_view; }
    QList<QMenu*> childMenus() const override;
    void applyKeyScheme() override;

    PanelPicture backgroundPicture() const;
    // Gauge picture i; an empty PanelPicture when there is none.
    PanelPicture gaugePicture(int i) const;
    // The gauge with the selection frame (-1: none).
    int selectedGauge() const;
    void selectGauge(int i);
    // The selection's gauges in panel units.
    std::vector<GaugeRect> selectedGaugeRects() const;
    // Draws the grid again as app.snap says (the Options menu changed it).
    void refreshSnapping();
    // "Align" submenu or tool bar: the selected gauges arranged, one undo step.
    void arrange(Arrangement arrangement);
    QAction* arrangementAction(Arrangement arrangement) const;
    // Delete (or Remove) with several gauges selected: one question, one undo step ("Delete 3
    // gauges").
    void removeSelectedGauges();
    // Copies the selected gauges and removes them, one undo step.
    void cutGauges() override;
    void copyGauges() override;
    // Nothing changes when the format would not take the gauges; lines left out are told
    // after the others went in.
    void pasteGauges() override;
    // The frame and the tool bar above it: a window that fits opens without scroll bars.
    QSize sizeHint() const override;
public slots:
    // "Pre&view at screen sizes...": one preview of this window at a time; asked again, it
    // comes to the front drawn afresh (colours or options may have changed) rather than a
    // second copy redrawing after every edit.
    void showScreenPreviews();

signals:
    // "&Zoom...", "&Add..." and "&Go to gauge...": their dialogs open from here, for this
    // window.
    void zoomRequested();
    void addGaugeRequested();
    void goToGaugeRequested();
    // The place of a gauge being dragged, for the main window's status line; empty when
    // the drag ends.
    void dragStatusChanged(const QString& text);

protected:
    PanelWindowBase(const SnapOptions& snap, UserDialogs& dialogs, QWidget* parent);

    void closeEvent(QCloseEvent* event) override;

    // The scroll area and the frame as large as the screen in it.
    void buildFrame();
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& text,
                           const QKeySequence& shortcut);
    // The "&Picture" menu with "&Zoom..." and the previews, and the "&Gauges" menu with
    // "&Add...".
    void startMenus();
    // "&Go to gauge..." in the gauge menu.
    void addGoAction();
    // The gauge commands that need a gauge, for a window of n gauges.
    void enableGaugeCommands(int n);
    // "&Close" at the end of the picture menu.
    void addCloseAction();
    // Select all and the alignments at the end of the gauge menu, with the tool bar.
    void finishGaugeMenu(bool fs2kPanel);
    // The view's signals that both formats answer alike.
    void connectView();
    void closeWindow();

    // The gauges in panel units, as selectedGaugeRects; one for each gauge it knows.
    std::vector<GaugeRect> gaugeRects(const std::vector<int>& gauges) const;
    // Gauge i in panel units; nullopt for no gauge.
    virtual std::optional<GaugeRect> gaugeRect(int i) const = 0;
    // Where unit 0,0 lies in the view and the pixels per unit.
    virtual UnitFrame unitFrame() const = 0;
    // The window's picture in panel units, a target for the snaps.
    virtual std::optional<GaugeRect> snapBackground(const UnitFrame& frame) const = 0;
    // Where dragging gauge i by dx, dy units puts it; nullopt for no gauge.
    virtual std::optional<fs98::PointF> movedPlace(int i, double dx, double dy) const = 0;
    // The status line while gauge i is dragged to place, and while its picture is resized
    // to size pixels (an FS98 picture: to the width, its height follows).
    virtual QString placeStatus(int i, fs98::PointF place) const = 0;
    // nullopt: the status line stays as it is.
    virtual std::optional<QString> resizeStatus(int i, QSize size) const = 0;
    // Called as every menu command starts.
    virtual void commandStarts() {}
    // Called before "&Zoom...", "&Add..." or "&Go to gauge..." asks for its dialog.
    virtual void dialogStarts() {}
    // The preview dialog of this window, shown.
    virtual void openScreenPreview() = 0;
    // The selected gauges that are gauges of the window, in the order they were selected.
    std::vector<int> selectedGauges() const;
    // Gauge i's name as its line writes it, in the panel's encoding; nullopt for no gauge.
    virtual std::optional<std::string> gaugeName(int i) const = 0;
    virtual TextEncoding panelEncoding() const = 0;

    // The document operations, one undo step each. Gauge i moved to place (a drop or an
    // arrow key).
    virtual void moveGauge(int i, fs98::PointF place) = 0;
    // Gauge i's picture resized to size pixels.
    virtual void resizeGauge(int i, QSize size) = 0;
    // Several gauges placed in one step named text; none: they are shown where they were.
    virtual void placeGauges(const std::vector<GaugeEdit>& edits, const QString& text) = 0;
    // Whether the drop of a selection writes also the gauges that it left where they were
    // (and the step counts them).
    virtual bool placesUnmovedGauges() const { return false; }
    // After a drop or a resize: the gauges go back to where the layout puts them, moved or
    // not, where the document's signal does not draw them again.
    virtual void settleGauges(const std::vector<int>&) {}
    // Gauge i removed, once asked.
    virtual void removeGauge(int i) = 0;
    // Removes the gauges in one undo step named text (empty: "Cut 3 gauges"); nothing is
    // selected any more.
    virtual void removeGauges(const std::vector<int>& gauges, const QString& text) = 0;
    // The gauges' lines for the clipboard, in the panel's encoding.
    virtual std::string gaugeLines(const std::vector<int>& gauges) const = 0;
    // Where pasted gauges are shown; nullopt: anywhere.
    virtual std::optional<PasteArea> pasteArea() const = 0;
    // The pasted gauges appended to the window as the format takes them.
    virtual PastedGauges pasteLines(const std::vector<ClipboardGauge>& gauges,
                                    const std::optional<PasteArea>& area) = 0;
    // The selection moved to gauge i (a click, Tab, a paste).
    virtual void gaugeSelected(int) {}
    // A click on gauge i, selected now: the dialog of its properties opens.
    virtual void openGauge(int i) = 0;

    // The move that dragging the gauges by delta pixels makes, snapped unless Alt or Ctrl is
    // held; shown by the view at once. nullopt while the window has no scale.
    std::optional<SnappedDrag> snappedDrag(QPoint delta, const std::vector<int>& moved);
    // The status line and the align actions follow the selection.
    void onSelectionSetChanged();

    UserDialogs& m_dialogs;
    // The alignments, in the gauge menu and on the tool bar.
    std::unique_ptr<ArrangementActions> m_arrangement;
    // The frame in its scroll area.
    QScrollArea* m_scroll = nullptr;
    PanelView* m_view = nullptr;
    // The menus, and the commands of both formats a window enables or connects itself.
    struct Menus {
        QMenu* picture = nullptr;
        QMenu* gauges = nullptr;
    } m_menus;
    QAction* m_zoomAction = nullptr;
    QAction* m_addAction = nullptr;
    QAction* m_goAction = nullptr;
    QAction* m_selectAllAction = nullptr;

private:
    void onGaugeDragged(int i, QPoint delta);
    void onSelectionDragged(QPoint delta);
    void onGaugeDropped(int i, QPoint delta);
    void onSelectionDropped(QPoint delta);
    void onMoveRequested(int i, double dx, double dy);
    void moveSelection(double dx, double dy);
    void onGaugeResizing(int i, QSize size);
    void onGaugeResized(int i, QSize size);
    void onRemoveRequested(int i);
    void showSelected(int i);
    void onGaugeClicked(int i);
    void requestDialog(void (PanelWindowBase::*request)());
    // The selected gauges moved by dx, dy units, each to where place puts it.
    template <typename Place> std::vector<GaugeEdit> movedSelection(Place place) const;

    const SnapOptions& m_snap;
    QAction* m_closeAction = nullptr; // keyed by applyKeyScheme, as Zoom
};

} // namespace cockpix
