#include "template/gui/templaterowcommands.h"

#include "base/gui/modeltext.h"
#include "base/gui/screen.h"
#include "base/gui/userdialogs.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "template/core/fs98/rowcommands.h"
#include "template/gui/backgroundchooser.h"
#include "template/gui/templatewindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <exception>

namespace cockpix {

TemplateRowCommands::TemplateRowCommands(fs98::Document& document, AppModel& app,
                                         UserDialogs& dialogs, QMdiArea* area, QObject* parent)
    : QObject(parent), m_document(document), m_app(app), m_dialogs(dialogs), m_area(area) {}

void TemplateRowCommands::attach(TemplateWindow* templateWindow) {
    m_template = templateWindow;
    connect(templateWindow, &TemplateWindow::sizeFromBitmapRequested, this,
            &TemplateRowCommands::sizeFromBitmap);
    connect(templateWindow, &TemplateWindow::ratioFromBitmapRequested, this,
            &TemplateRowCommands::ratioFromBitmap);
    connect(templateWindow, &TemplateWindow::bitmapListRequested, this,
            &TemplateRowCommands::listBitmaps);
}

void TemplateRowCommands::listBitmaps(int w) {
    if (!fs98::isWindowSlot(w) || !m_template)
        return;
    if (m_chooser) {
        m_chooser->close();
        delete m_chooser.data();
    }
    m_app.currentWindow = w;
    // A child of the template: closing the template takes the chooser with it.
    m_chooser = new BackgroundChooser(m_app.dirs.panelDir, w, m_template);
    m_chooser->setWindowFlag(Qt::Dialog);
    connect(m_chooser, &BackgroundChooser::bitmapChosen, this,
            [this](int row, const QString& name) {
                if (m_template)
                    m_template->setBitmapText(row, name);
            });
    m_chooser->show();
    m_chooser->raise();
    m_chooser->activateWindow();
}

BackgroundChooser* TemplateRowCommands::bitmapChooser() const {
    return m_chooser;
}

fs98::PanelWindowForm* TemplateRowCommands::viewWindow(int w) {
    switch (fs98::checkViewWindow(m_document.panel(), m_app.dirs, w)) {
    case fs98::ViewCheck::WrongGaugesDir:
        m_dialogs.message(QString::fromStdString(fs98::wrongGaugesDirMessage()));
        return nullptr;
    case fs98::ViewCheck::EmptyWindow:
        m_dialogs.message(QString::fromStdString(fs98::emptyWindowMessage()));
        return nullptr;
    case fs98::ViewCheck::Ready:
        break;
    }
    m_app.currentWindow = w;
    return loadNewWindow(w);
}

// A window already open for the row stays open beside the new one; panelForms then names
// the new one.
fs98::PanelWindowForm* TemplateRowCommands::loadNewWindow(int w) {
    auto* form = new fs98::PanelWindowForm(m_document, m_app, m_dialogs, w);
    form->setRegistry(&m_panelForms);
    m_panelForms.set(w, form);
    QMdiSubWindow* sub = m_area ? m_area->addSubWindow(form) : nullptr;
    try {
        form->load();
    } catch (const std::exception&) {
        m_dialogs.message(QString::fromStdString(fs98::wrongGaugesDirMessage()));
        // The sub-window owns the form; deleting it removes it from the area too.
        if (sub)
            delete sub;
        else
            delete form;
        return nullptr;
    }
    if (sub) {
        // The frame inside is as large as the screen it stands for; the window takes what
        // the MDI area can show and scrolls to the panel picture.
        sub->resize(sub->sizeHint().boundedTo(m_area->viewport()->size()));
        sub->show();
        m_area->setActiveSubWindow(sub);
    } else {
        form->show();
    }
    form->scrollToPicture();
    // The progress window had the focus for a while; the keys belong to the new window.
    if (QWidget* top = form->window(); top != QApplication::activeWindow())
        top->activateWindow();
    form->setFocus();
    emit panelWindowShown(form);
    return form;
}

void TemplateRowCommands::sizeFromBitmap(int w) {
    const fs98::AutoOutcome outcome =
        fs98::autoSizeFromBitmap(m_document.panel(), m_app.dirs.panelDir, w);
    if (!outcome.message.empty())
        m_dialogs.message(toQString(outcome.message));
    if (!outcome.value || !m_template)
        return;
    const std::optional<QString> text =
        outcome.boxText ? std::optional(QString::fromStdString(*outcome.boxText)) : std::nullopt;
    m_template->applyAuto(
        {w, fs98::WindowField::SizeMm, *outcome.value, m_document.panel().windowCount}, text);
}

void TemplateRowCommands::ratioFromBitmap(int w) {
    if (!fs98::isWindowSlot(w))
        return;
    const fs98::AutoOutcome outcome =
        fs98::autoRatioFromBitmap(m_document.panel(), m_app.dirs.panelDir, w,
                                  toModelText(bitmapBoxText(w)), screenSizePixels().width());
    if (!outcome.message.empty())
        m_dialogs.message(toQString(outcome.message));
    if (!outcome.value || !m_template)
        return;
    if (outcome.zoom)
        m_app.display.window(w).windowZoom = *outcome.zoom;
    const std::optional<QString> text =
        outcome.boxText ? std::optional(QString::fromStdString(*outcome.boxText)) : std::nullopt;
    m_template->applyAuto(
        {w, fs98::WindowField::SizeRatio, *outcome.value, m_document.panel().windowCount}, text);
}

// The ratio button reads the bitmap name box itself, as typed.
QString TemplateRowCommands::bitmapBoxText(int w) const {
    if (!m_template)
        return fromModelText(m_document.panel().window(w).windowBitmap);
    return m_template->bitmapText(w);
}

} // namespace cockpix
