#pragma once

// The template window ("PANEL TEMPLATE", objectName Form1): the table of the panel's nine
// windows, the [Default View] values, the palette options and the window count. Every box
// goes through WindowTable's rules and hands the edit to the panel document; setting a box
// from code runs the same handling as typing, which is how fillFromModel and the "Auto"
// commands store values. Edits that come from elsewhere (undo, redo, the outside-view tool)
// are shown in the boxes without running their handling.
//
// objectNames: rows Command1_i, Text1_i, Text2_i, Command4_i, Text3_i, Command3_i, Text4_i,
// Command6_i, Text5_i, Check3_i, Text7_i (i = 0..8); Text9..Text13, Label15, Label17,
// Check1, Check2, Command5, Command2. Headings: labelViewHeading ("Click to view with
// gauges"), labelTitleHeading, labelBitmapHeading, labelSizeHeading, labelRatioHeading,
// labelPositionHeading, labelVisibleHeading, labelIdentHeading; captions: labelViewX,
// labelViewY, labelViewSizeX, labelViewSizeY, labelThreshold, labelAddedColors,
// labelWindowCount. These 15, Label15, Label17 and the fs2k panel's note (laterNote) are the
// 18 labels that take the template colour.

#include "panel/core/fs98/edits.h"
#include "panel/core/fs98/panel.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"
#include "template/core/fs98/windowtable.h"

#include <QList>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace cockpix {

class UserDialogs;
class ViewPalettePanel;
namespace fs2k {
class WindowTable;
}
namespace fs98 {
class WindowRow;
}

class TemplateWindow : public QWidget {
    Q_OBJECT
public:
    TemplateWindow(PanelDocuments& documents, AppModel& app, UserDialogs& dialogs,
                   QWidget* parent = nullptr);
    ~TemplateWindow() override;

    // After Open: writes the panel's windows 0..windowCount-1, the default view, the
    // threshold and both counts into the boxes, each running its handling; rows beyond the
    // count are emptied without touching the panel.
    void fillFromModel();

    // Background of the window and its 18 labels = app.templateColor (0x00BBGGRR).
    void applyTemplateColor();

    // Sets a row's bitmap name box as the bitmap chooser does; the box's handling stores
    // the name, as one undo step of its own.
    void setBitmapText(int w, const QString& text);
    // An "Auto" button: stores the size or ratio of edit.row, then writes text (when given)
    // into that box, whose handling stores it again; one undo step in all.
    void applyAuto(const fs98::WindowEdit& edit, const std::optional<QString>& text);
    // The text of a row's bitmap name box, as typed.
    QString bitmapText(int w) const;
    // The text of the threshold box, as typed (the optimizer reads its number as it is).
    QString thresholdText() const;

    // The whole table, so the MDI child opens showing every row; the scroll area takes over
    // on smaller screens.
    QSize sizeHint() const override;

    // The table shown instead of the nine rows for a panel of FS2000 and later.
    fs2k::WindowTable* fs2kTable() const { return m_fs2kTable; }

    // The 18 labels coloured by applyTemplateColor.
    const QList<QLabel*>& colouredLabels() const { return m_labels; }

signals:
    void viewWindowRequested(int w);      // Command1(w)
    void sizeFromBitmapRequested(int w);  // Command3(w) "Auto" (size)
    void bitmapListRequested(int w);      // Command4(w) "List"
    void ratioFromBitmapRequested(int w); // Command6(w) "Auto" (ratio)
    void outsideViewRequested();          // Command2
    void paletteOptimizerRequested();     // Command5

private:
    void buildTable(QGridLayout& grid, QWidget* content);
    void addHeading(QGridLayout& grid, QWidget* content, const char* name, const QString& text,
                    int column, int span = 1);
    void connectRow(const fs98::WindowRow& row);
    void connectLowerPart();
    void connectDocument();
    void fillRow(int w);
    void carryOut(QLineEdit* box, const fs98::EditOutcome& outcome);
    void storeOwn(const fs98::WindowEdit& edit);
    void showWindowCount();
    fs98::WindowRow& rowAt(int w) const;

    // The document changed a row, the default view or the palette choices: the boxes whose
    // value changed show the new one (their handling does not run).
    void onWindowChanged(int w);
    void onDefaultViewChanged();
    void onPaletteChanged();
    void rememberRow(int w);
    void showFormat();

    // The FS98 panel the rows edit; an fs2k panel's document for the table.
    PanelDocuments& m_documents;
    fs98::Document& m_document;
    fs2k::Document& m_fs2kDocument;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    fs98::WindowTable m_table;
    // The values of each row as the boxes last showed or stored them, so that an edit made
    // elsewhere refreshes only the boxes it changed.
    std::array<std::array<fs98::WindowFieldValue, 7>, fs98::kWindowSlots> m_shownRows;
    fs98::DefaultView m_shownView;
    int m_ownEdits = 0; // > 0 while the template's own handling hands an edit over
    std::vector<std::unique_ptr<fs98::WindowRow>> m_rows;
    ViewPalettePanel* m_lower = nullptr;
    fs2k::WindowTable* m_fs2kTable = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_content = nullptr;
    QList<QLabel*> m_labels;
};

} // namespace cockpix
