#pragma once

#include "drawing/gui/fs2k/gaugepictures.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "gaugefiles/core/fs2k/gaugelist.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;

namespace cockpix {
class UserDialogs;
} // namespace cockpix

namespace cockpix::fs2k {

// "Select Gauge to add..." for a window of a panel of FS2000 and later: the gauges FS would
// find (listGauges: the panel folder, then the gauges directory), a box that filters
// them as one types, the picture of the one clicked (or its name and why it has none), and
// OK or a double click to add it to the window at 0, 0 with its picture's own size in panel
// units, as one undo step ("Add gauge"). A gauge without a picture is added without a size:
// FS then shows it at whatever size its module gives it.
//
// windowIndex is the window's place in Panel::windows. The dialog deletes itself when
// closed, and closes when the panel is replaced or the window is gone.
//
// objectNames: Filter1 (the filter box), File1 (the gauge list), Picture1 (the snapshot),
// Label3 (what and where the chosen gauge is), Label4 (a list cut short, unreadable
// cabinets), Command1 (OK), Command2 (Cancel).
class AddGaugeDialog : public QDialog {
    Q_OBJECT
public:
    AddGaugeDialog(fs2k::Document& document, const AppModel& app, UserDialogs& dialogs,
                   int windowIndex, QWidget* parent = nullptr);

    int windowIndex() const { return m_window; }
    // What was found, in the list's order (the filter hides lines, it removes none).
    const GaugeList& gauges() const { return m_gauges; }
    // As a click on the line of that name: shows its picture; false when no line has it.
    bool chooseGauge(const QString& name);
    // OK: adds the chosen gauge and closes; nothing without a choice.
    void addChosenGauge();

signals:
    // Gauge gaugeIndex (its place in Window::gauges) was added to window windowIndex.
    void gaugeAdded(int windowIndex, int gaugeIndex);

private:
    void build();
    void fillList();
    void applyFilter(const QString& text);
    void showChosen();
    std::string panelDir() const;
    // The gauges folders FS searches after the panel folder, in order.
    std::vector<std::string> gaugesDirs() const;

    fs2k::Document& m_document;
    const AppModel& m_app;
    UserDialogs& m_dialogs;
    const int m_window;
    GaugeList m_gauges;
    GaugePictures m_pictures;
    QImage m_chosenPicture;
    bool m_added = false;

    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_snapshot = nullptr;
    QLabel* m_what = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace cockpix::fs2k
