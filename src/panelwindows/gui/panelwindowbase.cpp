#include "panelwindows/gui/panelwindowbase.h"

#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "base/gui/undokeys.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/core/gaugeproperties.h"
#include "panelwindows/gui/arrangementactions.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/screenpreviewdialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace cockpix {
namespace {

PanelPicture pictureOf(const PanelViewItem& item, const QString& name) {
    return {name, item.rect, item.visible, item.enabled, item.picture, item.toolTip, item.framed};
}

} // namespace

PanelWindowBase::PanelWindowBase(const SnapOptions& snap, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_snap(snap) {
    setFocusPolicy(Qt::StrongFocus);
}

PanelWindowBase::~PanelWindowBase() = default;

void PanelWindowBase::buildFrame() {
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    // The frame stands for the whole screen.
    m_view = new PanelView;
    m_view->setObjectName(QStringLiteral("PanelFrame"));
    m_view->setAccessibleName(tr("Panel picture"));
    m_view->setFixedSize(screenSizePixels());
    m_scroll->setWidget(m_view);
    setFocusProxy(m_view);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
}

QAction* PanelWindowBase::addMenuAction(QMenu* menu, const char* name, const QString& text,
                                        const QKeySequence& shortcut) {
    auto* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    // Only while this panel window has the focus: the main window uses the same keys.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    return action;
}

void PanelWindowBase::startMenus() {
    m_menus.picture = new QMenu(tr("&Picture"), this);
    m_menus.picture->setObjectName(QStringLiteral("mnu_Picture"));
    // Zoom and Close are keyed by applyKeyScheme.
    m_zoomAction = addMenuAction(m_menus.picture, "mnumove", tr("&Zoom..."), {});
    connect(addMenuAction(m_menus.picture, "mnupreview", tr("Pre&view at screen sizes..."), {}),
            &QAction::triggered, this, &PanelWindowBase::showScreenPreviews);
    m_menus.gauges = new QMenu(tr("&Gauges"), this);
    m_menus.gauges->setObjectName(QStringLiteral("mnugauge"));
    m_addAction = addMenuAction(m_menus.gauges, "mnuadd", tr("&Add..."), QKeySequence("Ctrl+A"));
    connect(m_zoomAction, &QAction::triggered, this,
            [this] { requestDialog(&PanelWindowBase::zoomRequested); });
    connect(m_addAction, &QAction::triggered, this,
            [this] { requestDialog(&PanelWindowBase::addGaugeRequested); });
}

void PanelWindowBase::addGoAction() {
    m_goAction =
        addMenuAction(m_menus.gauges, "mnugo", tr("&Go to gauge..."), QKeySequence("Ctrl+G"));
    connect(m_goAction, &QAction::triggered, this,
            [this] { requestDialog(&PanelWindowBase::goToGaugeRequested); });
}

void PanelWindowBase::requestDialog(void (PanelWindowBase::*request)()) {
    dialogStarts();
    emit(this->*request)();
}

void PanelWindowBase::enableGaugeCommands(int n) {
    m_goAction->setEnabled(n > 0);
    m_selectAllAction->setEnabled(n > 0);
}

void PanelWindowBase::addCloseAction() {
    m_closeAction = addMenuAction(m_menus.picture, "mnuclose", tr("&Close"), {});
    connect(m_closeAction, &QAction::triggered, this, &PanelWindowBase::closeWindow);
}

void PanelWindowBase::finishGaugeMenu(bool fs2kPanel) {
    m_menus.gauges->addSeparator();
    m_selectAllAction = addMenuAction(m_menus.gauges, "mnuselectall", tr("Select a&ll gauges"),
                                      QKeySequence("Ctrl+Shift+A"));
    connect(m_selectAllAction, &QAction::triggered, m_view, &PanelView::selectAllGauges);
    m_arrangement = std::make_unique<ArrangementActions>(
        this, m_menus.gauges, fs2kPanel, [this](Arrangement arrangement) { arrange(arrangement); });
    layout()->setMenuBar(m_arrangement->toolBar());
}

void PanelWindowBase::applyKeyScheme() {
    setCommandKeys(m_zoomAction, KeyedCommand::Zoom);
    setCommandKeys(m_closeAction, KeyedCommand::CloseWindow);
}

void PanelWindowBase::connectView() {
    connect(m_view, &PanelView::selectionChanged, this, &PanelWindowBase::showSelected);
    connect(m_view, &PanelView::gaugeClicked, this, &PanelWindowBase::onGaugeClicked);
    // An FS98 picture is resized by its width alone; the later formats' by both sides.
    connect(m_view, &PanelView::gaugeResizing, this,
            [this](int i, int width) { onGaugeResizing(i, QSize(width, 0)); });
    connect(m_view, &PanelView::gaugeResized, this,
            [this](int i, int width) { onGaugeResized(i, QSize(width, 0)); });
    connect(m_view, &PanelView::gaugeResizingTo, this, &PanelWindowBase::onGaugeResizing);
    connect(m_view, &PanelView::gaugeResizedTo, this, &PanelWindowBase::onGaugeResized);
    connect(m_view, &PanelView::gaugeDragged, this, &PanelWindowBase::onGaugeDragged);
    connect(m_view, &PanelView::gaugeDropped, this, &PanelWindowBase::onGaugeDropped);
    connect(m_view, &PanelView::moveRequested, this, &PanelWindowBase::onMoveRequested);
    connect(m_view, &PanelView::removeRequested, this, &PanelWindowBase::onRemoveRequested);
    connect(m_view, &PanelView::removeSelectionRequested, this, [this] { removeSelectedGauges(); });
    connect(m_view, &PanelView::selectionDragged, this, &PanelWindowBase::onSelectionDragged);
    connect(m_view, &PanelView::selectionDropped, this, &PanelWindowBase::onSelectionDropped);
    connect(m_view, &PanelView::selectionMoveRequested, this, &PanelWindowBase::moveSelection);
    connect(m_view, &PanelView::selectionSetChanged, this, &PanelWindowBase::onSelectionSetChanged);
    connect(m_view, &PanelView::selectionChanged, this, &PanelWindowBase::onSelectionSetChanged);
    connect(m_view, &PanelView::gaugePressed, this, &PanelWindowBase::onSelectionSetChanged);
}

QList<QMenu*> PanelWindowBase::childMenus() const {
    return {m_menus.picture, m_menus.gauges};
}

PanelPicture PanelWindowBase::backgroundPicture() const {
    return pictureOf(m_view->background(), QStringLiteral("Image1"));
}

PanelPicture PanelWindowBase::gaugePicture(int i) const {
    const PanelViewItem* item = m_view->gauge(i);
    return item ? pictureOf(*item, QStringLiteral("Image2_%1").arg(i)) : PanelPicture{};
}

int PanelWindowBase::selectedGauge() const {
    return m_view->selectedGauge();
}

void PanelWindowBase::selectGauge(int i) {
    m_view->selectGauge(i);
}

std::vector<GaugeRect> PanelWindowBase::selectedGaugeRects() const {
    return gaugeRects(m_view->selection());
}

std::vector<GaugeRect> PanelWindowBase::gaugeRects(const std::vector<int>& gauges) const {
    std::vector<GaugeRect> rects;
    rects.reserve(gauges.size());
    for (const int i : gauges) {
        if (const auto rect = gaugeRect(i))
            rects.push_back(*rect);
    }
    return rects;
}

std::vector<int> PanelWindowBase::selectedGauges() const {
    std::vector<int> gauges;
    for (const int i : m_view->selection()) {
        if (gaugeName(i))
            gauges.push_back(i);
    }
    return gauges;
}

// The frame and the tool bar above it (an FS98 frame is as large as the screen: the MDI area
// bounds it anyway).
QSize PanelWindowBase::sizeHint() const {
    QSize size = m_view->size();
    if (const QWidget* bar = layout()->menuBar())
        size.rheight() += bar->sizeHint().height();
    return size;
}

// A click selects the gauge alone and opens its properties, in every format.
void PanelWindowBase::onGaugeClicked(int i) {
    gaugeSelected(i);
    m_view->selectGauge(i);
    openGauge(i);
}

void PanelWindowBase::showSelected(int i) {
    gaugeSelected(i);
    if (const PanelViewItem* item = m_view->gauge(i))
        m_scroll->ensureVisible(item->rect.center().x(), item->rect.center().y());
}

QAction* PanelWindowBase::arrangementAction(Arrangement arrangement) const {
    return m_arrangement->action(arrangement);
}

void PanelWindowBase::refreshSnapping() {
    showSnapGrid(*m_view, unitFrame(), m_snap);
}

// The rectangles are taken afresh on every move: arithmetic on the gauges, no file read.
std::optional<SnappedDrag> PanelWindowBase::snappedDrag(QPoint delta,
                                                        const std::vector<int>& moved) {
    const UnitFrame frame = unitFrame();
    if (!frame.usable())
        return std::nullopt;
    const std::vector<GaugeRect> movedRects = gaugeRects(moved);
    if (movedRects.size() != moved.size())
        return std::nullopt;
    SnapTargets targets;
    targets.moving = boundingRect(movedRects);
    targets.others = gaugeRects(gaugesNotMoved(m_view->gaugeCount(), moved));
    if (m_view->background().visible)
        targets.background = snapBackground(frame);
    return showSnappedDrag(*m_view, delta, targets, frame, m_snap);
}

void PanelWindowBase::onGaugeDragged(int i, QPoint delta) {
    const auto drag = snappedDrag(delta, {i});
    if (!drag)
        return;
    if (const auto place = movedPlace(i, drag->dx, drag->dy))
        emit dragStatusChanged(placeStatus(i, *place) + snapStatus(*drag));
}

void PanelWindowBase::onSelectionDragged(QPoint delta) {
    const std::vector<int>& selection = m_view->selection();
    const auto drag = snappedDrag(delta, selection);
    if (!drag)
        return;
    std::vector<GaugeRect> rects = gaugeRects(selection);
    for (std::size_t k = 0; k < rects.size() && k < selection.size(); ++k) {
        if (const auto place = movedPlace(selection[k], drag->dx, drag->dy)) {
            rects[k].x = place->x;
            rects[k].y = place->y;
        }
    }
    emit dragStatusChanged(
        QString::fromStdString(selectionStatus(rects.size(), boundingRect(rects))) +
        snapStatus(*drag));
}

void PanelWindowBase::onGaugeResizing(int i, QSize size) {
    if (const auto status = resizeStatus(i, size))
        emit dragStatusChanged(*status);
}

void PanelWindowBase::onGaugeResized(int i, QSize size) {
    emit dragStatusChanged(QString());
    resizeGauge(i, size);
    settleGauges({i});
}

void PanelWindowBase::onGaugeDropped(int i, QPoint delta) {
    emit dragStatusChanged(QString());
    const auto drag = snappedDrag(delta, {i});
    if (const auto place = drag ? movedPlace(i, drag->dx, drag->dy) : std::nullopt)
        moveGauge(i, *place);
    settleGauges({i});
}

void PanelWindowBase::onMoveRequested(int i, double dx, double dy) {
    if (const auto rect = gaugeRect(i))
        moveGauge(i, {rect->x + dx, rect->y + dy});
}

template <typename Place>
std::vector<GaugeEdit> PanelWindowBase::movedSelection(Place place) const {
    std::vector<GaugeEdit> edits;
    for (const int i : m_view->selection()) {
        const auto from = gaugeRect(i);
        const std::optional<fs98::PointF> to = from ? place(i, *from) : std::nullopt;
        if (!to || (!placesUnmovedGauges() && to->x == from->x && to->y == from->y))
            continue;
        edits.push_back({i, *from, {to->x, to->y, from->w, from->h}});
    }
    return edits;
}

void PanelWindowBase::onSelectionDropped(QPoint delta) {
    std::vector<GaugeEdit> edits;
    if (const auto drag = snappedDrag(delta, m_view->selection())) {
        edits = movedSelection(
            [this, &drag](int i, const GaugeRect&) { return movedPlace(i, drag->dx, drag->dy); });
    }
    placeGauges(edits, tr("Move %1 gauges").arg(edits.size()));
    settleGauges(m_view->selection());
    onSelectionSetChanged();
}

void PanelWindowBase::moveSelection(double dx, double dy) {
    const std::vector<GaugeEdit> edits =
        movedSelection([dx, dy](int, const GaugeRect& from) -> std::optional<fs98::PointF> {
            return fs98::PointF{from.x + dx, from.y + dy};
        });
    placeGauges(edits, tr("Move %1 gauges").arg(edits.size()));
    onSelectionSetChanged();
}

void PanelWindowBase::arrange(Arrangement arrangement) {
    commandStarts();
    const std::vector<GaugeRect> rects = selectedGaugeRects();
    const std::vector<int>& selection = m_view->selection();
    if (rects.size() != selection.size())
        return;
    const ArrangedGauges arranged = arrangeGauges(arrangement, rects);
    std::vector<GaugeEdit> edits;
    for (std::size_t k = 0; k < arranged.rects.size(); ++k) {
        if (arranged.changed[k])
            edits.push_back({selection[k], rects[k], arranged.rects[k]});
    }
    if (!edits.empty())
        placeGauges(edits, QString::fromStdString(arranged.stepName));
    onSelectionSetChanged();
}

void PanelWindowBase::onSelectionSetChanged() {
    const std::vector<GaugeRect> rects = selectedGaugeRects();
    m_arrangement->updateStates(rects.size());
    emit dragStatusChanged(rects.size() > 1 ? QString::fromStdString(selectionStatus(
                                                  rects.size(), boundingRect(rects)))
                                            : QString());
}

void PanelWindowBase::onRemoveRequested(int i) {
    const std::optional<std::string> name = gaugeName(i);
    if (!name || !m_dialogs.question(toQString(removeGaugeQuestion(*name, panelEncoding()))))
        return;
    removeGauge(i);
}

void PanelWindowBase::removeSelectedGauges() {
    const std::vector<int> gauges = selectedGauges();
    if (gauges.size() < 2) {
        if (gauges.size() == 1)
            onRemoveRequested(gauges.front());
        return;
    }
    std::vector<std::string> names;
    for (const int i : gauges)
        names.push_back(gaugeName(i).value_or(std::string()));
    if (!m_dialogs.question(toQString(removeGaugesQuestion(names, panelEncoding()))))
        return;
    commandStarts();
    // The gauges after them take their places: nothing stays selected.
    m_view->selectGauge(-1);
    removeGauges(gauges, tr("Delete %1 gauges").arg(gauges.size()));
}

void PanelWindowBase::cutGauges() {
    const std::vector<int> gauges = selectedGauges();
    if (gauges.empty())
        return;
    commandStarts();
    copyGauges();
    m_view->selectGauge(-1);
    removeGauges(gauges, {});
}

void PanelWindowBase::copyGauges() {
    const std::vector<int> gauges = selectedGauges();
    if (!gauges.empty())
        putGaugeLinesOnClipboard(gaugeLines(gauges), panelEncoding());
}

void PanelWindowBase::pasteGauges() {
    commandStarts();
    const ClipboardGauges read = gaugesOnClipboard(panelEncoding());
    if (read.gauges.empty()) {
        tellClipboardProblems(m_dialogs, read);
        return;
    }
    // Gauges outside where FS shows them: a group that fits goes inside.
    const std::optional<PasteArea> area = pasteArea();
    const PastedGauges pasted = pasteLines(read.gauges, area);
    if (!pasted.refusal.isEmpty()) {
        m_dialogs.message(pasted.refusal);
        return;
    }
    if (!pasted.gauges.empty()) {
        m_view->setSelection(pasted.gauges);
        gaugeSelected(m_view->selectedGauge());
        onSelectionSetChanged();
        m_view->setFocus();
    }
    if (pasted.notAdded > 0)
        m_dialogs.message(tr("%1 of the %2 pasted gauges could not be added to the window: "
                             "their names or lines do not make gauge lines.")
                              .arg(pasted.notAdded)
                              .arg(read.gauges.size()));
    if (!pasted.gauges.empty() && area && !pasteFits(read.gauges, *area))
        m_dialogs.message(toQString(pasteTooLargeMessage(read.gauges, *area)));
    tellClipboardProblems(m_dialogs, read);
}

void PanelWindowBase::showScreenPreviews() {
    commandStarts();
    // A closed one is on its way out: it is never shown again.
    const auto previews = findChildren<ScreenPreviewDialog*>(Qt::FindDirectChildrenOnly);
    const auto open =
        std::find_if(previews.begin(), previews.end(),
                     [](const ScreenPreviewDialog* dialog) { return dialog->isVisible(); });
    if (open != previews.end()) {
        (*open)->refresh();
        (*open)->raise();
        (*open)->activateWindow();
        return;
    }
    openScreenPreview();
}

void PanelWindowBase::closeEvent(QCloseEvent* event) {
    // The previews show this window: they go with it at once, not when it is deleted, so
    // that none redraws for an edit (or a New) made after the window was closed.
    for (ScreenPreviewDialog* preview :
         findChildren<ScreenPreviewDialog*>(Qt::FindDirectChildrenOnly))
        preview->close();
    QWidget::closeEvent(event);
}

void PanelWindowBase::closeWindow() {
    commandStarts();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

} // namespace cockpix
