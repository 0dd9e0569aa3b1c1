#pragma once

#include "panel/core/fs98/edits.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace cockpix {

class GaugeEditing;
class UserDialogs;

// Form3, the gauge properties of gauge g of window w: X, Y and S with their scroll bars and
// their values in background pixels, the blink period D, the blinker switch and "REMOVE FROM
// PANEL". Every box hands its value to GaugeEditing as it changes; a bar that moves writes
// its whole number back into its box (which runs the box's handling), as the FS98-era tool
// did. Edits made elsewhere (a drag, the keys, undo) are shown without running the handling.
// A position or size FS98 cannot place, and a character the panel cannot hold, are refused
// with a message and the box keeps the gauge's value.
//
// objectNames: Text1 (X), Text2 (X pixels), Text3 (Y), Text4 (Y pixels), Text5 (S), Text6
// (width pixels), Text7 (height pixels), Text8 (D); HScroll1 (X), HScroll2 (Y), HScroll3
// (S), HScroll4 (D); Check1 (blinker), Command1 (remove).
class GaugePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    GaugePropertiesDialog(GaugeEditing& editing, const fs98::Document& document, AppModel& app,
                          UserDialogs& dialogs, int w, int g, QWidget* parent = nullptr);
    ~GaugePropertiesDialog() override;

    int windowSlot() const { return m_w; }
    int gaugeIndex() const { return m_g; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        QLineEdit* box = nullptr;
        QScrollBar* bar = nullptr;
    };

    void build();
    Row addRow(int row, const char* label, int box, int bar);
    QLineEdit* addDisplayRow(int row, const char* label, int box);
    void connectRows();
    void connectBar(const Row& row);
    void fillFromModel();

    // A typed value FS98 cannot place: the message, and the box shows the gauge's value.
    bool refusesPlace(const Row& row, fs98::GaugeField field, double value);
    void onXText(const QString& text);
    void onYText(const QString& text);
    void onSizeText(const QString& text);
    void onBlinkText(const QString& text);
    void onBlinker();
    void onRemove();
    void showPositionPixels();
    void showSizePixels();
    // A drag, a key or undo changed the gauge: the boxes and bars show it.
    void onGaugeChanged(int w, int g);

    GaugeEditing& m_editing;
    const fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    const int m_w;
    const int m_g;

    Row m_x, m_y, m_size, m_blink;
    QLineEdit* m_xPixels = nullptr;
    QLineEdit* m_yPixels = nullptr;
    QLineEdit* m_widthPixels = nullptr;
    QLineEdit* m_heightPixels = nullptr;
    QCheckBox* m_blinker = nullptr;
    QPushButton* m_remove = nullptr;
    int m_ownEdits = 0; // > 0 while the dialog's own handling hands an edit over
};

} // namespace cockpix
