#pragma once

#include "palette/gui/paletteoptimizerdialog.h"
#include "panel/gui/documentsfwd.h"
#include "state/core/appmodel.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace cockpix {

class OutsideViewTool;
class TemplateWindow;
class UserDialogs;

// The template's two tool buttons: "PALETTE OPTIMIZER 2" opens the optimizer dialog and
// "OUTSIDE-VIEW SIZING TOOL" the outside-view tool, both only while the panel has a
// window. Their windows are children of the main window and close when another panel is
// opened or a new one started.
class TemplateToolCommands : public QObject {
    Q_OBJECT
public:
    TemplateToolCommands(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                         QWidget* parentWindow, QObject* parent = nullptr);

    // Listens to the tool buttons of this template window, and reads its threshold box.
    void attach(TemplateWindow* templateWindow);

    PaletteOptimizerDialog* optimizerDialog() const { return m_optimizer; }
    OutsideViewTool& outsideView() const { return *m_outsideView; }

public slots:
    void openPaletteOptimizer();
    void openOutsideView();
    void closeToolWindows();

private:
    QString toleranceText() const;

    fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QWidget* m_parentWindow;
    QPointer<TemplateWindow> m_template;
    QPointer<PaletteOptimizerDialog> m_optimizer;
    OutsideViewTool* m_outsideView;
};

} // namespace cockpix
