#pragma once

#include "app/core/appmodel.h"
#include "gauges/gui/latergaugepictures.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace cockpix {

class PanelDocument;

// "Go to gauge..." for a window of a panel of FS2000 and later: its gauges in line order as
// "gauge #N : module!gauge" (N the number of its gaugeNN line, as the panel window names
// them to screen readers), the picture of the one clicked, and OK or a double click to
// reach it. It reaches a gauge hidden behind others or too small to click. The list is
// read again after each edit of the panel; the dialog deletes itself when closed and
// closes when the panel is replaced or the window is gone.
//
// windowIndex is the window's place in LaterPanel::windows.
//
// objectNames: List1, Image1 (the snapshot), Label1, Label2, Command2 (OK), Command1
// (Cancel).
class LaterGoToGaugeDialog : public QDialog {
    Q_OBJECT
public:
    LaterGoToGaugeDialog(const PanelDocument& document, const AppModel& app, int windowIndex,
                         QWidget* parent = nullptr);

    int windowIndex() const { return m_window; }
    // OK: emits gaugeChosen for the selected line and closes; nothing without one.
    void confirm();

signals:
    // gaugeIndex is the gauge's place in LaterWindow::gauges.
    void gaugeChosen(int windowIndex, int gaugeIndex);

private:
    void build();
    void fillList();
    void showSnapshot(int g);

    const PanelDocument& m_document;
    const AppModel& m_app;
    const int m_window;
    LaterGaugePictures m_pictures;
    QListWidget* m_list = nullptr;
    QLabel* m_snapshot = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace cockpix
