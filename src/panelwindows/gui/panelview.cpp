#include "panelwindows/gui/panelview.h"

#include "drawing/gui/gaugeoutline.h"
#include "drawing/gui/panelrenderer.h"
#include "panelwindows/core/gaugedrag.h"
#include "panelwindows/gui/panelviewaccessible.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace cockpix {
namespace {

// A press that moves less than this is still a click: a hand never holds a mouse quite still.
constexpr int kDragThreshold = 3;
constexpr int kHandleSize = 7;  // the square drawn at the selected gauge's lower-right corner
constexpr int kHandleReach = 2; // pixels around it that still take the handle
constexpr int kSmallestDragWidth = 4;
// More gauges than any window holds: a wrong index must not allocate gigabytes.
constexpr int kMostGaugeSlots = 1 << 20;

void drawItem(QPainter& painter, const QRect& view, PanelViewItem& item, const QRect& rect) {
    if (!item.visible || rect.isEmpty())
        return;
    if (item.picture.isNull() && !item.name.isEmpty())
        paintGaugeOutline(painter, rect, item.outline.isEmpty() ? item.name : item.outline);
    else
        paintClippedPicture(painter, view, rect, item.picture, item.framed, item.stretched);
}

} // namespace

PanelView::PanelView(QWidget* parent) : QWidget(parent) {
    installPanelViewAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

void PanelView::setBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

QColor PanelView::backColor() const {
    return m_backColor;
}

void PanelView::setBackground(const QImage& picture, const QRect& rect) {
    // Set again as it was (a window drawn again after an edit): nothing to stretch or paint.
    if (m_background.visible && m_background.rect == rect &&
        m_background.picture.cacheKey() == picture.cacheKey())
        return;
    m_background.picture = picture;
    m_background.stretched = {};
    m_background.rect = rect;
    m_background.visible = m_background.enabled = true;
    update();
}

void PanelView::clearBackground() {
    m_background = PanelViewItem();
    update();
}

PanelViewItem* PanelView::item(int i) {
    if (i < 0 || i >= int(m_gauges.size()))
        return nullptr;
    return &m_gauges[static_cast<std::size_t>(i)];
}

const PanelViewItem* PanelView::gauge(int i) const {
    if (i < 0 || i >= int(m_gauges.size()))
        return nullptr;
    return &m_gauges[static_cast<std::size_t>(i)];
}

int PanelView::gaugeCount() const {
    const auto firstFree = std::find_if(m_gauges.begin(), m_gauges.end(),
                                        [](const PanelViewItem& gauge) { return !gauge.enabled; });
    return int(firstFree - m_gauges.begin());
}

void PanelView::setGaugeSlots(int n) {
    n = std::clamp(n, 0, kMostGaugeSlots);
    for (int i = n; i < int(m_gauges.size()); ++i)
        clearGauge(i);
    m_gauges.resize(static_cast<std::size_t>(n));
}

void PanelView::setGauge(int i, const QImage& picture, const QRect& rect, const QString& toolTip,
                         bool framed, const QString& name) {
    if (i >= int(m_gauges.size()) && i < kMostGaugeSlots)
        m_gauges.resize(static_cast<std::size_t>(i) + 1);
    PanelViewItem* gauge = item(i);
    if (!gauge)
        return;
    repaintAround(shownRect(i));
    if (gauge->picture.cacheKey() != picture.cacheKey()) {
        gauge->picture = picture;
        gauge->stretched = {};
    }
    gauge->rect = rect;
    gauge->toolTip = toolTip;
    gauge->framed = framed;
    gauge->name = name;
    gauge->visible = gauge->enabled = true;
    repaintAround(rect);
}

void PanelView::setGaugeOutline(int i, const QString& text) {
    PanelViewItem* gauge = item(i);
    if (!gauge || gauge->outline == text)
        return;
    gauge->outline = text;
    repaintAround(shownRect(i));
}

void PanelView::setGaugeUnderneath(int i, bool underneath) {
    if (PanelViewItem* gauge = item(i))
        gauge->underneath = underneath;
}

void PanelView::clearGauge(int i) {
    PanelViewItem* gauge = item(i);
    if (!gauge)
        return;
    repaintAround(shownRect(i));
    *gauge = PanelViewItem();
    if (m_dragGauge == i) {
        endPreview();
        m_drag = Drag::None;
    }
    if (isSelected(i)) {
        repaintSelection();
        std::erase(m_selection, i);
    }
    if (m_selected == i)
        m_selected = m_selection.empty() ? -1 : m_selection.back();
    noteSelection();
}

void PanelView::placeGauge(int i, const QRect& rect) {
    PanelViewItem* gauge = item(i);
    if (!gauge || gauge->rect == rect)
        return;
    repaintAround(shownRect(i));
    gauge->rect = rect;
    repaintAround(rect);
}

void PanelView::setGaugeVisible(int i, bool visible) {
    PanelViewItem* gauge = item(i);
    if (!gauge || gauge->visible == visible)
        return;
    gauge->visible = visible;
    repaintAround(shownRect(i));
}

void PanelView::showAllGauges() {
    for (int i = 0; i < gaugeCount(); ++i)
        setGaugeVisible(i, true);
}

void PanelView::selectGauge(int i) {
    const PanelViewItem* chosen = gauge(i);
    const int selected = chosen && chosen->enabled ? i : -1;
    if (selected == m_selected && m_selection.size() == (selected >= 0 ? 1u : 0u))
        return;
    repaintSelection();
    m_selected = selected;
    m_selection.clear();
    if (m_selected >= 0)
        m_selection.push_back(m_selected);
    repaintSelection();
    noteSelection();
}

void PanelView::setSelection(const std::vector<int>& gauges) {
    repaintSelection();
    m_selection.clear();
    for (const int i : gauges) {
        const PanelViewItem* chosen = gauge(i);
        if (chosen && chosen->enabled && !isSelected(i))
            m_selection.push_back(i);
    }
    m_selected = m_selection.empty() ? -1 : m_selection.back();
    repaintSelection();
    noteSelection();
    // The window's commands (align, copy) and its status line follow any new set, a
    // paste's as well as the mouse's.
    emit selectionSetChanged();
}

void PanelView::selectAllGauges() {
    std::vector<int> all(static_cast<std::size_t>(gaugeCount()));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    // The gauge selected so far stays the anchor.
    if (m_selected >= 0)
        std::rotate(all.begin(), all.begin() + m_selected, all.begin() + m_selected + 1);
    setSelection(all);
}

void PanelView::noteSelection() {
    const bool selected = !m_selection.empty();
    if (selected == m_hadSelection)
        return;
    m_hadSelection = selected;
    emit hasSelectionChanged(selected);
}

bool PanelView::isSelected(int i) const {
    return std::find(m_selection.begin(), m_selection.end(), i) != m_selection.end();
}

// While a gauge of a selection of several is dragged, they all go with it.
bool PanelView::movesWithDrag(int i) const {
    if (m_drag != Drag::Moving)
        return false;
    return i == m_dragGauge || (m_selection.size() > 1 && isSelected(i));
}

void PanelView::repaintSelection() {
    for (const int i : m_selection)
        repaintAround(shownRect(i));
}

void PanelView::toggleInSelection(int i) {
    repaintSelection();
    if (isSelected(i))
        std::erase(m_selection, i);
    else
        m_selection.push_back(i);
    m_selected = m_selection.empty() ? -1 : m_selection.back();
    repaintSelection();
    noteSelection();
}

// The band selects every gauge it touches, in the order of the window; with Ctrl they join
// the gauges selected before.
void PanelView::finishBand(const QRect& band, bool add) {
    std::vector<int> chosen = add ? m_selection : std::vector<int>();
    for (int i = 0; i < gaugeCount(); ++i) {
        if (shownRect(i).intersects(band) &&
            std::find(chosen.begin(), chosen.end(), i) == chosen.end())
            chosen.push_back(i);
    }
    setSelection(chosen);
}

QRect PanelView::shownRect(int i) const {
    const PanelViewItem* shown = gauge(i);
    if (!shown)
        return {};
    if (movesWithDrag(i))
        return shown->rect.translated(m_shownDelta);
    if (i == m_dragGauge && m_drag == Drag::Resizing)
        return QRect(shown->rect.topLeft(), m_dragSize);
    return shown->rect;
}

QRect PanelView::handleRect() const {
    if (m_selected < 0 || m_selection.size() > 1)
        return {};
    const QRect rect = shownRect(m_selected);
    const QPoint corner = rect.isEmpty() ? rect.topLeft() : rect.bottomRight();
    return QRect(corner - QPoint(kHandleSize / 2, kHandleSize / 2),
                 QSize(kHandleSize, kHandleSize));
}

int PanelView::gaugeAt(const QPoint& pos) const {
    int under = -1;
    for (int i = gaugeCount() - 1; i >= 0; --i) {
        if (!shownRect(i).contains(pos))
            continue;
        if (!m_gauges[static_cast<std::size_t>(i)].underneath)
            return i;
        if (under < 0)
            under = i;
    }
    return under;
}

void PanelView::repaintAround(const QRect& rect) {
    if (!rect.isNull())
        update(rect.adjusted(-kHandleSize, -kHandleSize, kHandleSize, kHandleSize));
}

void PanelView::paintEvent(QPaintEvent* event) {
    // Qt clips the painter to the region being painted already. The back colour only
    // shows around the background picture, which is opaque: filling the whole screen-sized
    // frame under it each time was a good part of drawing a window.
    QPainter painter(this);
    QRegion around = event->region();
    if (m_background.visible && !m_background.picture.isNull() &&
        !m_background.picture.hasAlphaChannel())
        around -= m_background.rect;
    for (const QRect& part : around)
        painter.fillRect(part, m_backColor);
    // Pictures are stretched only where the view shows (a zoomed window is far larger than
    // its scroll area); the part stays the same while parts of it are repainted.
    const QRegion visible = visibleRegion();
    const QRect shown = visible.isEmpty() ? rect() : visible.boundingRect();
    drawItem(painter, shown, m_background, m_background.rect);
    const QRect dirty = event->rect();
    paintGrid(painter, dirty);
    for (int i = 0; i < int(m_gauges.size()); ++i) {
        PanelViewItem& gauge = m_gauges[static_cast<std::size_t>(i)];
        if (!gauge.enabled)
            continue;
        const QRect rect = shownRect(i);
        if (rect.intersects(dirty))
            drawItem(painter, shown, gauge, rect);
    }
    paintSelection(painter);
    if (!m_guides.empty()) {
        painter.setPen(QPen(Qt::magenta, 0));
        painter.drawLines(m_guides.data(), int(m_guides.size()));
    }
}

void PanelView::setGrid(const QPointF& origin, const QSizeF& spacing) {
    if (origin == m_gridOrigin && spacing == m_gridSpacing)
        return;
    m_gridOrigin = origin;
    m_gridSpacing = spacing;
    update(m_background.rect);
}

// Faint two-pixel dots, dark and light, seen on any background; only those in the part
// being painted.
void PanelView::paintGrid(QPainter& painter, const QRect& dirty) const {
    const double sx = m_gridSpacing.width();
    const double sy = m_gridSpacing.height();
    if (!m_background.visible || !(sx >= kSmallestGridSpacing) || !(sy >= kSmallestGridSpacing) ||
        !std::isfinite(sx) || !std::isfinite(sy))
        return;
    const QRect area = dirty & m_background.rect;
    if (area.isEmpty())
        return;
    // Dot i is at floor(origin + i * spacing): in the area for origin + i * spacing in
    // [left, right + 1).
    const double x0 = std::ceil((area.left() - m_gridOrigin.x()) / sx);
    const double x1 = std::ceil((area.right() + 1 - m_gridOrigin.x()) / sx) - 1;
    const double y0 = std::ceil((area.top() - m_gridOrigin.y()) / sy);
    const double y1 = std::ceil((area.bottom() + 1 - m_gridOrigin.y()) / sy) - 1;
    if (!(x1 >= x0) || !(y1 >= y0))
        return;
    QPolygon dots;
    dots.reserve(int((x1 - x0 + 1) * (y1 - y0 + 1)));
    for (double j = y0; j <= y1; ++j) {
        const int y = int(std::floor(m_gridOrigin.y() + j * sy));
        for (double i = x0; i <= x1; ++i)
            dots.append(QPoint(int(std::floor(m_gridOrigin.x() + i * sx)), y));
    }
    painter.setPen(QPen(QColor(0, 0, 0, 110), 0));
    painter.drawPoints(dots);
    dots.translate(1, 0);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 0));
    painter.drawPoints(dots);
}

void PanelView::setDragPreview(QPoint delta, std::vector<QLineF> guides) {
    if (m_drag != Drag::Moving)
        return;
    if (delta != m_shownDelta) {
        repaintAround(shownRect(m_dragGauge));
        repaintSelection();
        m_shownDelta = delta;
        repaintAround(shownRect(m_dragGauge));
        repaintSelection();
    }
    if (guides != m_guides) {
        repaintGuides();
        m_guides = std::move(guides);
        repaintGuides();
    }
}

void PanelView::repaintGuides() {
    for (const QLineF& line : m_guides)
        update(QRectF(line.p1(), line.p2()).normalized().toAlignedRect().adjusted(-1, -1, 2, 2));
}

void PanelView::endPreview() {
    repaintGuides();
    m_guides.clear();
    m_shownDelta = m_dragDelta;
}

// Dashes of black over white show on any background; the handle is a filled square. Of
// several selected gauges each is framed and the anchor has a black square at its top-left
// corner; the band being dragged is drawn the same dashed way.
void PanelView::paintSelection(QPainter& painter) const {
    const auto dashed = [&painter](const QRect& rect) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(rect);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(rect);
    };
    if (m_drag == Drag::Band)
        dashed(QRect(m_pressPos, m_pressPos + m_dragDelta).normalized());
    for (const int i : m_selection)
        dashed(shownRect(i).adjusted(0, 0, -1, -1));
    if (m_selection.size() > 1) {
        const QPoint corner = shownRect(m_selection.front()).topLeft();
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::black);
        painter.drawRect(QRect(corner, QSize(kHandleSize, kHandleSize)).adjusted(0, 0, -1, -1));
    }
    if (m_selected < 0 || m_selection.size() > 1)
        return;
    const QRect handle = handleRect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(handle);
}

void PanelView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    m_pressPos = pos;
    m_dragDelta = m_shownDelta = QPoint();
    m_dragModifiers = event->modifiers();
    m_selectedBeforePress = m_selected;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (!ctrl && m_selected >= 0 &&
        handleRect()
            .adjusted(-kHandleReach, -kHandleReach, kHandleReach, kHandleReach)
            .contains(pos)) {
        m_drag = Drag::Resizing;
        m_dragGauge = m_selected;
        const QRect start = shownRect(m_selected);
        m_dragSize = QSize(std::max(start.width(), 1), std::max(start.height(), 1));
        return;
    }
    m_dragGauge = gaugeAt(pos);
    if (m_dragGauge < 0) {
        m_drag = Drag::Band;
        m_bandAdds = ctrl;
        return;
    }
    // Ctrl+click takes a gauge in at once, and out at the release unless the mouse dragged
    // meanwhile: a drag with Ctrl held moves the selection (without snapping).
    m_ctrlPress = ctrl;
    m_drag = Drag::Pending;
    if (ctrl) {
        m_takeOutOnClick = isSelected(m_dragGauge);
        if (!m_takeOutOnClick) {
            toggleInSelection(m_dragGauge);
            emit selectionSetChanged();
        }
        return;
    }
    // A press on one of several selected gauges keeps them all for a drag.
    if (m_selection.size() < 2 || !isSelected(m_dragGauge))
        selectGauge(m_dragGauge);
    emit gaugePressed(m_dragGauge);
}

QSize PanelView::resizedSize(const QPoint& pos, bool keepAspect) const {
    const QRect& start = m_gauges[static_cast<std::size_t>(m_dragGauge)].rect;
    const QPoint moved = pos - m_pressPos;
    if (!keepAspect)
        return QSize(std::max(kSmallestDragWidth, start.width() + moved.x()),
                     std::max(kSmallestDragWidth, start.height() + moved.y()));
    // The corner follows the mouse along the gauge's diagonal, so the aspect stays.
    const double w = std::max(start.width(), 1);
    const double h = std::max(start.height(), 1);
    const double along = (moved.x() * w + moved.y() * h) / (w * w + h * h);
    const int width = std::max(kSmallestDragWidth, int(std::lround(w * (1 + along))));
    const double aspect = start.width() > 0 ? double(start.height()) / start.width() : 1;
    return QSize(width, int(std::lround(width * aspect)));
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    switch (m_drag) {
    case Drag::None:
        break;
    case Drag::Pending:
        if ((pos - m_pressPos).manhattanLength() < kDragThreshold)
            break;
        m_drag = Drag::Moving;
        if (m_dragGauge != m_selectedBeforePress && m_selection.size() < 2)
            emit selectionChanged(m_dragGauge);
        [[fallthrough]];
    case Drag::Moving:
        repaintAround(shownRect(m_dragGauge));
        repaintSelection();
        m_dragDelta = m_shownDelta = pos - m_pressPos;
        m_dragModifiers = event->modifiers();
        repaintAround(shownRect(m_dragGauge));
        repaintSelection();
        if (m_selection.size() > 1)
            emit selectionDragged(m_dragDelta);
        else
            emit gaugeDragged(m_dragGauge, m_dragDelta);
        break;
    case Drag::Band:
        repaintAround(QRect(m_pressPos, m_pressPos + m_dragDelta).normalized());
        m_dragDelta = pos - m_pressPos;
        repaintAround(QRect(m_pressPos, m_pressPos + m_dragDelta).normalized());
        break;
    case Drag::Resizing:
        repaintAround(shownRect(m_dragGauge));
        m_dragSize = resizedSize(pos, !m_freeResize || (event->modifiers() & Qt::ShiftModifier));
        repaintAround(shownRect(m_dragGauge));
        if (m_freeResize)
            emit gaugeResizingTo(m_dragGauge, m_dragSize);
        else
            emit gaugeResizing(m_dragGauge, m_dragSize.width());
        break;
    }
    QWidget::mouseMoveEvent(event);
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_drag == Drag::None) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    // The drag ends before anyone hears of it: a handler may rebuild the gauges.
    const Drag drag = m_drag;
    const int i = m_dragGauge;
    const QPoint delta = m_dragDelta;
    const QSize size = m_dragSize;
    const QRect band = QRect(m_pressPos, m_pressPos + delta).normalized();
    m_dragModifiers = event->modifiers();
    repaintAround(shownRect(i));
    repaintSelection();
    endPreview();
    if (drag == Drag::Band)
        repaintAround(band);
    m_drag = Drag::None;
    m_dragGauge = -1;
    switch (drag) {
    case Drag::Pending:
        if (m_ctrlPress) {
            if (m_takeOutOnClick) {
                toggleInSelection(i);
                emit selectionSetChanged();
            }
        } else if (shownRect(i).contains(event->position().toPoint())) {
            // A click on one of several selected gauges selects it alone.
            if (m_selection.size() > 1) {
                selectGauge(i);
                emit selectionSetChanged();
            }
            emit gaugeClicked(i);
        }
        break;
    case Drag::Moving:
        if (m_selection.size() > 1)
            emit selectionDropped(delta);
        else
            emit gaugeDropped(i, delta);
        break;
    case Drag::Band:
        // A click on the background without a drag leaves the selection as it is.
        if (delta.manhattanLength() >= kDragThreshold)
            finishBand(band, m_bandAdds);
        break;
    case Drag::Resizing:
        if (m_freeResize)
            emit gaugeResizedTo(i, size);
        else
            emit gaugeResized(i, size.width());
        break;
    case Drag::None:
        break;
    }
}

void PanelView::keyPressEvent(QKeyEvent* event) {
    const double step = event->modifiers() & Qt::ShiftModifier ? kLargeNudgeStep : kNudgeStep;
    const int i = m_selected;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (i >= 0 && m_drag == Drag::None) {
            const int key = event->key();
            const double dx = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
            const double dy = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
            if (m_selection.size() > 1)
                emit selectionMoveRequested(dx, dy);
            else
                emit moveRequested(i, dx, dy);
        }
        event->accept();
        return;
    case Qt::Key_Delete:
        if (m_drag == Drag::None && m_selection.size() > 1)
            emit removeSelectionRequested();
        else if (i >= 0 && m_drag == Drag::None)
            emit removeRequested(i);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PanelView::stepSelection(int step) {
    const int n = gaugeCount();
    if (n == 0 || m_drag != Drag::None)
        return;
    int next = 0;
    if (m_selected >= 0)
        next = (m_selected + step + n) % n;
    else if (step < 0)
        next = n - 1;
    const bool several = m_selection.size() > 1;
    selectGauge(next);
    if (several)
        emit selectionSetChanged();
    emit selectionChanged(next);
}

void PanelView::showToolTip(QEvent* event) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int i = gaugeAt(help->pos());
    const PanelViewItem* shown = gauge(i);
    if (shown && !shown->toolTip.isEmpty()) {
        QToolTip::showText(help->globalPos(), shown->toolTip, this, shownRect(i));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
}

bool PanelView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        showToolTip(event);
        return true;
    }
    // Tab walks the gauges rather than the window's controls: the view is the only one.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            stepSelection(key->key() == Qt::Key_Tab ? 1 : -1);
            return true;
        }
    }
    return QWidget::event(event);
}

} // namespace cockpix
