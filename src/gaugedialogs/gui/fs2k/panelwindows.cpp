#include "gaugedialogs/gui/fs2k/panelwindows.h"

#include "base/gui/colorref.h"
#include "base/gui/screen.h"
#include "base/gui/userdialogs.h"
#include "gaugedialogs/gui/fs2k/addgaugedialog.h"
#include "gaugedialogs/gui/fs2k/addinstrumentdialog.h"
#include "gaugedialogs/gui/fs2k/gaugepropertiesdialog.h"
#include "gaugedialogs/gui/movezoomdialog.h"
#include "gaugefiles/core/fs2k/instrumentlist.h"
#include "panel/gui/fs2k/document.h"
#include "panelwindows/gui/fs2k/panelwindow.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "settings/core/installation.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace cockpix::fs2k {

namespace {

// The window's picture in the move/zoom dialog: its background (or colour) where the later
// layout puts it at each zoom. The section and its bitmap's size are taken as they are when
// the dialog opens.
MoveZoomSubject fs2kMoveZoomSubject(const PanelWindowForm& form, AppModel& app) {
    const WindowScene& scene = form.scene();
    MoveZoomSubject subject;
    subject.backColor = toQColor(app.panelBackColor);
    subject.picture = form.backgroundPicture().picture;
    subject.placement = app.display.fs2kView(form.viewKey());
    std::optional<BmpSize> bitmap;
    if (!scene.background.isNull())
        bitmap = BmpSize{scene.background.width(), scene.background.height()};
    const QSize screen = screenSizePixels();
    const ScreenSize size{screen.width(), screen.height()};
    Window window;
    if (form.windowIndex() < form.document().panel().windows.size())
        window = form.document().panel().windows[form.windowIndex()];
    const double width = windowLayout(window, size, bitmap).rect.width;
    subject.pictureWidth = [width] { return width; };
    subject.previewRect = [window, size, bitmap](double z, fs98::PointF shift,
                                                 const PreviewScale& scale) {
        const fs98::RectF rect = windowLayout(window, size, bitmap, {z, shift.x, shift.y}).rect;
        const auto twips = [](double pixels, double perTwip) {
            return perTwip != 0 ? pixels / perTwip : 0;
        };
        return fs98::RectF{twips(rect.left, scale.x), twips(rect.top, scale.y),
                           twips(rect.width, scale.x), twips(rect.height, scale.y)};
    };
    subject.store = [&app, key = form.viewKey()](const fs98::ViewPlacement& placement) {
        if (placement == fs98::ViewPlacement{})
            app.display.fs2kViews.erase(key);
        else
            app.display.fs2kViews[key] = placement;
    };
    return subject;
}

// A chooser beside the window it adds to: the gauge it adds becomes the window's chosen one.
template <class Chooser> void showChooser(Chooser* dialog, PanelWindowForm* form) {
    dialog->setWindowFlag(Qt::Dialog);
    QPointer<PanelWindowForm> target(form);
    QObject::connect(dialog, &Chooser::gaugeAdded, dialog, [target](int, int gauge) {
        if (target)
            target->selectGauge(gauge);
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

PanelWindows::PanelWindows(fs2k::Document& document, AppModel& app, UserDialogs& dialogs,
                           QMdiArea* area, QObject* parent)
    : QObject(parent), m_document(document), m_app(app), m_dialogs(dialogs), m_area(area) {
    // The folders as they are when a window is drawn: the directories may change between.
    // The installation the panel lies in says where its gauges are, before the settings.
    m_pictures = [this](const std::vector<std::string_view>& names) {
        return m_gaugePictures.pictures(names, m_app.dirs.panelDir,
                                        gaugeFoldersFor(m_app.installation, m_app.dirs));
    };
}

PanelWindowForm* PanelWindows::at(std::size_t window) const {
    for (const QPointer<PanelWindowForm>& form : m_forms) {
        if (form && form->isVisible() && form->windowIndex() == window)
            return form;
    }
    return nullptr;
}

PanelWindowForm* PanelWindows::show(std::size_t window) {
    if (window >= m_document.panel().windows.size())
        return nullptr;
    if (PanelWindowForm* open = at(window)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget()))
            m_area->setActiveSubWindow(sub);
        open->setFocus();
        return open;
    }
    m_forms.removeAll(nullptr);
    auto* form =
        new PanelWindowForm(m_document, m_app, m_dialogs, window, m_pictures, m_app.dirs.panelDir);
    m_forms.append(form);
    connect(form, &PanelWindowForm::propertiesRequested, this,
            [this, form](int i) { openProperties(form, i); });
    connect(form, &PanelWindowForm::goToGaugeRequested, this, [this, form] { goToGauge(form); });
    connect(form, &PanelWindowForm::addGaugeRequested, this, [this, form] { addGauge(form); });
    connect(form, &PanelWindowForm::zoomRequested, this, [this, form] { openMoveZoom(form); });
    connect(form, &PanelWindowForm::dragStatusChanged, this, &PanelWindows::statusMessage);
    form->load();
    if (m_area) {
        QMdiSubWindow* sub = m_area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // As large as the area shows; the frame inside scrolls to the window.
        sub->resize(sub->sizeHint().boundedTo(m_area->viewport()->size()));
        sub->show();
        m_area->setActiveSubWindow(sub);
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
    }
    form->scrollToPicture();
    form->setFocus();
    emit windowShown(form);
    return form;
}

GaugePropertiesDialog* PanelWindows::propertiesDialog() const {
    return m_properties;
}

void PanelWindows::openProperties(PanelWindowForm* form, int i) {
    const WindowScene& scene = form->scene();
    if (i < 0 || i >= int(scene.gauges.size()))
        return;
    if (m_properties)
        m_properties->close();
    m_properties = new GaugePropertiesDialog(m_document, m_dialogs,
                                             scene.gauges[static_cast<std::size_t>(i)].line, form);
    m_properties->setAttribute(Qt::WA_DeleteOnClose);
    m_properties->setWindowFlag(Qt::Dialog);
    m_properties->show();
    m_properties->raise();
    m_properties->activateWindow();
}

MoveZoomDialog* PanelWindows::moveZoomDialog() const {
    return m_moveZoom;
}

void PanelWindows::openMoveZoom(PanelWindowForm* form) {
    if (m_moveZoom)
        m_moveZoom->close();
    // Closed with its window: the dialog belongs to it.
    m_moveZoom = new MoveZoomDialog(m_document, fs2kMoveZoomSubject(*form, m_app),
                                    static_cast<int>(form->windowIndex()), form);
    m_moveZoom->setWindowFlag(Qt::Dialog);
    QPointer<PanelWindowForm> target(form);
    connect(m_moveZoom, &MoveZoomDialog::placementChanged, this, [target] {
        if (target)
            target->load();
    });
    m_moveZoom->show();
    m_moveZoom->raise();
    m_moveZoom->activateWindow();
}

void PanelWindows::addGauge(PanelWindowForm* form) {
    const std::vector<Window>& windows = m_document.panel().windows;
    if (form->windowIndex() >= windows.size())
        return;
    const Installation installation = findInstallation(m_app.dirs.panelDir, m_app.dirs.gaugesDir);
    const bool msfs = installation.simulator == Simulator::MsfsPackage ||
                      installation.simulator == Simulator::MsfsProject;
    const GaugeLineKind kind = kindToAdd(windows[form->windowIndex()], msfs);
    if (kind != GaugeLineKind::Gauge) {
        addInstrument(form, kind, installation.instrumentDirs);
        return;
    }
    auto* dialog = new AddGaugeDialog(m_document, m_app, m_dialogs,
                                      static_cast<int>(form->windowIndex()), form);
    showChooser(dialog, form);
}

void PanelWindows::addInstrument(PanelWindowForm* form, GaugeLineKind kind,
                                 const std::vector<std::string>& instrumentDirs) {
    const std::vector<std::string> dirs =
        kind == GaugeLineKind::Painting ? liveryDirs(instrumentDirs) : instrumentDirs;
    // The WASM modules a VCockpit's host loads lie in the panel folder.
    const InstrumentList list =
        listInstruments(dirs, kind == GaugeLineKind::HtmlGauge ? m_app.dirs.panelDir : "");
    auto* dialog = new AddInstrumentDialog(m_document, m_dialogs,
                                           static_cast<int>(form->windowIndex()), kind, list, form);
    showChooser(dialog, form);
}

void PanelWindows::goToGauge(PanelWindowForm* form) {
    const WindowScene& scene = form->scene();
    if (scene.gauges.empty())
        return;
    ListChoiceRequest request;
    request.caption = tr("Go to gauge");
    request.label = form->windowTitle();
    for (const SceneGauge& gauge : scene.gauges)
        request.items << gauge.label;
    request.current = std::max(form->selectedGauge(), 0);
    const std::optional<int> chosen = m_dialogs.chooseFromList(request);
    if (!chosen || *chosen < 0 || *chosen >= int(scene.gauges.size()))
        return;
    form->selectGauge(*chosen);
    openProperties(form, *chosen);
}

} // namespace cockpix::fs2k
