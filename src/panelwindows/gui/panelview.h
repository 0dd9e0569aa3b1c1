#pragma once

#include "drawing/gui/panelrenderer.h"

#include <QImage>
#include <QLineF>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <vector>

namespace cockpix {

// One picture of a panel view: the background or a gauge.
struct PanelViewItem {
    QRect rect;
    QImage picture;
    StretchedPart stretched; // the visible part at rect's size, made when first drawn
    QString toolTip;
    bool visible = false; // drawn (the blinker hides and shows a gauge)
    bool enabled = false; // takes the mouse: a gauge of the window
    bool framed = false;
    // What screen readers call the gauge ("gauge #3 : module!gauge"); without a picture it
    // is drawn as an outline with this name. Empty: the tooltip names it, and a gauge without
    // a picture shows nothing (an FS98 window always has its default bitmap).
    QString name;
    // What the outline says when it is not the name (an MSFS instrument's short name).
    QString outline;
    // Taken by the mouse only where no other gauge is (an instrument that covers its section
    // for want of a place of its own would otherwise hide every gauge under it).
    bool underneath = false;
};

// The content of a panel window as one painted widget as large as the screen it stands for:
// the background and the gauge pictures on it, each gauge drawn over the ones before it.
// It also finds the gauge under the mouse (the topmost one, blinking or not), shows its
// tooltip, draws the selected gauge's frame with a resize handle at its lower-right corner,
// and turns presses, drags and keys into requests; it never changes the panel itself. It
// holds any number of gauges; a drag repaints only where the gauge was and where it is.
// Snapping is the window's: it may show the dragged gauges elsewhere than the mouse has them
// and give guide lines to draw (setDragPreview), and the grid's dots (setGrid).
class PanelView : public QWidget {
    Q_OBJECT
public:
    explicit PanelView(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const;

    void setBackground(const QImage& picture, const QRect& rect);
    void clearBackground();
    const PanelViewItem& background() const { return m_background; }

    // Gauge i: picture, place, tooltip and frame; shown and enabled. The view grows to hold
    // it. name: see PanelViewItem.
    void setGauge(int i, const QImage& picture, const QRect& rect, const QString& toolTip,
                  bool framed, const QString& name = {});
    // What gauge i's outline says instead of its name (empty: its name).
    void setGaugeOutline(int i, const QString& text);
    // Whether gauge i takes the mouse only where no other gauge is (PanelViewItem::underneath).
    void setGaugeUnderneath(int i, bool underneath);
    // The slot takes no part any more: no picture, tooltip or frame; hidden and disabled.
    void clearGauge(int i);
    // Exactly n gauge slots: the ones beyond go, new ones are empty until set.
    void setGaugeSlots(int n);
    void placeGauge(int i, const QRect& rect);
    void setGaugeVisible(int i, bool visible);
    void showAllGauges();
    // Null for i outside the slots.
    const PanelViewItem* gauge(int i) const;
    // The gauges of the window: the enabled slots, which are always 0..n-1.
    int gaugeCount() const;

    // The gauge with the selection frame, -1 for none: the one a click, a key or Tab chose,
    // the last one Ctrl+click added.
    int selectedGauge() const { return m_selected; }
    // Selects gauge i alone (-1: nothing).
    void selectGauge(int i);
    // Every selected gauge in the order they were chosen; the first is the anchor an
    // arrangement takes its edge or size from. Ctrl+click adds or takes away a gauge (a drag with
    // Ctrl held moves the selection instead), a drag on the background selects the gauges its band
    // touches (with Ctrl: adds them).
    const std::vector<int>& selection() const { return m_selection; }
    void setSelection(const std::vector<int>& gauges);
    void selectAllGauges();
    // The resize handle of the selected gauge, empty when nothing is selected.
    QRect handleRect() const;
    // The topmost gauge under pos, -1 for none.
    int gaugeAt(const QPoint& pos) const;

    // The corner handle sets width and height apart (gaugeResizingTo, gaugeResizedTo), and
    // keeps the aspect only with Shift held; otherwise it follows the gauge's diagonal and
    // tells the width alone (an FS98 gauge has a width and the aspect of its bitmap).
    void setFreeResize(bool free) { m_freeResize = free; }
    bool freeResize() const { return m_freeResize; }

    // Dots over the background at origin + (i * spacing.width, j * spacing.height), drawn
    // only where the view is painted; none while either spacing is below
    // kSmallestGridSpacing pixels (or the spacing is empty: no grid).
    static constexpr double kSmallestGridSpacing = 4;
    void setGrid(const QPointF& origin, const QSizeF& spacing);
    QSizeF gridSpacing() const { return m_gridSpacing; }
    QPointF gridOrigin() const { return m_gridOrigin; }

    // While gauges are dragged (from a gaugeDragged or selectionDragged handler): show them
    // delta pixels from where they were rather than where the mouse has them, and these
    // guide lines; both go when the drag ends.
    void setDragPreview(QPoint delta, std::vector<QLineF> guides);
    const std::vector<QLineF>& guides() const { return m_guides; }
    // The keys held at the drag's last mouse event: its move, or its release.
    Qt::KeyboardModifiers dragModifiers() const { return m_dragModifiers; }

    QSize sizeHint() const override { return size(); }

signals:
    // A press landed on gauge i, which is now selected.
    void gaugePressed(int i);
    // A press and release on gauge i without a drag between.
    void gaugeClicked(int i);
    // The selection went to gauge i by a key or by dragging another gauge than the one
    // selected before.
    void selectionChanged(int i);
    // The picture of gauge i is dragged by delta pixels from where it was pressed; dropped
    // there when the button is released.
    void gaugeDragged(int i, QPoint delta);
    void gaugeDropped(int i, QPoint delta);
    // The corner handle of gauge i is dragged to make its picture width pixels wide.
    void gaugeResizing(int i, int width);
    void gaugeResized(int i, int width);
    // The same with free resizing: the picture is to be size pixels large.
    void gaugeResizingTo(int i, QSize size);
    void gaugeResizedTo(int i, QSize size);
    // An arrow key: move gauge i by (dx, dy) panel units.
    void moveRequested(int i, double dx, double dy);
    // The same with several gauges selected: every one of them is dragged or moved.
    void selectionDragged(QPoint delta);
    void selectionDropped(QPoint delta);
    void selectionMoveRequested(double dx, double dy);
    // The set of selected gauges changed by the mouse, a key, selectAllGauges or setSelection.
    void selectionSetChanged();
    // The Delete key on gauge i, the one selected; on several selected gauges, the other.
    void removeRequested(int i);
    void removeSelectionRequested();
    // Some gauge is selected now, or none any more, however it came (a click, a key, a
    // window's own selectGauge or setSelection, a gauge cleared): for the commands that
    // act on the selection.
    void hasSelectionChanged(bool selected);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Pending, Moving, Resizing, Band };

    PanelViewItem* item(int i);
    // Where gauge i is drawn now: its place, or where a drag has it.
    QRect shownRect(int i) const;
    QSize resizedSize(const QPoint& pos, bool keepAspect) const;
    void paintSelection(QPainter& painter) const;
    void paintGrid(QPainter& painter, const QRect& dirty) const;
    void repaintGuides();
    void endPreview();
    bool isSelected(int i) const;
    bool movesWithDrag(int i) const;
    void repaintSelection();
    void toggleInSelection(int i);
    // Tells hasSelectionChanged when the selection became empty or stopped being so.
    void noteSelection();
    void finishBand(const QRect& band, bool add);
    void repaintAround(const QRect& rect);
    void stepSelection(int step);
    void showToolTip(QEvent* event);

    QColor m_backColor = Qt::black;
    PanelViewItem m_background;
    std::vector<PanelViewItem> m_gauges;
    int m_selected = -1;
    std::vector<int> m_selection;
    bool m_hadSelection = false;
    bool m_freeResize = false;

    Drag m_drag = Drag::None;
    int m_dragGauge = -1;
    int m_selectedBeforePress = -1;
    QPoint m_pressPos;
    QPoint m_dragDelta;
    QPoint m_shownDelta; // where the gauges being moved are shown: m_dragDelta, or snapped
    QSize m_dragSize;
    Qt::KeyboardModifiers m_dragModifiers;
    std::vector<QLineF> m_guides;
    QPointF m_gridOrigin;
    QSizeF m_gridSpacing;
    bool m_bandAdds = false;
    bool m_ctrlPress = false;      // the press was a Ctrl+click on a gauge
    bool m_takeOutOnClick = false; // on a selected one: taken out unless dragged
};

} // namespace cockpix
