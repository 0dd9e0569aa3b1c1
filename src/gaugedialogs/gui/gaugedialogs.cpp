#include "gaugedialogs/gui/gaugedialogs.h"

#include "gaugedialogs/gui/addgaugedialog.h"
#include "gaugedialogs/gui/gaugepropertiesdialog.h"
#include "gaugedialogs/gui/gotogaugedialog.h"
#include "gaugedialogs/gui/movezoomdialog.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelwindowregistry.h"

#include <QMdiSubWindow>

#include <algorithm>

namespace cockpix {
namespace {

// A dialog left open gives way to a fresh one, filled from the model as it is now.
template <class Dialog> void closeNow(QPointer<Dialog>& dialog) {
    if (dialog) {
        dialog->close();
        delete dialog.data();
    }
}

template <class Dialog> void present(Dialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

GaugeDialogs::GaugeDialogs(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                           PanelWindowRegistry& panelForms, QWidget* dialogParent)
    : QObject(dialogParent), m_document(document), m_app(app), m_dialogs(dialogs),
      m_panelForms(panelForms), m_dialogParent(dialogParent),
      m_editing(document, app, &panelForms) {
    connect(&m_document, &fs98::Document::panelReplaced, this, &GaugeDialogs::closeAll);
}

GaugeDialogs::~GaugeDialogs() = default;

GaugePropertiesDialog* GaugeDialogs::propertiesDialog() const {
    return m_properties;
}
AddGaugeDialog* GaugeDialogs::addDialog() const {
    return m_add;
}
GoToGaugeDialog* GaugeDialogs::goToDialog() const {
    return m_goTo;
}
MoveZoomDialog* GaugeDialogs::moveZoomDialog() const {
    return m_moveZoom;
}

void GaugeDialogs::attach(fs98::PanelWindowForm* form) {
    if (!form)
        return;
    const int w = form->windowSlot();
    connect(form, &fs98::PanelWindowForm::gaugeClicked, this,
            [this, w](int g) { openGaugeProperties(w, g); });
    connect(form, &fs98::PanelWindowForm::closeGaugeDialogRequested, this,
            &GaugeDialogs::closeGaugeProperties);
    connect(form, &fs98::PanelWindowForm::zoomRequested, this, [this, w] { openMoveZoom(w); });
    connect(form, &fs98::PanelWindowForm::addGaugeRequested, this, [this, w] { openAddGauge(w); });
    connect(form, &fs98::PanelWindowForm::goToGaugeRequested, this,
            [this, w] { openGoToGauge(w); });
    connect(form, &fs98::PanelWindowForm::dragStatusChanged, this, &GaugeDialogs::statusMessage);
}

void GaugeDialogs::openGaugeProperties(int w, int g) {
    if (!fs98::isWindowSlot(w) || g < 0 ||
        g >= std::min(m_document.panel().window(w).gaugeCount, fs98::kGaugeSlots))
        return;
    closeGaugeProperties();
    m_editing.selectGauge(w, g);
    m_properties =
        new GaugePropertiesDialog(m_editing, m_document, m_app, m_dialogs, w, g, m_dialogParent);
    present(m_properties.data());
}

void GaugeDialogs::closeGaugeProperties() {
    closeNow(m_properties);
}

void GaugeDialogs::openAddGauge(int w) {
    closeNow(m_add);
    m_app.currentWindow = w;
    m_add = new AddGaugeDialog(m_document, m_app, m_dialogs, w, m_dialogParent);
    connect(m_add, &AddGaugeDialog::recomputeOptionChanged, this,
            &GaugeDialogs::recomputeOptionChanged);
    connect(m_add, &AddGaugeDialog::gaugeAdded, this,
            [this](int window, int g) { m_editing.selectGauge(window, g); });
    present(m_add.data());
}

void GaugeDialogs::openGoToGauge(int w) {
    closeNow(m_goTo);
    m_app.currentWindow = w;
    m_goTo = new GoToGaugeDialog(m_document, m_app, w, m_dialogParent);
    connect(m_goTo, &GoToGaugeDialog::gaugeChosen, this, &GaugeDialogs::openGaugeProperties);
    present(m_goTo.data());
}

void GaugeDialogs::openMoveZoom(int w) {
    closeNow(m_moveZoom);
    m_app.currentWindow = w;
    m_moveZoom = new MoveZoomDialog(m_document, m_app, w, m_dialogParent);
    connect(m_moveZoom, &MoveZoomDialog::placementChanged, this, &GaugeDialogs::reloadWindow);
    present(m_moveZoom.data());
}

void GaugeDialogs::closeAll() {
    closeNow(m_properties);
    closeNow(m_add);
    closeNow(m_goTo);
    closeNow(m_moveZoom);
}

// The window is drawn again as a new one, as the view command shows it.
void GaugeDialogs::reloadWindow(int w) {
    if (fs98::PanelWindowForm* form = m_panelForms.at(w)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) {
            sub->close();
            delete sub;
        } else {
            form->close();
            delete form;
        }
    }
    m_app.currentWindow = w;
    emit viewWindowRequested(w);
}

} // namespace cockpix
