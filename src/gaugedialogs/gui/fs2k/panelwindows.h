#pragma once

// The panel windows of an fs2k panel, one per window or virtual cockpit section at most:
// shown in the MDI area when asked (from the template's table or the Windows menu), brought
// to the front when already open. It gives them their gauge pictures and opens their gauge
// properties, Go to gauge and the move/zoom dialog, whose zoom and shift it keeps in
// app.display.

#include "drawing/gui/fs2k/windowscene.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QMdiArea;

namespace cockpix {
class MoveZoomDialog;
class UserDialogs;
} // namespace cockpix

namespace cockpix::fs2k {

class GaugePropertiesDialog;
class PanelWindowForm;

class PanelWindows : public QObject {
    Q_OBJECT
public:
    PanelWindows(fs2k::Document& document, AppModel& app, UserDialogs& dialogs, QMdiArea* area,
                 QObject* parent = nullptr);

    // Where the windows take their gauges' pictures from; by default as FS finds them, in
    // the panel folder, then the gauges folder, each module read once until it changes.
    void setPictureLookup(PictureLookup lookup) { m_pictures = std::move(lookup); }

    // The open window of the section at index in Panel::windows, or null.
    PanelWindowForm* at(std::size_t window) const;
    // Shows that window, opening it first when needed; null when there is no such section.
    PanelWindowForm* show(std::size_t window);

    // The properties of gauge i of the form's window; one dialog at a time.
    void openProperties(PanelWindowForm* form, int i);
    // Asks for a gauge of the form's window from a list, selects it and opens its
    // properties.
    void goToGauge(PanelWindowForm* form);
    // Opens the chooser of gauges to add to the form's window (of MSFS instruments or
    // paintings where the window takes those: kindToAdd); the gauge added is selected.
    void addGauge(PanelWindowForm* form);
    GaugePropertiesDialog* propertiesDialog() const;
    // The move/zoom dialog of the form's window; one at a time. OK keeps its zoom and shift
    // and draws the window again.
    void openMoveZoom(PanelWindowForm* form);
    MoveZoomDialog* moveZoomDialog() const;

signals:
    void windowShown(PanelWindowForm* form);
    // A gauge being dragged in one of the windows, for the status line; empty at the end.
    void statusMessage(const QString& text);

private:
    void addInstrument(PanelWindowForm* form, GaugeLineKind kind,
                       const std::vector<std::string>& instrumentDirs);

    fs2k::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QMdiArea* m_area;
    GaugePictures m_gaugePictures;
    PictureLookup m_pictures;
    QList<QPointer<PanelWindowForm>> m_forms;
    QPointer<GaugePropertiesDialog> m_properties;
    QPointer<MoveZoomDialog> m_moveZoom;
};

} // namespace cockpix::fs2k
