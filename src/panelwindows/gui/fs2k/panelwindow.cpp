#include "panelwindows/gui/fs2k/panelwindow.h"

#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "panel/gui/fs2k/document.h"
#include "panelwindows/core/gaugedrag.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/screenpreviewdialog.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace cockpix::fs2k {
namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);

// A window with only a colour shows it as its background, stretched like a bitmap.
QImage colourPicture(const QColor& colour) {
    QImage picture(1, 1, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

PanelWindowForm::PanelWindowForm(fs2k::Document& document, const AppModel& app,
                                 UserDialogs& dialogs, std::size_t window, PictureLookup pictures,
                                 std::string panelDir, QWidget* parent)
    : PanelWindowBase(app.snap, dialogs, parent), m_document(document), m_app(app),
      m_window(window), m_pictures(std::move(pictures)), m_panelDir(std::move(panelDir)) {
    setObjectName(QStringLiteral("laterPanelWindow"));
    if (const Window* shown = this->window()) {
        m_kind = shown->kind;
        m_number = shown->number;
    } else {
        m_window = npos;
    }
    buildFrame();
    m_view->setFreeResize(true);
    buildMenus();
    connectView();
    connect(&m_document, &fs2k::Document::linesChanged, this, &PanelWindowForm::onFs2kChanged);
    connect(&m_document, &fs2k::Document::panelReplaced, this, &PanelWindowForm::closeWindow);
}

PanelWindowForm::~PanelWindowForm() = default;

void PanelWindowForm::buildMenus() {
    startMenus();
    addCloseAction();
    m_propertiesAction = addMenuAction(m_menus.gauges, "mnuproperties", tr("&Properties..."),
                                       QKeySequence("Ctrl+P"));
    addGoAction();
    m_removeAction = addMenuAction(m_menus.gauges, "mnuremove", tr("&Remove"), {});
    finishGaugeMenu(true);
    connect(m_propertiesAction, &QAction::triggered, this, [this] {
        if (selectedGauge() >= 0)
            emit propertiesRequested(selectedGauge());
    });
    connect(m_removeAction, &QAction::triggered, this, &PanelWindowForm::removeSelectedGauges);
    applyKeyScheme();
}

void PanelWindowForm::openGauge(int i) {
    emit propertiesRequested(i);
}

const Window* PanelWindowForm::window() const {
    const auto& windows = m_document.panel().windows;
    return m_window < windows.size() ? &windows[m_window] : nullptr;
}

const Gauge* PanelWindowForm::gaugeLine(int i) const {
    const Window* shown = window();
    if (!shown || i < 0 || i >= int(shown->gauges.size()))
        return nullptr;
    return &shown->gauges[static_cast<std::size_t>(i)];
}

void PanelWindowForm::load() {
    const SceneSource source{&m_document.panel(),   &m_document.lines(),
                             m_document.encoding(), m_panelDir,
                             &m_backgrounds,        m_app.display.fs2kView(viewKey())};
    m_scene = windowScene(source, m_window, screenSizePixels(), m_pictures);
    showScene();
}

void PanelWindowForm::showScene() {
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
        const SceneGauge& gauge = m_scene.gauges[static_cast<std::size_t>(i)];
        m_view->setGauge(i, gauge.picture, pixelRect(gauge.rect), gaugeToolTip(gauge), false,
                         gauge.label);
        m_view->setGaugeOutline(i, gauge.outline == gauge.label ? QString() : gauge.outline);
        m_view->setGaugeUnderneath(i, gauge.underneath);
    }
    // Several selected gauges stay so through their edits (those gone have left already).
    if (m_view->selection().size() < 2)
        m_view->selectGauge(std::min(selected, n - 1));
    enableGaugeCommands(n);
    onSelectionSetChanged();
}

void PanelWindowForm::onFs2kChanged() {
    // The section may have moved (one before it removed): it is found again by what it is.
    const auto& windows = m_document.panel().windows;
    const Window* now = window();
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

int PanelWindowForm::gaugeCount() const {
    return m_view->gaugeCount();
}

namespace {

// A picture that the view shows whole is centred; a larger one shows its top or left edge,
// where a window's first gauges are (a virtual cockpit's texture starts at the corner).
int scrollValueFor(int start, int length, int viewLength) {
    return length <= viewLength ? start + length / 2 - viewLength / 2 : start;
}

} // namespace

void PanelWindowForm::scrollToPicture() {
    const QRect rect = pixelRect(m_scene.layout.rect);
    const QSize view = m_scroll->viewport()->size();
    m_scroll->horizontalScrollBar()->setValue(
        scrollValueFor(rect.left(), rect.width(), view.width()));
    m_scroll->verticalScrollBar()->setValue(
        scrollValueFor(rect.top(), rect.height(), view.height()));
}

std::optional<fs98::PointF> PanelWindowForm::movedPlace(int i, double dx, double dy) const {
    if (const Gauge* gauge = gaugeLine(i))
        return placeAfterMove(*gauge, dx, dy);
    return std::nullopt;
}

QString PanelWindowForm::placeStatus(int i, fs98::PointF place) const {
    const Gauge* gauge = gaugeLine(i);
    if (!gauge)
        return {};
    return QString::fromStdString(
        gaugeStatus(gauge->kind, gauge->number, {{'X', place.x}, {'Y', place.y}}));
}

std::optional<QString> PanelWindowForm::resizeStatus(int i, QSize size) const {
    const Gauge* gauge = gaugeLine(i);
    if (!gauge)
        return std::nullopt;
    const GaugePlace units =
        resizedUnits(m_scene, std::size_t(i), *gauge, size.width(), size.height());
    return QString::fromStdString(
        gaugeStatus(gauge->kind, gauge->number, {{'W', units.width}, {'H', units.height}}));
}

void PanelWindowForm::moveGauge(int i, fs98::PointF place) {
    const Gauge* gauge = gaugeLine(i);
    if (!gauge)
        return;
    if (place.x == gauge->x.value_or(0) && place.y == gauge->y.value_or(0)) {
        showScene(); // back where it was
        return;
    }
    if (coversSection(*gauge)) {
        // It keeps the section's size it was shown at, now written.
        const WindowLayout& layout = m_scene.layout;
        m_document.placeGauges(
            {{gauge->line, place.x, place.y, layout.unitWidth, layout.unitHeight}},
            tr("Move gauge"));
        return;
    }
    m_document.moveGauge(gauge->line, place.x, place.y);
}

void PanelWindowForm::resizeGauge(int i, QSize size) {
    const Gauge* gauge = gaugeLine(i);
    if (!gauge)
        return;
    const GaugePlace units =
        resizedUnits(m_scene, std::size_t(i), *gauge, size.width(), size.height());
    if (gauge->width == units.width && gauge->height == units.height) {
        showScene();
        return;
    }
    m_document.resizeGauge(gauge->line, units.width, units.height);
}

std::optional<GaugeRect> PanelWindowForm::gaugeRect(int i) const {
    const Gauge* gauge = gaugeLine(i);
    const PanelViewItem* shown = m_view->gauge(i);
    if (!gauge || !shown)
        return std::nullopt;
    const GaugePlace size =
        resizedUnits(m_scene, std::size_t(i), *gauge, shown->rect.width(), shown->rect.height());
    return GaugeRect{gauge->x.value_or(0), gauge->y.value_or(0), gauge->width.value_or(size.width),
                     gauge->height.value_or(size.height)};
}

UnitFrame PanelWindowForm::unitFrame() const {
    const WindowLayout& layout = m_scene.layout;
    return {QPointF(layout.rect.left, layout.rect.top), layout.pixelsPerUnitX,
            layout.pixelsPerUnitY};
}

std::optional<GaugeRect> PanelWindowForm::snapBackground(const UnitFrame&) const {
    return GaugeRect{0, 0, m_scene.layout.unitWidth, m_scene.layout.unitHeight};
}

void PanelWindowForm::placeGauges(const std::vector<GaugeEdit>& edits, const QString& text) {
    std::vector<GaugePlacement> placements;
    for (const GaugeEdit& edit : edits) {
        const Gauge* gauge = gaugeLine(edit.gauge);
        if (!gauge)
            continue;
        GaugePlacement placement{gauge->line, edit.to.x, edit.to.y, {}, {}};
        if (edit.to.w != edit.from.w)
            placement.width = edit.to.w;
        if (edit.to.h != edit.from.h)
            placement.height = edit.to.h;
        placements.push_back(placement);
    }
    if (placements.empty())
        showScene(); // back where they were
    else
        m_document.placeGauges(placements, text);
}

void PanelWindowForm::removeGauge(int i) {
    if (const Gauge* gauge = gaugeLine(i))
        m_document.removeGauge(gauge->line);
}

std::vector<std::size_t> PanelWindowForm::linesOf(const std::vector<int>& gauges) const {
    std::vector<std::size_t> lines;
    for (const int i : gauges) {
        if (const Gauge* gauge = gaugeLine(i))
            lines.push_back(gauge->line);
    }
    return lines;
}

std::optional<std::string> PanelWindowForm::gaugeName(int i) const {
    if (const Gauge* gauge = gaugeLine(i))
        return std::string(gaugeLineName(m_document.lines(), gauge->line));
    return std::nullopt;
}

TextEncoding PanelWindowForm::panelEncoding() const {
    return m_document.encoding();
}

void PanelWindowForm::removeGauges(const std::vector<int>& gauges, const QString& text) {
    m_document.cutGauges(linesOf(gauges), text);
}

std::string PanelWindowForm::gaugeLines(const std::vector<int>& gauges) const {
    return copyFs2kGauges(m_document.lines(), linesOf(gauges));
}

void PanelWindowForm::pasteGauges() {
    if (window())
        PanelWindowBase::pasteGauges();
}

std::optional<PasteArea> PanelWindowForm::pasteArea() const {
    return PasteArea{m_scene.layout.unitWidth, m_scene.layout.unitHeight};
}

PastedGauges PanelWindowForm::pasteLines(const std::vector<ClipboardGauge>& gauges,
                                         const std::optional<PasteArea>& area) {
    const Window* shown = window();
    if (!shown || !area)
        return {};
    if (const UserText refusal = fs2kPasteRefusal(*shown, gauges); !refusal.empty())
        return {{}, toQString(refusal), 0};
    const std::vector<std::size_t> added =
        m_document.pasteGauges(shown->section, planFs2kPaste(*shown, gauges, *area));
    // The window has been drawn again: the new lines are its gauges now.
    PastedGauges pasted;
    if (const Window* now = window()) {
        for (std::size_t i = 0; i < now->gauges.size(); ++i) {
            if (std::find(added.begin(), added.end(), now->gauges[i].line) != added.end())
                pasted.gauges.push_back(int(i));
        }
    }
    pasted.notAdded = gauges.size() - std::min(gauges.size(), pasted.gauges.size());
    return pasted;
}

void PanelWindowForm::openScreenPreview() {
    auto* dialog =
        new ScreenPreviewDialog(m_document, m_app, m_window, m_pictures, m_panelDir, this);
    dialog->setWindowFlag(Qt::Dialog);
    dialog->show();
}

} // namespace cockpix::fs2k
