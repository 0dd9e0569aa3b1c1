#pragma once

#include "gaugedialogs/core/gaugeaddition.h"
#include "gaugedialogs/gui/chooserparts.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>

#include <functional>

class QCheckBox;

namespace cockpix {

class UserDialogs;

// Form5, "Select Gauge to add...": the gauge modules of the gauges directory; a click picks
// one (refused when the panel uses it already, its picture cut out and shown), OK or a
// double click appends it to window w at X = Y = 0 with its natural size, as one undo step.
// The check box is the main window's "Always recompute bitmaps" option.
//
// objectNames: File1 (the module list), Picture1 (the snapshot), Check1, Command1 (OK),
// Command2 (Cancel).
class AddGaugeDialog : public QDialog {
    Q_OBJECT
public:
    AddGaugeDialog(fs98::Document& document, AppModel& app, UserDialogs& dialogs, int w,
                   QWidget* parent = nullptr);

    int windowSlot() const { return m_w; }
    // The pick: as a click on moduleFile in the list does.
    void previewGaugeModule(const QString& moduleFile);
    // Appends the pending pick to the window and closes the dialog; nothing without a pick
    // that was not refused.
    void addGauge();
    const GaugePick& pick() const { return m_pick; }
    // Runs at every checkpoint of a pick, after the progress window's turn: tests make a
    // pick slow with it.
    void setPickStepHook(std::function<void()> hook) { m_pickStepHook = std::move(hook); }

signals:
    // Gauge g was appended to window w: it becomes the selected gauge.
    void gaugeAdded(int w, int g);
    // The check box changed app.options.alwaysRecomputeBitmaps: the main window's option
    // pair shows it.
    void recomputeOptionChanged();

private:
    void build();
    void showSnapshot();
    void onRecomputeToggled(bool checked);

    fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    const int m_w;
    GaugePick m_pick; // addSelectedFile, addSelectedBitmap, addCancelled
    std::function<void()> m_pickStepHook;
    bool m_added = false;

    QListWidget* m_list = nullptr;
    QLabel* m_snapshot = nullptr;
    QCheckBox* m_recompute = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace cockpix
