#pragma once

#include "app/core/appmodel.h"
#include "base/core/colorref.h"
#include "base/gui/childmenuprovider.h"
#include "panel/core/panel.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <map>
#include <string>

class QAction;
class QMenu;
class QScrollArea;
class QTimer;

namespace cockpix {

class GaugeImage;
class PanelDocument;
struct PanelScene;
class PanelWindowRegistry;
class ProgressWindow;
class UserDialogs;

// Form2: one window section of the panel as FS98 puts it on the screen. The content is a
// frame exactly as large as the screen; the background sits in it at its position code and
// every gauge is drawn from the bitmap cut out of its module. While the window is the
// active MDI child, its "&Picture" and "&Gauges" menus replace the main window's (which
// keeps its "&Windows" list beside them). The window follows the panel document: a gauge
// edited, added, removed, undone or redone is drawn again at once.
class PanelWindowForm : public QWidget, public ChildMenuProvider {
    Q_OBJECT
public:
    PanelWindowForm(PanelDocument& document, AppModel& app, UserDialogs& dialogs, int w,
                    QWidget* parent = nullptr);
    ~PanelWindowForm() override;

    // panelForms, for the commands and the blinker that act on the current window's panel
    // window rather than on this one.
    void setRegistry(PanelWindowRegistry* registry) { m_registry = registry; }

    // Builds the window from the model: extraction pass, background, layout, drawing pass,
    // with every warning shown through the dialogs. Can be run again to rebuild.
    void load();

    int windowSlot() const { return m_w; }
    QList<QMenu*> childMenus() const override;

    GaugeImage* backgroundImage() const { return m_background; }
    GaugeImage* gaugeImage(int i) const;
    QWidget* frameWidget() const { return m_frame; }
    // The background colour the window shows (panelBackColor when it was loaded or
    // recoloured).
    QColor backColor() const;
    void setBackColor(ColorRef color);

    // Shows a hidden gauge image and hides a shown one (the blinker).
    void toggleGaugeVisibility(int i);

    QSize sizeHint() const override;

    // Scrolls the frame so that the panel picture is in view (the frame is as large as the
    // screen, the window often smaller).
    void scrollToPicture();

public slots:
    // One blinker tick; also adapts the timer to blinkState and blinkInterval.
    void blinkTick();
    // Restarts the blinker timer at once after blinkState or blinkInterval changed.
    void refreshBlinker();
    // "Pre&view at screen sizes...": this window on every FS98 screen size, side by side.
    void showScreenPreviews();

signals:
    // A click on gauge image i; currentGauge is already i. The gauge properties dialog
    // opens from here.
    void gaugeClicked(int i);
    // Every menu command first asks to close the gauge properties dialog.
    void closeGaugeDialogRequested();
    // "&Zoom...", "&Add..." and "&Go to gauge...": their dialogs open from here.
    void zoomRequested();
    void addGaugeRequested();
    void goToGaugeRequested();

private:
    void buildFrame();
    void buildMenus();
    QAction* addMenuAction(QMenu* menu, const char* name, const QString& text,
                           const QKeySequence& shortcut);
    void updateMenuStates(int n);
    void placeScene(const PanelScene& scene);
    // Places gauge image i from the panel and the display data; hides it when i is not a
    // gauge of the window.
    void placeGauge(int i);
    // The gauges moved between slots (added, removed, undone): every image takes the picture
    // of its slot's gauge again.
    void showGauges();
    QImage gaugePicture(int i);

    void onGaugeChanged(int w, int g);
    void onGaugesChanged(int w);
    void onGaugeClicked(int i);
    void chooseBackColor();
    void resetToBlack();
    void closeWindow();

    PanelDocument& m_document;
    AppModel& m_app;
    UserDialogs& m_dialogs;
    const int m_w;
    PanelWindowRegistry* m_registry = nullptr;

    QScrollArea* m_scroll = nullptr;
    QWidget* m_frame = nullptr;
    GaugeImage* m_background = nullptr;
    std::array<GaugeImage*, kGaugeSlots> m_gauges{};
    QTimer* m_blinkTimer = nullptr;

    QMenu* m_pictureMenu = nullptr;
    QMenu* m_gaugeMenu = nullptr;
    QAction* m_addAction = nullptr;
    QAction* m_goAction = nullptr;

    // The pictures of the gauges shown so far, by module name: a gauge that comes back by
    // an undo is drawn without reading its bitmap again.
    std::map<std::string, QImage> m_pictures;
    // The colour chooser's own colour, as it was last picked in this window (black in a
    // freshly loaded one): a cancelled chooser applies it again.
    ColorRef m_chooserColor = 0;
    bool m_loading = false;
};

} // namespace cockpix
