#pragma once

#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace cockpix {

// Form9, "Go to gauge...": the gauges of window w by module name, in gauge order (the line
// is the gauge's index, so two gauges of one module are told apart), the picture of the one
// clicked at its own size, and OK or a double click to open its properties. It reaches a
// gauge hidden behind others or too small to click.
//
// objectNames: List1, Image1 (the snapshot), Label1, Label2, Command2 (OK), Command1
// (Cancel).
class GoToGaugeDialog : public QDialog {
    Q_OBJECT
public:
    GoToGaugeDialog(const fs98::Document& document, AppModel& app, int w,
                    QWidget* parent = nullptr);

    int windowSlot() const { return m_w; }
    // OK: currentGauge = the selected line (-1 for none); with a line, asks for its
    // properties and closes.
    void confirm();

signals:
    void gaugeChosen(int w, int g);

private:
    void build();
    void showSnapshot(int g);

    const fs98::Document& m_document;
    AppModel& m_app;
    const int m_w;
    QListWidget* m_list = nullptr;
    QLabel* m_snapshot = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace cockpix
