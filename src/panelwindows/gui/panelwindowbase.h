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
class PanelDocument;
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

// What the panel windows of FS98 and of FS2000 and later do alike: the painted frame in its
// scroll area, the menus' common commands and the alignment tool bar, the selection, the
// snapped drags and their status line, the screen previews. A window of one format says
// where its gauges are in panel units, where a drag puts one and how an edit becomes a
// document operation.
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
    virtual void arrange(Arrangement arrangement) = 0;
    QAction* arrangementAction(Arrangement arrangement) const;
    // Delete (or Remove) with several gauges selected: one question, one undo step ("Delete 3
    // gauges").
    void removeSelectedGauges();
    // Copies the selected gauges and removes them, one undo step.
    void cutGauges() override;
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
    PanelWindowBase(PanelDocument& document, const SnapOptions& snap, UserDialogs& dialogs,
                    QWidget* parent);

    void closeEvent(QCloseEvent* event) override;

    // The scroll area and the frame as large as the screen in it.
    void buildFrame();
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& text,
                           const QKeySequence& shortcut);
    // The "&Picture" menu with "&Zoom..." and the previews, and the empty "&Gauges" menu.
    void startMenus();
    // "&Close" at the end of the picture menu.
    void addCloseAction();
    // Select all and the alignments at the end of the gauge menu, with the tool bar.
    void finishGaugeMenu(bool fs2kPanel);
    // The view's signals that both formats answer alike.
    void connectView();
    void closeWindow();

    // The gauges in panel units, as selectedGaugeRects; one for each gauge it knows.
    virtual std::vector<GaugeRect> gaugeRects(const std::vector<int>& gauges) const = 0;
    // Where unit 0,0 lies in the view and the pixels per unit.
    virtual UnitFrame unitFrame() const = 0;
    // The window's picture in panel units, a target for the snaps.
    virtual std::optional<GaugeRect> snapBackground(const UnitFrame& frame) const = 0;
    // Where dragging gauge i by dx, dy units puts it; nullopt for no gauge.
    virtual std::optional<fs98::PointF> movedPlace(int i, double dx, double dy) const = 0;
    // The status line while gauge i is dragged to place.
    virtual QString placeStatus(int i, fs98::PointF place) const = 0;
    // Called as every menu command starts.
    virtual void commandStarts() {}
    // The preview dialog of this window, shown.
    virtual void openScreenPreview() = 0;
    // The selected gauges that are gauges of the window, in the order they were selected.
    virtual std::vector<int> selectedGauges() const = 0;
    // Gauge i's name as its line writes it, in the panel's encoding.
    virtual std::string gaugeName(int i) const = 0;
    virtual TextEncoding panelEncoding() const = 0;
    // Removes the gauges in one undo step named text (empty: "Cut 3 gauges"); nothing is
    // selected any more.
    virtual void removeGauges(const std::vector<int>& gauges, const QString& text) = 0;

    virtual void onGaugeDropped(int i, QPoint delta) = 0;
    virtual void onMoveRequested(int i, double dx, double dy) = 0;
    virtual void onSelectionDropped(QPoint delta) = 0;
    virtual void moveSelection(double dx, double dy) = 0;
    virtual void onRemoveRequested(int i) = 0;

    // The move that dragging the gauges by delta pixels makes, snapped unless Alt or Ctrl is
    // held; shown by the view at once. nullopt while the window has no scale.
    std::optional<SnappedDrag> snappedDrag(QPoint delta, const std::vector<int>& moved);
    // The status line and the align actions follow the selection.
    void onSelectionSetChanged();

    PanelDocument& m_document;
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
    QAction* m_goAction = nullptr;
    QAction* m_selectAllAction = nullptr;

private:
    void onGaugeDragged(int i, QPoint delta);
    void onSelectionDragged(QPoint delta);

    const SnapOptions& m_snap;
    QAction* m_closeAction = nullptr; // keyed by applyKeyScheme, as Zoom
};

} // namespace cockpix
