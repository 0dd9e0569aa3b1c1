#include "gauges/gui/laterpanelwindow.h"

#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "base/gui/undokeys.h"
#include "base/gui/userdialogs.h"
#include "gauges/core/gaugedrag.h"
#include "gauges/core/gaugeproperties.h"
#include "gauges/gui/arrangementactions.h"
#include "gauges/gui/panelview.h"
#include "gauges/gui/screenpreviewdialog.h"
#include "panel/gui/paneldocument.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace cockpix {
namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

// A window with only a colour shows it as its background, stretched like a bitmap.
QImage colourPicture(const QColor& colour) {
    QImage picture(1, 1, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QString unitsText(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

LaterPanelWindowForm::LaterPanelWindowForm(PanelDocument& document, const AppModel& app,
                                           UserDialogs& dialogs, std::size_t window,
                                           LaterPictureLookup pictures, std::string panelDir,
                                           QWidget* parent)
    : PanelWindowBase(document, app.snap, dialogs, parent), m_app(app), m_window(window),
      m_pictures(std::move(pictures)), m_panelDir(std::move(panelDir)) {
    setObjectName(QStringLiteral("laterPanelWindow"));
    if (const LaterWindow* shown = this->window()) {
        m_kind = shown->kind;
        m_number = shown->number;
    } else {
        m_window = npos;
    }
    buildFrame();
    m_view->setFreeResize(true);
    buildMenus();
    connectGaugeClicks();
    connectView();
    connect(&m_document, &PanelDocument::laterChanged, this, &LaterPanelWindowForm::onLaterChanged);
    connect(&m_document, &PanelDocument::panelReplaced, this, &LaterPanelWindowForm::closeWindow);
}

LaterPanelWindowForm::~LaterPanelWindowForm() = default;

void LaterPanelWindowForm::buildMenus() {
    startMenus();
    connect(m_zoomAction, &QAction::triggered, this, &LaterPanelWindowForm::zoomRequested);
    addCloseAction();
    connect(addMenuAction(m_menus.gauges, "mnuadd", tr("&Add..."), QKeySequence("Ctrl+A")),
            &QAction::triggered, this, &LaterPanelWindowForm::addGaugeRequested);
    m_propertiesAction = addMenuAction(m_menus.gauges, "mnuproperties", tr("&Properties..."),
                                       QKeySequence("Ctrl+P"));
    m_goAction =
        addMenuAction(m_menus.gauges, "mnugo", tr("&Go to gauge..."), QKeySequence("Ctrl+G"));
    m_removeAction = addMenuAction(m_menus.gauges, "mnuremove", tr("&Remove"), {});
    finishGaugeMenu(true);
    connect(m_propertiesAction, &QAction::triggered, this, [this] {
        if (selectedGauge() >= 0)
            emit propertiesRequested(selectedGauge());
    });
    connect(m_goAction, &QAction::triggered, this, &LaterPanelWindowForm::goToGaugeRequested);
    connect(m_removeAction, &QAction::triggered, this, &LaterPanelWindowForm::removeSelectedGauges);
    applyKeyScheme();
}

void LaterPanelWindowForm::connectGaugeClicks() {
    // A click opens the gauge's properties, as in an FS98 window.
    connect(m_view, &PanelView::gaugeClicked, this, [this](int i) {
        m_view->selectGauge(i);
        emit propertiesRequested(i);
    });
    connect(m_view, &PanelView::selectionChanged, this, [this](int i) {
        if (const PanelViewItem* item = m_view->gauge(i))
            m_scroll->ensureVisible(item->rect.center().x(), item->rect.center().y());
    });
    connect(m_view, &PanelView::gaugeResizingTo, this, &LaterPanelWindowForm::onGaugeResizing);
    connect(m_view, &PanelView::gaugeResizedTo, this, &LaterPanelWindowForm::onGaugeResized);
}

const LaterWindow* LaterPanelWindowForm::window() const {
    const auto& windows = m_document.laterPanel().windows;
    return m_window < windows.size() ? &windows[m_window] : nullptr;
}

const LaterGauge* LaterPanelWindowForm::gaugeLine(int i) const {
    const LaterWindow* shown = window();
    if (!shown || i < 0 || i >= int(shown->gauges.size()))
        return nullptr;
    return &shown->gauges[static_cast<std::size_t>(i)];
}

void LaterPanelWindowForm::load() {
    const LaterSceneSource source{&m_document.laterPanel(),
                                  &m_document.laterLines(),
                                  m_document.laterEncoding(),
                                  m_panelDir,
                                  &m_backgrounds,
                                  m_app.display.laterView(viewKey())};
    m_scene = laterWindowScene(source, m_window, screenSizePixels(), m_pictures);
    showScene();
}

void LaterPanelWindowForm::showScene() {
    setWindowTitle(m_scene.caption);
    if (!m_scene.frame.isEmpty())
        m_view->setFixedSize(m_scene.frame);
    const QRect windowRect = pixelRect(m_scene.layout.rect);
    if (!m_scene.background.isNull())
        m_view->setBackground(m_scene.background, windowRect);
    else if (m_scene.backColor) {
        // The same picture while the colour stays: the view keeps its stretched copy.
        if (m_colourPicture.isNull() || m_colourPicture.pixelColor(0, 0) != *m_scene.backColor)
            m_colourPicture = colourPicture(*m_scene.backColor);
        m_view->setBackground(m_colourPicture, windowRect);
    } else
        m_view->clearBackground();
    refreshSnapping();
    const int n = int(m_scene.gauges.size());
    const int selected = m_view->selectedGauge();
    m_view->setGaugeSlots(n);
    for (int i = 0; i < n; ++i) {
        const LaterSceneGauge& gauge = m_scene.gauges[static_cast<std::size_t>(i)];
        m_view->setGauge(i, gauge.picture, pixelRect(gauge.rect), laterGaugeToolTip(gauge), false,
                         gauge.label);
    }
    // Several selected gauges stay so through their edits (those gone have left already).
    if (m_view->selection().size() < 2)
        m_view->selectGauge(std::min(selected, n - 1));
    m_goAction->setEnabled(n > 0);
    m_selectAllAction->setEnabled(n > 0);
    onSelectionSetChanged();
}

void LaterPanelWindowForm::onLaterChanged() {
    // The section may have moved (one before it removed): it is found again by what it is.
    const auto& windows = m_document.laterPanel().windows;
    const LaterWindow* now = window();
    if (!now || now->kind != m_kind || now->number != m_number) {
        m_window = npos;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (windows[i].kind == m_kind && windows[i].number == m_number) {
                m_window = i;
                break;
            }
        }
    }
    if (m_window == npos) {
        closeWindow();
        return;
    }
    load();
}

int LaterPanelWindowForm::gaugeCount() const {
    return m_view->gaugeCount();
}

// The frame and the tool bar above it: a window that fits opens without scroll bars.
QSize LaterPanelWindowForm::sizeHint() const {
    QSize size = m_view->size();
    if (const QWidget* bar = layout()->menuBar())
        size.rheight() += bar->sizeHint().height();
    return size;
}

namespace {

// A picture that the view shows whole is centred; a larger one shows its top or left edge,
// where a window's first gauges are (a virtual cockpit's texture starts at the corner).
int scrollValueFor(int start, int length, int viewLength) {
    return length <= viewLength ? start + length / 2 - viewLength / 2 : start;
}

} // namespace

void LaterPanelWindowForm::scrollToPicture() {
    const QRect rect = pixelRect(m_scene.layout.rect);
    const QSize view = m_scroll->viewport()->size();
    m_scroll->horizontalScrollBar()->setValue(
        scrollValueFor(rect.left(), rect.width(), view.width()));
    m_scroll->verticalScrollBar()->setValue(
        scrollValueFor(rect.top(), rect.height(), view.height()));
}

std::optional<PointF> LaterPanelWindowForm::movedPlace(int i, double dx, double dy) const {
    if (const LaterGauge* gauge = gaugeLine(i))
        return laterMovedPlace(*gauge, dx, dy);
    return std::nullopt;
}

QString LaterPanelWindowForm::placeStatus(int i, PointF place) const {
    return tr("gauge #%1 : x = %2, y = %3")
        .arg(gaugeLine(i)->number)
        .arg(unitsText(place.x), unitsText(place.y));
}

void LaterPanelWindowForm::onGaugeDropped(int i, QPoint delta) {
    emit dragStatusChanged(QString());
    const LaterGauge* gauge = gaugeLine(i);
    const auto drag = snappedDrag(delta, {i});
    if (!gauge || !drag)
        return;
    const PointF place = laterMovedPlace(*gauge, drag->dx, drag->dy);
    if (place.x == gauge->x.value_or(0) && place.y == gauge->y.value_or(0)) {
        showScene(); // back where it was
        return;
    }
    m_document.moveLaterGauge(gauge->line, place.x, place.y);
}

void LaterPanelWindowForm::onGaugeResizing(int i, QSize size) {
    if (const LaterGauge* gauge = gaugeLine(i)) {
        const LaterGaugePlace units =
            laterResizedUnits(m_scene, std::size_t(i), *gauge, size.width(), size.height());
        emit dragStatusChanged(tr("gauge #%1 : w = %2, h = %3")
                                   .arg(gauge->number)
                                   .arg(unitsText(units.width), unitsText(units.height)));
    }
}

void LaterPanelWindowForm::onGaugeResized(int i, QSize size) {
    emit dragStatusChanged(QString());
    const LaterGauge* gauge = gaugeLine(i);
    if (!gauge)
        return;
    const LaterGaugePlace units =
        laterResizedUnits(m_scene, std::size_t(i), *gauge, size.width(), size.height());
    if (gauge->width == units.width && gauge->height == units.height) {
        showScene();
        return;
    }
    m_document.resizeLaterGauge(gauge->line, units.width, units.height);
}

void LaterPanelWindowForm::onMoveRequested(int i, double dx, double dy) {
    if (const LaterGauge* gauge = gaugeLine(i))
        m_document.moveLaterGauge(gauge->line, gauge->x.value_or(0) + dx,
                                  gauge->y.value_or(0) + dy);
}

std::vector<GaugeRect> LaterPanelWindowForm::gaugeRects(const std::vector<int>& gauges) const {
    std::vector<GaugeRect> rects;
    rects.reserve(gauges.size());
    for (const int i : gauges) {
        const LaterGauge* gauge = gaugeLine(i);
        const PanelViewItem* shown = m_view->gauge(i);
        if (!gauge || !shown)
            continue;
        const LaterGaugePlace size = laterResizedUnits(m_scene, std::size_t(i), *gauge,
                                                       shown->rect.width(), shown->rect.height());
        rects.push_back({gauge->x.value_or(0), gauge->y.value_or(0),
                         gauge->width.value_or(size.width), gauge->height.value_or(size.height)});
    }
    return rects;
}

UnitFrame LaterPanelWindowForm::unitFrame() const {
    const LaterWindowLayout& layout = m_scene.layout;
    return {QPointF(layout.rect.left, layout.rect.top), layout.pixelsPerUnitX,
            layout.pixelsPerUnitY};
}

std::optional<GaugeRect> LaterPanelWindowForm::snapBackground(const UnitFrame&) const {
    return GaugeRect{0, 0, m_scene.layout.unitWidth, m_scene.layout.unitHeight};
}

void LaterPanelWindowForm::placeSelection(const std::vector<LaterGaugePlacement>& placements,
                                          const QString& text) {
    if (placements.empty())
        showScene(); // back where they were
    else
        m_document.placeLaterGauges(placements, text);
    onSelectionSetChanged();
}

// A width or height is written only where the arrangement changed it: a gauge whose line
// leaves its size to the module keeps doing so when it is only aligned.
void LaterPanelWindowForm::arrange(Arrangement arrangement) {
    const std::vector<GaugeRect> rects = selectedGaugeRects();
    const std::vector<int>& selection = m_view->selection();
    if (rects.size() != selection.size())
        return;
    const ArrangedGauges arranged = arrangeGauges(arrangement, rects);
    std::vector<LaterGaugePlacement> placements;
    for (std::size_t k = 0; k < arranged.rects.size(); ++k) {
        if (!arranged.changed[k])
            continue;
        const GaugeRect& r = arranged.rects[k];
        LaterGaugePlacement placement{gaugeLine(selection[k])->line, r.x, r.y, {}, {}};
        if (r.w != rects[k].w)
            placement.width = r.w;
        if (r.h != rects[k].h)
            placement.height = r.h;
        placements.push_back(placement);
    }
    if (!placements.empty())
        placeSelection(placements, QString::fromStdString(arranged.stepName));
}

void LaterPanelWindowForm::onSelectionDropped(QPoint delta) {
    std::vector<LaterGaugePlacement> placements;
    const auto drag = snappedDrag(delta, m_view->selection());
    for (const int i : m_view->selection()) {
        const LaterGauge* gauge = gaugeLine(i);
        if (!gauge || !drag)
            continue;
        const PointF place = laterMovedPlace(*gauge, drag->dx, drag->dy);
        if (place.x != gauge->x.value_or(0) || place.y != gauge->y.value_or(0))
            placements.push_back({gauge->line, place.x, place.y, {}, {}});
    }
    placeSelection(placements, tr("Move %1 gauges").arg(placements.size()));
}

void LaterPanelWindowForm::moveSelection(double dx, double dy) {
    std::vector<LaterGaugePlacement> placements;
    for (const int i : m_view->selection()) {
        if (const LaterGauge* gauge = gaugeLine(i))
            placements.push_back(
                {gauge->line, gauge->x.value_or(0) + dx, gauge->y.value_or(0) + dy, {}, {}});
    }
    placeSelection(placements, tr("Move %1 gauges").arg(placements.size()));
}

void LaterPanelWindowForm::onRemoveRequested(int i) {
    const LaterGauge* gauge = gaugeLine(i);
    if (!gauge)
        return;
    // The question of an FS98 window, with the name in the panel's own encoding.
    if (!m_dialogs.question(toQString(removeGaugeQuestion(
            laterGaugeName(m_document.laterLines(), gauge->line), m_document.laterEncoding()))))
        return;
    m_document.removeLaterGauge(gauge->line);
}

std::vector<std::size_t> LaterPanelWindowForm::selectedLines() const {
    std::vector<std::size_t> lines;
    for (const int i : m_view->selection()) {
        if (const LaterGauge* gauge = gaugeLine(i))
            lines.push_back(gauge->line);
    }
    return lines;
}

std::vector<int> LaterPanelWindowForm::selectedGauges() const {
    std::vector<int> gauges;
    for (const int i : m_view->selection()) {
        if (gaugeLine(i))
            gauges.push_back(i);
    }
    return gauges;
}

std::string LaterPanelWindowForm::gaugeName(int i) const {
    return std::string(laterGaugeName(m_document.laterLines(), gaugeLine(i)->line));
}

TextEncoding LaterPanelWindowForm::panelEncoding() const {
    return m_document.laterEncoding();
}

void LaterPanelWindowForm::removeGauges(const std::vector<int>& gauges, const QString& text) {
    std::vector<std::size_t> lines;
    for (const int i : gauges)
        lines.push_back(gaugeLine(i)->line);
    m_document.cutLaterGauges(std::move(lines), text);
}

void LaterPanelWindowForm::copyGauges() {
    const std::vector<std::size_t> lines = selectedLines();
    if (lines.empty())
        return;
    putGaugeLinesOnClipboard(copyLaterGauges(m_document.laterLines(), lines),
                             m_document.laterEncoding());
}

void LaterPanelWindowForm::pasteGauges() {
    const LaterWindow* shown = window();
    if (!shown)
        return;
    const ClipboardGauges read = gaugesOnClipboard(m_document.laterEncoding());
    if (read.gauges.empty()) {
        tellClipboardProblems(m_dialogs, read);
        return;
    }
    // Gauges outside the window FS does not show: a group that fits goes inside it.
    const PasteArea area{m_scene.layout.unitWidth, m_scene.layout.unitHeight};
    const std::vector<std::size_t> added =
        m_document.pasteLaterGauges(shown->section, planLaterPaste(*shown, read.gauges, area));
    // The window has been drawn again: the new lines are its gauges now.
    std::vector<int> pasted;
    if (const LaterWindow* now = window()) {
        for (std::size_t i = 0; i < now->gauges.size(); ++i) {
            if (std::find(added.begin(), added.end(), now->gauges[i].line) != added.end())
                pasted.push_back(int(i));
        }
    }
    if (!pasted.empty()) {
        m_view->setSelection(pasted);
        onSelectionSetChanged();
        m_view->setFocus();
    }
    if (pasted.size() < read.gauges.size())
        m_dialogs.message(tr("%1 of the %2 pasted gauges could not be added to the window: "
                             "their names or lines do not make gauge lines.")
                              .arg(read.gauges.size() - pasted.size())
                              .arg(read.gauges.size()));
    if (!pasted.empty() && !pasteFits(read.gauges, area))
        m_dialogs.message(toQString(pasteTooLargeMessage(read.gauges, area)));
    tellClipboardProblems(m_dialogs, read);
}

void LaterPanelWindowForm::openScreenPreview() {
    auto* dialog =
        new ScreenPreviewDialog(m_document, m_app, m_window, m_pictures, m_panelDir, this);
    dialog->setWindowFlag(Qt::Dialog);
    dialog->show();
}

} // namespace cockpix
