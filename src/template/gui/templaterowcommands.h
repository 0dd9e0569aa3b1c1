#pragma once

#include "panel/gui/documentsfwd.h"
#include "panelwindows/gui/panelwindowregistry.h"
#include "state/core/appmodel.h"

#include <QObject>
#include <QPointer>

class QMdiArea;

namespace cockpix {

class BackgroundChooser;
namespace fs98 {
class PanelWindowForm;
}
class TemplateWindow;
class UserDialogs;

// The template row buttons that open or measure a window: "Window 0x" shows the panel
// window of that row in the MDI area, "List" opens the background bitmap chooser (Form8)
// for the row, the two "Auto" buttons take the size and the size ratio from the row's
// background bitmap. Owns panelForms, the newest panel window of each row.
class TemplateRowCommands : public QObject {
    Q_OBJECT
public:
    TemplateRowCommands(fs98::Document& document, AppModel& app, UserDialogs& dialogs,
                        QMdiArea* area, QObject* parent = nullptr);

    PanelWindowRegistry& panelForms() { return m_panelForms; }
    // Listens to the "List" and "Auto" buttons of this template window; the view button goes
    // through the main window.
    void attach(TemplateWindow* templateWindow);

public slots:
    // Loads and shows a new panel window for row w; null when the row cannot be shown (the
    // message has been given).
    fs98::PanelWindowForm* viewWindow(int w);
    void sizeFromBitmap(int w);
    void ratioFromBitmap(int w);
    // Makes w the current window and opens the background chooser for it; its choice goes
    // into the row's bitmap box, whose handling stores it.
    void listBitmaps(int w);
    BackgroundChooser* bitmapChooser() const;

signals:
    // A panel window was loaded and shown; the gauge dialogs hook in here.
    void panelWindowShown(fs98::PanelWindowForm* form);

private:
    fs98::PanelWindowForm* loadNewWindow(int w);
    QString bitmapBoxText(int w) const;

    fs98::Document& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    QMdiArea* m_area;
    QPointer<TemplateWindow> m_template;
    QPointer<BackgroundChooser> m_chooser;
    PanelWindowRegistry m_panelForms;
};

} // namespace cockpix
