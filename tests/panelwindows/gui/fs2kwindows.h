#pragma once

// What the tests of the panel windows of FS2000 and later need: the hand-written fixture
// panel opened into a document in a folder of its own, with its bitmaps, scripted dialogs and
// an MDI area where the windows show as the template and the Windows menu show them. Its
// Engines!* gauges have a picture twice as wide as high; every other module is missing.

#include "guisupport/scripteddialogs.h"
#include "support/testfiles.h"

#include "gaugedialogs/gui/fs2k/panelwindows.h"
#include "panel/gui/fs2k/document.h"
#include "panelwindows/gui/fs2k/panelwindow.h"
#include "state/core/appmodel.h"

#include <QImage>
#include <QMdiArea>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

namespace cockpix {

struct Fs2kWindows {
    QTemporaryDir dir;
    fs2k::Document document;
    ScriptedDialogs dialogs;
    AppModel app;
    std::unique_ptr<QMdiArea> area;
    std::unique_ptr<fs2k::PanelWindows> windows;
    std::string opened; // the fixture's bytes

    static QImage filled(QSize size, QColor color) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

    // The fixture opened, an area shown, no window yet. The screen-specific bitmap is the
    // one a 1024 pixels wide screen shows.
    bool start() {
        opened = test::bytesOf(QStringLiteral(COCKPIX_FIXTURES_DIR "/fs2k/panel_window.cfg"))
                     .toStdString();
        if (!dir.isValid() || opened.rfind("//", 0) != 0 ||
            !filled({400, 100}, Qt::green).save(dir.filePath("main_panel_1024.bmp"), "BMP") ||
            !filled({200, 50}, Qt::blue).save(dir.filePath("MAIN_PANEL.BMP"), "BMP"))
            return false;
        document.replacePanel(fs2k::PanelLines(opened), dir.filePath("panel.cfg").toStdString());
        area = std::make_unique<QMdiArea>();
        area->resize(1100, 900);
        area->show();
        app.dirs.panelDir = dir.path().toStdString() + "/";
        windows = std::make_unique<fs2k::PanelWindows>(document, app, dialogs, area.get());
        windows->setPictureLookup(&picturesOf);
        return document.hasContent() && QTest::qWaitForWindowExposed(area.get());
    }
    ~Fs2kWindows() {
        area.reset();
        windows.reset();
    }

    fs2k::PanelWindowForm* show(std::size_t window) const { return windows->show(window); }
    std::string bytes() const { return document.lines().bytes(); }
    QStringList lines() const {
        return QString::fromStdString(bytes()).split(QStringLiteral("\r\n"));
    }
    // The lines that differ from the opened file (the same count of lines).
    int changedLines() const {
        const QStringList was = QString::fromStdString(opened).split(QStringLiteral("\r\n"));
        const QStringList now = lines();
        if (was.size() != now.size())
            return -1;
        int changed = 0;
        for (int i = 0; i < was.size(); ++i)
            changed += was[i] != now[i];
        return changed;
    }

private:
    static std::vector<fs2k::GaugePicture> picturesOf(const std::vector<std::string_view>& names) {
        std::vector<fs2k::GaugePicture> pictures;
        for (std::string_view name : names) {
            if (name.substr(0, 8) == "Engines!")
                pictures.push_back({filled({16, 8}, Qt::red), {}, {}});
            else
                pictures.push_back(
                    {{},
                     QStringLiteral("Missing.gau is not in the panel folder or the gauges folder"),
                     {}});
        }
        return pictures;
    }
};

} // namespace cockpix
