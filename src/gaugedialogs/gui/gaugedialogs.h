#pragma once

#include "panel/gui/documentsfwd.h"
#include "panelwindows/gui/gaugeediting.h"
#include "state/core/appmodel.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace cockpix {

class AddGaugeDialog;
class GaugePropertiesDialog;
class GoToGaugeDialog;
class MoveZoomDialog;
namespace fs98 {
class PanelWindowForm;
}
class PanelWindowRegistry;
class UserDialogs;

// The gauge dialogs of the panel windows: the gauge properties (Form3, one at a time), add
// gauge (Form5), go to gauge (Form9) and move/zoom (Form15). Each panel window is attached as
// it is shown; its clicks and menu commands open the dialogs here, each for that window.
class GaugeDialogs : public QObject {
    Q_OBJECT
public:
    GaugeDialogs(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                 PanelWindowRegistry& panelForms, QWidget* dialogParent);
    ~GaugeDialogs() override;

    GaugeEditing& editing() { return m_editing; }
    GaugePropertiesDialog* propertiesDialog() const;
    AddGaugeDialog* addDialog() const;
    GoToGaugeDialog* goToDialog() const;
    MoveZoomDialog* moveZoomDialog() const;

public slots:
    // Listens to the gauge clicks and the menu commands of a panel window.
    void attach(fs98::PanelWindowForm* form);
    // Closes any open Form3, makes (w, g) the current window and gauge, selects the gauge
    // in panel window w and opens Form3 for it. Nothing for a g outside the window's gauges.
    void openGaugeProperties(int w, int g);
    void closeGaugeProperties();
    void openAddGauge(int w);
    void openGoToGauge(int w);
    void openMoveZoom(int w);
    void closeAll();

signals:
    // The place of a gauge being dragged, for the main window's status line (empty: clear).
    void statusMessage(const QString& text);
    // Form5's check box changed the "Always recompute bitmaps" option.
    void recomputeOptionChanged();
    // Form15's OK: panel window w is closed and a new one is to be shown for the slot.
    void viewWindowRequested(int w);

private:
    void reloadWindow(int w);

    fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    PanelWindowRegistry& m_panelForms;
    QWidget* m_dialogParent;
    GaugeEditing m_editing;

    QPointer<GaugePropertiesDialog> m_properties;
    QPointer<AddGaugeDialog> m_add;
    QPointer<GoToGaugeDialog> m_goTo;
    QPointer<MoveZoomDialog> m_moveZoom;
};

} // namespace cockpix
