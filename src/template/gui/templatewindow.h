#pragma once

// The template window ("PANEL TEMPLATE", objectName Form1): the table of the panel's nine
// windows, the [Default View] values, the palette options and the window count. Every edit
// goes straight into the panel model through WindowTable; setting a box from code runs the
// same handling as typing, which is how fillFromModel and the "Auto" commands store values.
//
// objectNames: rows Command1_i, Text1_i, Text2_i, Command4_i, Text3_i, Command3_i, Text4_i,
// Command6_i, Text5_i, Check3_i, Text7_i (i = 0..8); Text9..Text13, Label15, Label17,
// Check1, Check2, Command5, Command2. Headings: labelViewHeading ("Click to view with
// gauges"), labelTitleHeading, labelBitmapHeading, labelSizeHeading, labelRatioHeading,
// labelPositionHeading, labelVisibleHeading, labelIdentHeading; captions: labelViewX,
// labelViewY, labelViewSizeX, labelViewSizeY, labelThreshold, labelAddedColors,
// labelWindowCount. These 15 and Label15, Label17 are the 17 labels that take the template
// colour.

#include "panel/core/panelmodel.h"
#include "panel/core/panelwriter.h"
#include "template/core/windowtable.h"

#include <QList>
#include <QWidget>
#include <memory>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace cockpix {

class UserDialogs;
class ViewPalettePanel;
class WindowRow;

class TemplateWindow : public QWidget {
    Q_OBJECT
public:
    TemplateWindow(PanelModel& model, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TemplateWindow() override;

    // After Open: writes the model's windows 0..windowCount-1, the default view, the
    // threshold and both counts into the boxes; rows beyond the count are emptied without
    // touching the model. A size ratio of 0 in the panel's windows becomes 1.
    void fillFromModel();

    // The options the writer uses, from Check1 ("Save"/"Don't save") and Check2 ("Keep
    // all"/"Erase all").
    PaletteSaveOptions paletteSaveOptions() const;

    // Background of the window and its 17 labels = model.templateColor (0x00BBGGRR).
    void applyTemplateColor();

    // Set a row's box as the "Auto" commands and the bitmap chooser do; the box's normal
    // handling stores the value.
    void setSizeText(int w, const QString& text);
    void setRatioText(int w, const QString& text);
    void setBitmapText(int w, const QString& text);

    // Shows the optimizer's advised colour count (Label17) and keeps it in the model, where
    // the writer reads it.
    void setAdvisedColorCount(int count);

    // The whole table, so the MDI child opens showing every row; the scroll area takes over
    // on smaller screens.
    QSize sizeHint() const override;

    // The 17 labels coloured by applyTemplateColor.
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
    void connectRow(const WindowRow& row);
    void connectLowerPart();
    void fillRow(int w);
    void carryOut(QLineEdit* box, const EditOutcome& outcome);
    void showWindowCount();
    WindowRow& rowAt(int w) const;

    PanelModel& m_model;
    UserDialogs& m_dialogs;
    WindowTable m_table;
    std::vector<std::unique_ptr<WindowRow>> m_rows;
    ViewPalettePanel* m_lower = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_content = nullptr;
    QList<QLabel*> m_labels;
};

} // namespace cockpix
