#include "app/gui/clipboardcommands.h"

#include "app/gui/mainmenu.h"
#include "panelwindows/gui/gaugeclipboardtarget.h"
#include "panelwindows/gui/panelview.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace cockpix {

ClipboardCommands::ClipboardCommands(MainMenu& menu, QMdiArea* area, QObject* parent)
    : QObject(parent), m_menu(menu), m_area(area) {
    connect(m_menu.cut, &QAction::triggered, this, &ClipboardCommands::cut);
    connect(m_menu.copy, &QAction::triggered, this, &ClipboardCommands::copy);
    connect(m_menu.paste, &QAction::triggered, this, &ClipboardCommands::paste);
    connect(m_area, &QMdiArea::subWindowActivated, this, &ClipboardCommands::watchCurrentWindow);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &ClipboardCommands::updateStates);
    updateStates();
}

GaugeClipboardTarget* ClipboardCommands::target() const {
    // The current window stays the one while the main window is not the active one (a
    // dialog or another program in front).
    const QMdiSubWindow* current = m_area->currentSubWindow();
    return current ? dynamic_cast<GaugeClipboardTarget*>(current->widget()) : nullptr;
}

void ClipboardCommands::watchCurrentWindow() {
    disconnect(m_selectionWatch);
    if (GaugeClipboardTarget* window = target())
        m_selectionWatch = connect(window->view(), &PanelView::hasSelectionChanged, this,
                                   &ClipboardCommands::updateStates);
    updateStates();
}

void ClipboardCommands::updateStates() {
    const GaugeClipboardTarget* window = target();
    const bool selected = window && !window->view()->selection().empty();
    m_menu.cut->setEnabled(selected);
    m_menu.copy->setEnabled(selected);
    m_menu.paste->setEnabled(window && clipboardHoldsText());
}

void ClipboardCommands::cut() {
    if (GaugeClipboardTarget* window = target())
        window->cutGauges();
    updateStates();
}

void ClipboardCommands::copy() {
    if (GaugeClipboardTarget* window = target())
        window->copyGauges();
    updateStates();
}

void ClipboardCommands::paste() {
    if (GaugeClipboardTarget* window = target())
        window->pasteGauges();
    updateStates();
}

} // namespace cockpix
