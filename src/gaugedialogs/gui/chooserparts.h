#pragma once

// The scaffolding the list-plus-picture choosers share (Add gauge, Go to gauge, the
// background choosers): a modeless dialog deleted when closed, a named list, a named
// snapshot and the OK / Cancel row, each with its objectName and accessible name.

#include <QString>

class QDialog;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QWidget;

namespace cockpix {

// Modeless and deleted when closed; objectName may be null.
void setUpChooser(QDialog& dialog, const char* objectName, const QString& title);

// The list; toolTip, when given, is its accessible description too.
QListWidget* chooserList(QWidget* parent, const char* objectName, const QString& accessibleName,
                         const QString& toolTip = {});

// Hides the entries that do not hold text (case ignored; all shown for an empty text). A
// chosen entry the filter hides is no longer the one OK takes.
void filterChooserList(QListWidget& list, const QString& text);

// Makes the entry that reads exactly text the chosen one; false when there is none.
bool chooseListEntry(QListWidget& list, const QString& text);

// A label with its objectName.
QLabel* chooserLabel(QWidget* parent, const char* objectName, const QString& text);

// The snapshot, named for screen readers by its caption.
QLabel* chooserSnapshot(QWidget* parent, const char* objectName, const QString& caption);

// "OK" and "Cancel" side by side in row; Cancel closes the dialog.
struct OkCancelRow {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QHBoxLayout* row = nullptr;
};
OkCancelRow okCancelRow(QDialog& dialog, const char* okName = "Command1",
                        const char* cancelName = "Command2");

} // namespace cockpix
