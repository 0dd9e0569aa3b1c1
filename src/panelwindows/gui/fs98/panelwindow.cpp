#include "panelwindows/gui/fs98/panelwindow.h"

#include "base/core/filelookup.h"
#include "base/gui/colorref.h"
#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "base/gui/userdialogs.h"
#include "drawing/core/fs98/layout.h"
#include "drawing/gui/panelrenderer.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "gaugefiles/gui/progresswindow.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/core/blinker.h"
#include "panelwindows/core/gaugeclipboard.h"
#include "panelwindows/core/gaugedrag.h"
#include "panelwindows/gui/gaugeediting.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/panelwindowregistry.h"
#include "panelwindows/gui/screenpreviewdialog.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace cockpix::fs98 {
PanelWindowForm::PanelWindowForm(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                                 int w, QWidget* parent)
    : PanelWindowBase(app.snap, dialogs, parent), m_document(document), m_app(app),
      m_w(std::clamp(w, 0, kWindowSlots - 1)) {
    setObjectName(QStringLiteral("Form2"));
    buildFrame();
    m_view->setAccessibleDescription(tr("The background of window %1 and its gauges").arg(m_w));
    setBackColor(m_app.panelBackColor);
    buildMenus();
    connectGaugePresses();
    connectView();
    connect(&m_document, &fs98::Document::gaugeChanged, this, &PanelWindowForm::onGaugeChanged);
    connect(&m_document, &fs98::Document::gaugesChanged, this, &PanelWindowForm::onGaugesChanged);
    connect(&m_document, &fs98::Document::gaugesPlaced, this, [this](int w) {
        for (int g = 0; w == m_w && !m_loading && g < kGaugeSlots; ++g)
            placeGauge(g);
    });

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(QStringLiteral("Timer1"));
    connect(m_blinkTimer, &QTimer::timeout, this, &PanelWindowForm::blinkTick);
    refreshBlinker();
}

PanelWindowForm::~PanelWindowForm() = default;

// Every dialog command first closes the gauge properties and makes this window the current
// one.
void PanelWindowForm::dialogStarts() {
    emit closeGaugeDialogRequested();
    m_app.currentWindow = m_w;
}

void PanelWindowForm::buildMenus() {
    startMenus();
    m_menus.picture->addSeparator()->setObjectName(QStringLiteral("mnusepar"));
    auto* colors = addMenuAction(m_menus.picture, "mnucolors", tr("&Background color..."),
                                 QKeySequence("Ctrl+B"));
    auto* black =
        addMenuAction(m_menus.picture, "mnublack", tr("&Reset to black"), QKeySequence("Ctrl+R"));
    m_menus.picture->addSeparator()->setObjectName(QStringLiteral("mnusepar2"));
    addCloseAction();
    addGoAction();
    finishGaugeMenu(false);

    connect(colors, &QAction::triggered, this, &PanelWindowForm::chooseBackColor);
    connect(black, &QAction::triggered, this, &PanelWindowForm::resetToBlack);
    applyKeyScheme();
}

void PanelWindowForm::connectGaugePresses() {
    connect(m_view, &PanelView::gaugePressed, this, &PanelWindowForm::onGaugePressed);
}

void PanelWindowForm::gaugeSelected(int i) {
    emit closeGaugeDialogRequested();
    becomeCurrent(i);
}

QWidget* PanelWindowForm::frameWidget() const {
    return m_view;
}

QColor PanelWindowForm::backColor() const {
    return m_view->backColor();
}

void PanelWindowForm::setBackColor(ColorRef color) {
    m_view->setBackColor(toQColor(color));
    QPalette palette = m_scroll->viewport()->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    m_scroll->viewport()->setPalette(palette);
    m_scroll->viewport()->setAutoFillBackground(true);
}

void PanelWindowForm::scrollToPicture() {
    const PanelViewItem& background = m_view->background();
    if (!background.visible)
        return;
    const QPoint centre = background.rect.center();
    const QSize view = m_scroll->viewport()->size();
    m_scroll->ensureVisible(centre.x(), centre.y(), view.width() / 2, view.height() / 2);
}

void PanelWindowForm::load() {
    m_app.blinkInterval = kDesignedBlinkInterval;
    m_chooserColor = 0;
    refreshBlinker();
    const Panel& panel = m_document.panel();
    const int n = std::clamp(panel.window(m_w).gaugeCount, 0, kGaugeSlots);

    // Form10 appears with the first gauge; a window without gauges loads at once.
    std::unique_ptr<ProgressWindow> progress;
    PanelSceneCallbacks callbacks;
    callbacks.warn = [this](const UserText& text) { m_dialogs.message(toQString(text)); };
    callbacks.progress = [this, &progress](const std::string& caption, int percent) {
        if (!progress)
            progress = std::make_unique<ProgressWindow>(window());
        progress->setProgress(QString::fromStdString(caption), percent);
    };
    const PanelScene scene = loadPanelScene(panel, m_app, m_w, m_view->size(), callbacks);
    progress.reset();
    m_loading = true;
    for (const FoundGaugeSize& found : scene.foundSizes)
        m_document.recordFoundGaugeSize(m_w, found.gauge, found.size);
    m_loading = false;

    updateMenuStates(n);
    placeScene(scene);
}

void PanelWindowForm::updateMenuStates(int n) {
    m_addAction->setEnabled(n < kGaugeSlots);
    enableGaugeCommands(n);
}

void PanelWindowForm::placeScene(const PanelScene& scene) {
    setBackColor(m_app.panelBackColor);
    // The title is panel.cfg text, in Windows-1252.
    setWindowTitle(fromModelText(panelWindowCaption(m_document.panel(), m_app.display, m_w)));
    if (scene.background.isNull())
        m_view->clearBackground();
    else
        m_view->setBackground(scene.background, pixelRect(scene.backgroundRect));
    refreshSnapping();
    m_view->selectGauge(-1);
    onSelectionSetChanged();
    for (int i = 0; i < kGaugeSlots; ++i)
        m_view->clearGauge(i);
    for (const PanelSceneGauge& gauge : scene.gauges) {
        if (!isGaugeSlot(gauge.index))
            continue;
        m_pictures[m_document.panel().gauge(m_w, gauge.index).gaugeName] = {
            gauge.picture, fileStamp(gaugeBitmapFile(gauge.index))};
        m_view->setGauge(gauge.index, gauge.picture, pixelRect(gauge.rect),
                         fromModelText(gaugeTooltip(m_document.panel(), m_w, gauge.index)),
                         scene.frameAroundGauges);
    }
}

QRect PanelWindowForm::gaugePixelRect(int i) const {
    return pixelRect(fs98::gaugeRect(m_document.panel(), m_app.display, m_w, i));
}

void PanelWindowForm::placeGauge(int i) {
    if (!isGaugeSlot(i))
        return;
    if (i >= std::clamp(m_document.panel().window(m_w).gaugeCount, 0, kGaugeSlots)) {
        m_view->clearGauge(i);
        return;
    }
    m_view->placeGauge(i, gaugePixelRect(i));
}

std::string PanelWindowForm::gaugeBitmapFile(int i) const {
    return resolvePathIgnoringCase(gaugeBitmapPath(m_document.panel(), m_app.dirs, m_w, i).path);
}

QImage PanelWindowForm::pictureOfGauge(int i) {
    const std::string& name = m_document.panel().gauge(m_w, i).gaugeName;
    const std::string file = gaugeBitmapFile(i);
    const std::optional<FileStamp> bitmap = fileStamp(file);
    if (const auto known = m_pictures.find(name);
        known != m_pictures.end() && known->second.bitmap == bitmap)
        return known->second.picture;
    // A gauge this window has not drawn yet, or whose bitmap was cut out again by a pick.
    QImage picture = loadBitmapImage(file);
    if (picture.isNull())
        picture = loadBitmapImage(m_app.shippedFile(kDefaultGaugeBitmapName));
    m_pictures[name] = {picture, bitmap};
    return picture;
}

void PanelWindowForm::showGauges() {
    const Panel& panel = m_document.panel();
    const int n = std::clamp(panel.window(m_w).gaugeCount, 0, kGaugeSlots);
    for (int i = 0; i < kGaugeSlots; ++i) {
        if (i >= n) {
            m_view->clearGauge(i);
            continue;
        }
        const QImage picture = pictureOfGauge(i);
        if (!picture.isNull())
            storeGaugeBitmapSize(m_app.display.gauge(m_w, i), {picture.width(), picture.height()});
        m_view->setGauge(i, picture, gaugePixelRect(i), fromModelText(gaugeTooltip(panel, m_w, i)),
                         m_app.options.frameAroundGauges);
    }
    if (m_view->selectedGauge() >= n)
        m_view->selectGauge(-1);
    updateMenuStates(n);
    onSelectionSetChanged();
}

void PanelWindowForm::onGaugeChanged(int w, int g) {
    if (w == m_w && !m_loading)
        placeGauge(g);
}

void PanelWindowForm::onGaugesChanged(int w) {
    if (w == m_w)
        showGauges();
}

void PanelWindowForm::toggleGaugeVisibility(int i) {
    if (const PanelViewItem* item = m_view->gauge(i))
        m_view->setGaugeVisible(i, !item->visible);
}

void PanelWindowForm::showAllGauges() {
    m_view->showAllGauges();
}

// Every panel window has its timer, but only the window the blinker acts on (the newest one
// of the current slot) toggles on its own ticks: with several windows open, each period
// would otherwise toggle the gauge once per window, and an even count never blinks.
void PanelWindowForm::blinkTick() {
    const PanelWindowForm* target = m_registry ? m_registry->at(m_app.currentWindow)
                                               : (m_app.currentWindow == m_w ? this : nullptr);
    if (target == this) {
        if (const auto gauge = cockpix::blinkTick(m_document.panel(), m_app.currentWindow,
                                                  m_app.blinkState, m_app.currentGauge))
            toggleGaugeVisibility(*gauge);
    }
    const int period = blinkTimerPeriodMs(m_app.blinkState, m_app.blinkInterval);
    if (m_blinkTimer->interval() != period)
        m_blinkTimer->setInterval(period);
}

void PanelWindowForm::refreshBlinker() {
    m_blinkTimer->start(blinkTimerPeriodMs(m_app.blinkState, m_app.blinkInterval));
}

// The dialogs work on currentWindow: a gauge of this window selected makes it the one,
// whichever window was last opened from the template. The blinker follows the selection,
// and no picture it had hidden stays so.
void PanelWindowForm::becomeCurrent(int gauge) {
    m_app.currentWindow = m_w;
    m_app.currentGauge = gauge;
    m_view->showAllGauges();
}

void PanelWindowForm::onGaugePressed(int i) {
    becomeCurrent(i);
}

void PanelWindowForm::openGauge(int i) {
    emit gaugeClicked(i);
}

std::optional<PointF> PanelWindowForm::movedPlace(int i, double dx, double dy) const {
    return movedGaugePlace(m_document.panel().gauge(m_w, i), dx, dy);
}

QString PanelWindowForm::placeStatus(int i, PointF place) const {
    return QString::fromStdString(gaugePlaceStatus(i, place.x, place.y,
                                                   m_document.panel().gauge(m_w, i).gaugeSize,
                                                   m_app.display.window(m_w).windowScale));
}

void PanelWindowForm::moveGauge(int i, PointF place) {
    m_document.moveGauge(m_w, i, place.x, place.y);
}

void PanelWindowForm::settleGauges(const std::vector<int>& gauges) {
    for (const int g : gauges)
        placeGauge(g);
}

UnitFrame PanelWindowForm::unitFrame() const {
    const Panel& panel = m_document.panel();
    const RectF background = backgroundRect(panel, m_app.display, m_w);
    return {QPointF(background.left, background.top), pixelsPerUnitX(panel, m_app.display, m_w),
            pixelsPerUnitY(panel, m_app.display, m_w)};
}

std::optional<GaugeRect> PanelWindowForm::gaugeRect(int g) const {
    const Panel& panel = m_document.panel();
    const double perUnitY = pixelsPerUnitY(panel, m_app.display, m_w);
    const Gauge& gauge = panel.gauge(m_w, g);
    const PanelViewItem* shown = m_view->gauge(g);
    const double height =
        shown && perUnitY > 0 && std::isfinite(perUnitY) ? shown->rect.height() / perUnitY : 0;
    return GaugeRect{gauge.gaugeX, gauge.gaugeY, gauge.gaugeSize, height};
}

std::optional<GaugeRect> PanelWindowForm::snapBackground(const UnitFrame& frame) const {
    const RectF background = backgroundRect(m_document.panel(), m_app.display, m_w);
    return GaugeRect{0, 0, background.width / frame.perUnitX, background.height / frame.perUnitY};
}

std::optional<QString> PanelWindowForm::resizeStatus(int i, QSize size) const {
    const Panel& panel = m_document.panel();
    const auto gaugeSize = sizeForPictureWidth(panel, m_app.display, m_w, size.width());
    if (!gaugeSize)
        return std::nullopt;
    const Gauge& gauge = panel.gauge(m_w, i);
    return QString::fromStdString(gaugePlaceStatus(i, gauge.gaugeX, gauge.gaugeY, *gaugeSize,
                                                   m_app.display.window(m_w).windowScale));
}

void PanelWindowForm::resizeGauge(int i, QSize size) {
    if (const auto gaugeSize =
            sizeForPictureWidth(m_document.panel(), m_app.display, m_w, size.width()))
        m_document.resizeGauge(m_w, i, *gaugeSize);
}

void PanelWindowForm::placeGauges(const std::vector<GaugeEdit>& edits, const QString& text) {
    std::vector<GaugePlacement> placements;
    for (const GaugeEdit& edit : edits)
        placements.push_back({edit.gauge, edit.to.x, edit.to.y, edit.to.w});
    m_document.placeGauges(m_w, std::move(placements), text);
}

void PanelWindowForm::removeGauge(int i) {
    emit closeGaugeDialogRequested();
    GaugeEditing(m_document, m_app, m_registry).removeGauge(m_w, i);
    // Also when this is not the newest window of the slot, which the removal selects in.
    m_view->selectGauge(m_app.currentGauge);
}

std::optional<std::string> PanelWindowForm::gaugeName(int i) const {
    return m_document.panel().gauge(m_w, i).gaugeName;
}

TextEncoding PanelWindowForm::panelEncoding() const {
    return TextEncoding::Windows1252;
}

void PanelWindowForm::removeGauges(const std::vector<int>& gauges, const QString& text) {
    m_document.cutGauges(m_w, gauges, text);
    becomeCurrent(-1);
}

std::string PanelWindowForm::gaugeLines(const std::vector<int>& gauges) const {
    return copyFs98Gauges(m_document.panel(), m_w, gauges);
}

// Nothing changes when FS98 would not take the gauges.
PastedGauges PanelWindowForm::pasteLines(const std::vector<ClipboardGauge>& gauges,
                                         const std::optional<PasteArea>& area) {
    const Fs98Paste paste = planFs98Paste(m_document.panel(), m_w, gauges, area);
    if (paste.refused())
        return {{}, toQString(paste.refusal), 0};
    const int first = std::clamp(m_document.panel().window(m_w).gaugeCount, 0, kGaugeSlots);
    const int count = int(paste.gauges.size());
    if (!m_document.pasteGauges(m_w, paste.gauges))
        return {};
    std::vector<int> pasted(static_cast<std::size_t>(count));
    bool measure = false;
    for (int k = 0; k < count; ++k) {
        const int g = first + k;
        pasted[static_cast<std::size_t>(k)] = g;
        // A module this panel has not drawn yet has no bitmap cut out, and a line without a
        // size takes the module's own: the window is built again, as when it opened, to cut
        // out and measure them.
        measure = measure || m_document.panel().gauge(m_w, g).gaugeRefSize == -1 ||
                  !fileStamp(gaugeBitmapFile(g));
    }
    if (measure)
        load();
    return {pasted, {}, 0};
}

std::optional<PasteArea> PanelWindowForm::pasteArea() const {
    const UnitFrame frame = unitFrame();
    if (!m_view->background().visible || !frame.usable())
        return std::nullopt;
    const RectF background = backgroundRect(m_document.panel(), m_app.display, m_w);
    return PasteArea{background.width / frame.perUnitX, background.height / frame.perUnitY};
}

// The colour commands recolour the current window's panel window, which is not
// necessarily the one whose menu was used. The chooser is this window's own: cancelled, it
// applies the colour last picked in it, black in a freshly loaded window.
void PanelWindowForm::chooseBackColor() {
    emit closeGaugeDialogRequested();
    PanelWindowForm* target = m_registry ? m_registry->at(m_app.currentWindow) : this;
    if (const auto chosen = m_dialogs.chooseColor(toQColor(m_chooserColor)))
        m_chooserColor = toColorRef(*chosen);
    m_app.panelBackColor = m_chooserColor;
    if (target)
        target->setBackColor(m_app.panelBackColor);
}

void PanelWindowForm::resetToBlack() {
    emit closeGaugeDialogRequested();
    m_app.panelBackColor = 0;
    if (PanelWindowForm* target = m_registry ? m_registry->at(m_app.currentWindow) : this)
        target->setBackColor(0);
}

void PanelWindowForm::commandStarts() {
    emit closeGaugeDialogRequested();
}

void PanelWindowForm::openScreenPreview() {
    auto* dialog = new ScreenPreviewDialog(m_document, m_app, m_w, this);
    dialog->show();
}

} // namespace cockpix::fs98
