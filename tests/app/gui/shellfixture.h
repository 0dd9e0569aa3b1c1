#pragma once

// What every test of the main window needs: a settings file of its own in a temporary
// directory, a fresh application model and panel document, scripted dialogs and a main
// window whose template is shown; and the headers those tests share.

#include "app/gui/mainmenu.h"
#include "app/gui/mainwindow.h"
#include "app/gui/panelcommands.h"
#include "guisupport/accessibility.h"
#include "guisupport/scripteddialogs.h"
#include "guisupport/testprogram.h"
#include "guisupport/userclicks.h"
#include "panel/gui/paneldocuments.h"
#include "settings/core/settings.h"
#include "state/core/appmodel.h"
#include "support/testfiles.h"
#include "template/gui/templatewindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <memory>

namespace cockpix {

struct ShellFixture {
    QTemporaryDir temp;
    AppModel app;
    PanelDocuments documents;
    fs98::Document& document = documents.fs98();
    fs2k::Document& fs2kDocument = documents.fs2k();
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    ShellFixture() {
        qputenv("COCKPIX_CONFIG_DIR", (temp.path() + "/config").toLocal8Bit());
        // As the program starts: its shipped files lie beside it.
        app.installedDir = QCoreApplication::applicationDirPath().toStdString() + "/";
    }

    QString path(const QString& relative) const { return temp.path() + "/" + relative; }
    QString settingsPath() const { return path("config/cockpix.ini"); }

    // Five settings lines, each ending CR LF, as the program writes them.
    void writeSettingsLines(const QStringList& lines) const {
        QDir().mkpath(path("config"));
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const QString& line : lines)
            file.write(line.toUtf8() + "\r\n");
    }
    QStringList settingsLines() const {
        QFile file(settingsPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    // Settings with a gauges directory, so that no first-use message comes up.
    void writeUsualSettings() const {
        QDir().mkpath(path("fs98/gauges/bmp"));
        QDir().mkpath(path("fs98/gauges/palette"));
        writeSettingsLines({path("fs98/gauges/"), path("fs98/gauges/bmp/"),
                            path("fs98/gauges/palette/"), path("fs98/aircraft/"), path("prog/")});
    }

    // A copy of the sample panel as the panel.cfg of aircraft in the fixture's FS98 tree.
    QString copySample(const QString& aircraft) const {
        const QString to = path("fs98/aircraft/" + aircraft + "/panel/panel.cfg");
        const QByteArray sample = test::bytesOf(QString::fromStdString(test::kSamplePanel));
        [&] { QVERIFY(test::writeBytes(to, sample)); }();
        return to;
    }

    // Creates the main window and its template window, as the program starts.
    void start() {
        window = std::make_unique<MainWindow>(documents, app, dialogs);
        window->show();
        window->createTemplateWindow();
    }
    void startUsual() {
        writeUsualSettings();
        start();
    }

    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    void trigger(const char* name) const {
        QAction* item = action(name);
        QVERIFY2(item != nullptr, name);
        item->trigger();
    }
    // A box of the template.
    QLineEdit* box(const char* name) const {
        return window->templateWindow()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    // No question or dialog came that the test did not expect.
    void verifyNoDialogErrors() const {
        QVERIFY2(dialogs.errors().isEmpty(), qPrintable(dialogs.errors().join("\n")));
    }
    // Started with the usual settings on a panel of `count` windows shown in the template,
    // with nothing to undo and nothing said yet.
    void startOnPanelOf(int count, const std::function<void(fs98::Panel&)>& shape = {}) {
        writeUsualSettings();
        start();
        openPanelOf(count, shape);
        window->templateWindow()->fillFromModel();
        document.clearHistory();
        dialogs.clear();
    }
    // A panel of `count` windows in the document, as after an Open (nothing to save yet);
    // shape changes it before.
    void openPanelOf(int count, const std::function<void(fs98::Panel&)>& shape = {}) {
        fs98::Panel panel;
        panel.windowCount = count;
        for (int w = 0; w < count; ++w) {
            panel.window(w).windowTitle = "W" + std::to_string(w);
            panel.window(w).windowBitmap = "bg" + std::to_string(w);
        }
        if (shape)
            shape(panel);
        document.replacePanel(panel, {});
    }
};

inline const QString kCaptionPrefix = QStringLiteral("COCKPIX V.2.5.3  -  ");

} // namespace cockpix
