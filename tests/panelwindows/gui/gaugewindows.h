#pragma once

// What the tests of the gauge editing need: a private copy of the demo installation opened
// into a document, scripted dialogs, an MDI area that shows panel windows as the view
// command does (newest in panelForms, attached to the gauge dialogs), and helpers to press,
// drag and type as a user does.

#include "guisupport/scripteddialogs.h"
#include "panelwindows/gui/demopanel.h"

#include "gaugedialogs/gui/gaugedialogs.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelview.h"
#include "panelwindows/gui/panelwindowregistry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QUndoStack>

#include <memory>

namespace cockpix {

struct GaugeWindows {
    std::unique_ptr<DemoPanel> demo = std::make_unique<DemoPanel>();
    AppModel app;
    fs98::Document document;
    ScriptedDialogs dialogs;
    std::unique_ptr<QMdiArea> area;
    PanelWindowRegistry registry;
    std::unique_ptr<GaugeDialogs> gaugeDialogs;

    // The demo opened, an area shown, no window yet.
    bool start() {
        if (!demo->isValid() || !demo->open(document, app))
            return false;
        area = std::make_unique<QMdiArea>();
        area->resize(1100, 900);
        area->show();
        gaugeDialogs = std::make_unique<GaugeDialogs>(document, app, dialogs, registry, area.get());
        QObject::connect(gaugeDialogs.get(), &GaugeDialogs::viewWindowRequested, area.get(),
                         [this](int w) { show(w); });
        return QTest::qWaitForWindowExposed(area.get());
    }
    // Puts panel into the document as an Open would (no history).
    void replace(const fs98::Panel& panel) { document.replacePanel(panel, document.filePath()); }

    // As the view command does it: a new window in the area, newest in panelForms.
    fs98::PanelWindowForm* show(int w) {
        app.currentWindow = w;
        auto* form = new fs98::PanelWindowForm(document, app, dialogs, w);
        form->setRegistry(&registry);
        registry.set(w, form);
        QMdiSubWindow* sub = area->addSubWindow(form);
        form->load();
        sub->resize(1060, 860);
        sub->show();
        area->setActiveSubWindow(sub);
        form->setFocus();
        gaugeDialogs->attach(form);
        return form;
    }

    static QAction* action(fs98::PanelWindowForm* form, const char* name) {
        return form->findChild<QAction*>(QString::fromLatin1(name));
    }
    static QPoint centreOf(fs98::PanelWindowForm* form, int g) {
        return form->gaugePicture(g).geometry.center();
    }
    static void click(fs98::PanelWindowForm* form, int g) {
        QTest::mouseClick(form->view(), Qt::LeftButton, {}, centreOf(form, g));
    }
    // Presses at from, moves to from + delta in a few steps, releases there.
    static void drag(QWidget* view, QPoint from, QPoint delta) {
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(view, from + delta * step / 4);
        QTest::mouseRelease(view, Qt::LeftButton, {}, from + delta);
    }
    // A double click as the window system delivers it: press and release, then the second
    // press; an item view only acts on a double click at the item it saw pressed.
    static void doubleClick(QAbstractItemView* view, QPoint at) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // Selects the text of a box and types text into it, as a user does.
    static void typeInto(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    int steps() const { return document.undoStack()->count(); }
    QString lastStep() const { return document.undoStack()->undoText(); }
};

} // namespace cockpix
