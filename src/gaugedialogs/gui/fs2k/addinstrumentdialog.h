#pragma once

#include "gaugefiles/core/fs2k/instrumentlist.h"
#include "panel/core/fs2k/panel.h"
#include "panel/gui/documentsfwd.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace cockpix {
class UserDialogs;
} // namespace cockpix

namespace cockpix::fs2k {

// "Add instrument" for a [VCockpitNN] ("Add painting" for a [VPaintingNN]): the instruments
// the installation holds (listInstruments), a box that filters them as one types, and the
// path box that a click fills and that takes any path and query typed. OK or a double click
// adds an htmlgaugeNN= (paintingNN=) line at 0, 0 as large as the section's units, as one
// undo step ("Add gauge").
//
// objectNames: Filter1 (the filter), File1 (the list), laterPath (the path and query),
// Label4 (notes on the list), Command1 (OK), Command2 (Cancel). The dialog deletes itself
// when closed, and closes when the panel is replaced or the window is gone.
class AddInstrumentDialog : public QDialog {
    Q_OBJECT
public:
    AddInstrumentDialog(fs2k::Document& document, UserDialogs& dialogs, int windowIndex,
                        GaugeLineKind kind, const InstrumentList& instruments,
                        QWidget* parent = nullptr);

    // As a click on the line of that path; false when no line has it.
    bool chooseInstrument(const QString& path);
    // OK: adds what the path box says and closes; a message when nothing can be added.
    void addInstrument();

signals:
    // Gauge gaugeIndex (its place in Window::gauges) was added to window windowIndex.
    void gaugeAdded(int windowIndex, int gaugeIndex);

private:
    void build(const InstrumentList& instruments);
    void applyFilter(const QString& text);

    fs2k::Document& m_document;
    UserDialogs& m_dialogs;
    const int m_window;
    const GaugeLineKind m_kind;
    bool m_added = false;

    QLineEdit* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_path = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace cockpix::fs2k
