#include "gauges/gui/panelwindow.h"

#include "base/core/filelookup.h"
#include "base/gui/colorref.h"
#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "base/gui/userdialogs.h"
#include "gauges/core/blinker.h"
#include "gauges/core/gaugeextraction.h"
#include "gauges/core/panellayout.h"
#include "gauges/gui/gaugeimage.h"
#include "gauges/gui/panelrenderer.h"
#include "gauges/gui/panelwindowregistry.h"
#include "gauges/gui/progresswindow.h"
#include "gauges/gui/screenpreviewdialog.h"
#include "panel/gui/paneldocument.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace cockpix {
namespace {

QMdiSubWindow* subWindowOf(const QWidget* widget) {
    return widget ? qobject_cast<QMdiSubWindow*>(widget->parentWidget()) : nullptr;
}

} // namespace

PanelWindowForm::PanelWindowForm(PanelDocument& document, AppModel& app, UserDialogs& dialogs,
                                 int w, QWidget* parent)
    : QWidget(parent), m_document(document), m_app(app), m_dialogs(dialogs),
      m_w(std::clamp(w, 0, kWindowSlots - 1)) {
    setObjectName(QStringLiteral("Form2"));
    setFocusPolicy(Qt::StrongFocus);
    buildFrame();
    buildMenus();
    connect(&m_document, &PanelDocument::gaugeChanged, this, &PanelWindowForm::onGaugeChanged);
    connect(&m_document, &PanelDocument::gaugesChanged, this, &PanelWindowForm::onGaugesChanged);

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setObjectName(QStringLiteral("Timer1"));
    connect(m_blinkTimer, &QTimer::timeout, this, &PanelWindowForm::blinkTick);
    refreshBlinker();
}

PanelWindowForm::~PanelWindowForm() = default;

void PanelWindowForm::buildFrame() {
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);

    // The frame stands for the whole FS98 screen.
    m_frame = new QWidget;
    m_frame->setObjectName(QStringLiteral("PanelFrame"));
    m_frame->setAutoFillBackground(true);
    m_frame->setFixedSize(screenSizePixels());

    m_background = new GaugeImage(-1, m_frame);
    m_background->setObjectName(QStringLiteral("Image1"));
    m_background->setAccessibleName(tr("Background picture"));
    m_background->hide();
    for (int i = 0; i < kGaugeSlots; ++i) {
        auto* image = new GaugeImage(i, m_frame);
        image->setObjectName(QStringLiteral("Image2_%1").arg(i));
        image->hide();
        connect(image, &GaugeImage::clicked, this, &PanelWindowForm::onGaugeClicked);
        m_gauges[static_cast<std::size_t>(i)] = image;
    }
    m_scroll->setWidget(m_frame);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    setBackColor(m_app.panelBackColor);
}

QAction* PanelWindowForm::addMenuAction(QMenu* menu, const char* name, const QString& text,
                                        const QKeySequence& shortcut) {
    auto* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    // Only while this panel window has the focus: the main window uses the same keys.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    return action;
}

void PanelWindowForm::buildMenus() {
    m_pictureMenu = new QMenu(tr("&Picture"), this);
    m_pictureMenu->setObjectName(QStringLiteral("mnu_Picture"));
    auto* zoom = addMenuAction(m_pictureMenu, "mnumove", tr("&Zoom..."), QKeySequence("Ctrl+Z"));
    connect(addMenuAction(m_pictureMenu, "mnupreview", tr("Pre&view at screen sizes..."), {}),
            &QAction::triggered, this, &PanelWindowForm::showScreenPreviews);
    m_pictureMenu->addSeparator()->setObjectName(QStringLiteral("mnusepar"));
    auto* colors = addMenuAction(m_pictureMenu, "mnucolors", tr("&Background color..."),
                                 QKeySequence("Ctrl+B"));
    auto* black =
        addMenuAction(m_pictureMenu, "mnublack", tr("&Reset to black"), QKeySequence("Ctrl+R"));
    m_pictureMenu->addSeparator()->setObjectName(QStringLiteral("mnusepar2"));
    auto* close = addMenuAction(m_pictureMenu, "mnuclose", tr("&Close"), QKeySequence("Ctrl+C"));

    m_gaugeMenu = new QMenu(tr("&Gauges"), this);
    m_gaugeMenu->setObjectName(QStringLiteral("mnugauge"));
    m_addAction = addMenuAction(m_gaugeMenu, "mnuadd", tr("&Add..."), QKeySequence("Ctrl+A"));
    m_goAction = addMenuAction(m_gaugeMenu, "mnugo", tr("&Go to gauge..."), QKeySequence("Ctrl+G"));

    connect(zoom, &QAction::triggered, this, [this] {
        emit closeGaugeDialogRequested();
        emit zoomRequested();
    });
    connect(colors, &QAction::triggered, this, &PanelWindowForm::chooseBackColor);
    connect(black, &QAction::triggered, this, &PanelWindowForm::resetToBlack);
    connect(close, &QAction::triggered, this, &PanelWindowForm::closeWindow);
    connect(m_addAction, &QAction::triggered, this, [this] {
        emit closeGaugeDialogRequested();
        emit addGaugeRequested();
    });
    connect(m_goAction, &QAction::triggered, this, [this] {
        emit closeGaugeDialogRequested();
        emit goToGaugeRequested();
    });
}

QList<QMenu*> PanelWindowForm::childMenus() const {
    return {m_pictureMenu, m_gaugeMenu};
}

GaugeImage* PanelWindowForm::gaugeImage(int i) const {
    if (i < 0 || i >= kGaugeSlots)
        return nullptr;
    return m_gauges[static_cast<std::size_t>(i)];
}

QColor PanelWindowForm::backColor() const {
    return m_frame->palette().color(QPalette::Window);
}

void PanelWindowForm::setBackColor(ColorRef color) {
    QPalette palette = m_frame->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    m_frame->setPalette(palette);
    m_scroll->viewport()->setPalette(palette);
    m_scroll->viewport()->setAutoFillBackground(true);
}

QSize PanelWindowForm::sizeHint() const {
    return m_frame->size();
}

void PanelWindowForm::scrollToPicture() {
    if (!m_background->isVisibleTo(m_frame))
        return;
    const QPoint centre = m_background->geometry().center();
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
    const PanelScene scene = loadPanelScene(panel, m_app, m_w, m_frame->size(), callbacks);
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
    m_goAction->setEnabled(n > 0);
}

void PanelWindowForm::placeScene(const PanelScene& scene) {
    setBackColor(m_app.panelBackColor);
    // The title is panel.cfg text, in Windows-1252.
    setWindowTitle(fromModelText(panelWindowCaption(m_document.panel(), m_app.display, m_w)));
    if (scene.background.isNull()) {
        m_background->clearPicture();
        m_background->hide();
    } else {
        m_background->setPicture(scene.background);
        m_background->placeAt(scene.backgroundRect);
        m_background->show();
    }
    for (GaugeImage* image : m_gauges) {
        image->clearPicture();
        image->setToolTip(QString());
        image->hide();
    }
    for (const PanelSceneGauge& gauge : scene.gauges) {
        GaugeImage* image = gaugeImage(gauge.index);
        if (!image)
            continue;
        m_pictures[m_document.panel().gauge(m_w, gauge.index).gaugeName] = gauge.picture;
        image->setPicture(gauge.picture);
        image->placeAt(gauge.rect);
        image->setToolTip(fromModelText(gaugeTooltip(m_document.panel(), m_w, gauge.index)));
        image->setAccessibleName(image->toolTip());
        image->setFramed(scene.frameAroundGauges);
        image->show();
        image->raise();
    }
}

void PanelWindowForm::placeGauge(int i) {
    GaugeImage* image = gaugeImage(i);
    if (!image)
        return;
    const Panel& panel = m_document.panel();
    if (i >= std::clamp(panel.window(m_w).gaugeCount, 0, kGaugeSlots)) {
        image->clearPicture();
        image->setToolTip(QString());
        image->setAccessibleName(QString());
        image->setFramed(false);
        image->hide();
        return;
    }
    image->placeAt(gaugeRect(panel, m_app.display, m_w, i));
}

QImage PanelWindowForm::gaugePicture(int i) {
    const Panel& panel = m_document.panel();
    const std::string& name = panel.gauge(m_w, i).gaugeName;
    if (const auto known = m_pictures.find(name); known != m_pictures.end())
        return known->second;
    // A gauge this window has not drawn yet: its bitmap was cut out when it was picked.
    QImage picture =
        loadBitmapImage(resolvePathIgnoringCase(gaugeBitmapPath(panel, m_app.dirs, m_w, i).path));
    if (picture.isNull())
        picture = loadBitmapImage(m_app.shippedFile(kDefaultGaugeBitmapName));
    m_pictures[name] = picture;
    return picture;
}

void PanelWindowForm::showGauges() {
    const Panel& panel = m_document.panel();
    const int n = std::clamp(panel.window(m_w).gaugeCount, 0, kGaugeSlots);
    for (int i = 0; i < kGaugeSlots; ++i) {
        GaugeImage* image = gaugeImage(i);
        if (i >= n) {
            placeGauge(i);
            continue;
        }
        const QImage picture = gaugePicture(i);
        if (!picture.isNull())
            storeGaugeBitmapSize(m_app.display.gauge(m_w, i), {picture.width(), picture.height()});
        image->setPicture(picture);
        image->setToolTip(fromModelText(gaugeTooltip(panel, m_w, i)));
        image->setAccessibleName(image->toolTip());
        image->setFramed(m_app.options.frameAroundGauges);
        placeGauge(i);
        image->show();
        image->raise();
    }
    updateMenuStates(n);
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
    if (GaugeImage* image = gaugeImage(i))
        image->setVisible(!image->isVisible());
}

void PanelWindowForm::blinkTick() {
    if (const auto gauge = cockpix::blinkTick(m_app, m_document.panel())) {
        PanelWindowForm* target = m_registry ? m_registry->at(m_app.currentWindow)
                                             : (m_app.currentWindow == m_w ? this : nullptr);
        if (target)
            target->toggleGaugeVisibility(*gauge);
    }
    const int period = blinkTimerPeriodMs(m_app);
    if (m_blinkTimer->interval() != period)
        m_blinkTimer->setInterval(period);
}

void PanelWindowForm::refreshBlinker() {
    m_blinkTimer->start(blinkTimerPeriodMs(m_app));
}

void PanelWindowForm::onGaugeClicked(int i) {
    emit closeGaugeDialogRequested();
    m_app.currentGauge = i;
    emit gaugeClicked(i);
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

void PanelWindowForm::showScreenPreviews() {
    emit closeGaugeDialogRequested();
    auto* previews = new ScreenPreviewDialog(m_document, m_app, m_w, this);
    previews->show();
}

void PanelWindowForm::closeWindow() {
    emit closeGaugeDialogRequested();
    if (QMdiSubWindow* sub = subWindowOf(this))
        sub->close();
    else
        close();
}

} // namespace cockpix
