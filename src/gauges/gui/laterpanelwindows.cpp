#include "gauges/gui/laterpanelwindows.h"

#include "base/gui/userdialogs.h"
#include "gauges/gui/lateraddgaugedialog.h"
#include "gauges/gui/latergaugepropertiesdialog.h"
#include "gauges/gui/laterpanelwindow.h"
#include "panel/gui/paneldocument.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace cockpix {

LaterPanelWindows::LaterPanelWindows(PanelDocument& document, const AppModel& app,
                                     UserDialogs& dialogs, QMdiArea* area, QObject* parent)
    : QObject(parent), m_document(document), m_app(app), m_dialogs(dialogs), m_area(area) {
    // The folders as they are when a window is drawn: the directories may change between.
    m_pictures = [this](const std::vector<std::string_view>& names) {
        return m_gaugePictures.pictures(names, m_app.dirs.panelDir, m_app.dirs.gaugesDir);
    };
}

LaterPanelWindowForm* LaterPanelWindows::at(std::size_t window) const {
    for (const QPointer<LaterPanelWindowForm>& form : m_forms) {
        if (form && form->isVisible() && form->windowIndex() == window)
            return form;
    }
    return nullptr;
}

LaterPanelWindowForm* LaterPanelWindows::show(std::size_t window) {
    if (!m_document.isLater() || window >= m_document.laterPanel().windows.size())
        return nullptr;
    if (LaterPanelWindowForm* open = at(window)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget()))
            m_area->setActiveSubWindow(sub);
        open->setFocus();
        return open;
    }
    m_forms.removeAll(nullptr);
    auto* form =
        new LaterPanelWindowForm(m_document, m_dialogs, window, m_pictures, m_app.dirs.panelDir);
    m_forms.append(form);
    connect(form, &LaterPanelWindowForm::propertiesRequested, this,
            [this, form](int i) { openProperties(form, i); });
    connect(form, &LaterPanelWindowForm::goToGaugeRequested, this,
            [this, form] { goToGauge(form); });
    connect(form, &LaterPanelWindowForm::addGaugeRequested, this, [this, form] { addGauge(form); });
    connect(form, &LaterPanelWindowForm::dragStatusChanged, this,
            &LaterPanelWindows::statusMessage);
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

LaterGaugePropertiesDialog* LaterPanelWindows::propertiesDialog() const {
    return m_properties;
}

void LaterPanelWindows::openProperties(LaterPanelWindowForm* form, int i) {
    const LaterWindowScene& scene = form->scene();
    if (i < 0 || i >= int(scene.gauges.size()))
        return;
    if (m_properties)
        m_properties->close();
    m_properties = new LaterGaugePropertiesDialog(
        m_document, m_dialogs, scene.gauges[static_cast<std::size_t>(i)].line, form);
    m_properties->setAttribute(Qt::WA_DeleteOnClose);
    m_properties->setWindowFlag(Qt::Dialog);
    m_properties->show();
    m_properties->raise();
    m_properties->activateWindow();
}

void LaterPanelWindows::addGauge(LaterPanelWindowForm* form) {
    auto* dialog = new LaterAddGaugeDialog(m_document, m_app, m_dialogs,
                                           static_cast<int>(form->windowIndex()), form);
    dialog->setWindowFlag(Qt::Dialog);
    QPointer<LaterPanelWindowForm> target(form);
    connect(dialog, &LaterAddGaugeDialog::gaugeAdded, this, [target](int, int gauge) {
        if (target)
            target->selectGauge(gauge);
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void LaterPanelWindows::goToGauge(LaterPanelWindowForm* form) {
    const LaterWindowScene& scene = form->scene();
    if (scene.gauges.empty())
        return;
    ListChoiceRequest request;
    request.caption = tr("Go to gauge");
    request.label = form->windowTitle();
    for (const LaterSceneGauge& gauge : scene.gauges)
        request.items << gauge.label;
    request.current = std::max(form->selectedGauge(), 0);
    const std::optional<int> chosen = m_dialogs.chooseFromList(request);
    if (!chosen || *chosen < 0 || *chosen >= int(scene.gauges.size()))
        return;
    form->selectGauge(*chosen);
    openProperties(form, *chosen);
}

} // namespace cockpix
