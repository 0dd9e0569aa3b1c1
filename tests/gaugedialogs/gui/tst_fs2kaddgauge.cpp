// Adding a gauge to a window of a panel of FS2000 and later, offscreen: the chooser lists
// the gauges of every kind of module in the panel folder and the gauges directory, filters
// them as one types, shows the chosen one's picture or why it has none, and adds it as
// exactly one more line that undo takes away again.

#include "demo/gaugemodulewriter.h"
#include "gaugedialogs/gui/fs2k/addgaugedialog.h"
#include "gaugefiles/core/bmpwriter.h"
#include "guisupport/accessibility.h"
#include "guisupport/scripteddialogs.h"
#include "guisupport/testprogram.h"
#include "panel/gui/fs2k/document.h"
#include "state/core/appmodel.h"
#include "support/cabmaker.h"
#include "support/testfiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

using namespace cockpix;

namespace {

const std::string kPanel = "[Window Titles]\r\nWindow00=Main\r\nWindow01=Radios\r\n\r\n"
                           "[Window00]\r\nsize_mm=640,480\r\n"
                           "gauge00=XmlPack!Attitude, 10, 10\r\n"
                           "gauge01=Multi!Clock, 100, 10, 40, 30\r\n\r\n"
                           "[Window01]\r\nBackground_color=0,0,40\r\nsize_mm=300,100\r\n";

std::string bitmap(int width, int height) {
    return bmpFileBytes(IndexedImage(width, height, 3));
}

// A module of two gauges: Clock's face is bitmap 1, Needle has no static picture.
std::string multiModule() {
    demo::GaugeModuleContents contents;
    demo::ModuleElement face;
    face.bitmapId = 1;
    demo::ModuleElement needle;
    needle.kind = demo::ElementKind::Needle;
    contents.gauges = {{"Clock", {face}}, {"Needle", {needle}}};
    contents.bitmaps = {demo::bitmapResource(1, IndexedImage(40, 30, 5))};
    return demo::gaugeLibraryBytes(contents);
}

QStringList visibleLines(const QListWidget* list) {
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->isHidden())
            lines << list->item(row)->text();
    return lines;
}

// The lines of text, each with its line end.
QStringList linesOf(const std::string& bytes) {
    return QString::fromStdString(bytes).split(QStringLiteral("\r\n"));
}

} // namespace

class TestFs2kAddGauge : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    bool m_cabs = false;
    AppModel m_app;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<fs2k::Document> m_document;

    std::filesystem::path at(const std::string& relative) const {
        return std::filesystem::path(m_root.path().toStdString()) / relative;
    }
    fs2k::AddGaugeDialog* openAdd(int window) {
        auto* dialog = new fs2k::AddGaugeDialog(*m_document, m_app, m_dialogs, window);
        dialog->show();
        return dialog;
    }
    static QListWidget* listOf(QWidget* dialog, const char* name) {
        return dialog->findChild<QListWidget*>(name);
    }
    static void doubleClick(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        const QPoint where = list->visualItemRect(found.first()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_root.isValid());
        test::writeFile(at("gauges/Multi.gau"), multiModule());
        test::writeFile(at("gauges/Old.dll"), "an FS98 module of one gauge");
        test::writeFile(at("gauges/XmlPack/Attitude.xml"),
                        "<Gauge Name=\"Attitude\"><Image Name=\"face.bmp\"/></Gauge>");
        test::writeFile(at("gauges/XmlPack/face.bmp"), bitmap(30, 20));
        test::writeFile(at("staging/NavCom.xml"),
                        "<Gauge Name=\"NavCom\"><Image Name=\"navcom.bmp\"/></Gauge>");
        test::writeFile(at("staging/navcom.bmp"), bitmap(50, 16));
        std::filesystem::create_directories(at("panel"));
        m_cabs = test::makeCab(at("staging"), at("panel/Radios.cab"), "NavCom.xml navcom.bmp");
        m_app.dirs.panelDir = at("panel").string() + "/";
        m_app.dirs.gaugesDir = at("gauges").string(); // typed without its final "/"
    }
    void init() {
        m_document = std::make_unique<fs2k::Document>();
        m_document->replacePanel(fs2k::PanelLines(kPanel), at("panel/panel.cfg").string());
        m_dialogs.clear();
    }
    void cleanup() {
        QVERIFY(m_dialogs.verifyAllAnswersUsed());
        m_document.reset();
    }

    void theListHoldsEveryKindAndTheFilterNarrowsIt() {
        QPointer<fs2k::AddGaugeDialog> dialog = openAdd(0);
        QListWidget* list = listOf(dialog, "File1");
        QVERIFY(list);
        QStringList expected = {"Multi!Clock", "Multi!Needle", "Old", "XmlPack!Attitude"};
        if (m_cabs)
            expected.insert(3, "Radios!NavCom");
        QCOMPARE(visibleLines(list), expected);
        QVERIFY(unnamedControls(dialog).isEmpty());

        auto* filter = dialog->findChild<QLineEdit*>("Filter1");
        QTest::keyClicks(filter, "MULTI");
        QCOMPARE(visibleLines(list), QStringList({"Multi!Clock", "Multi!Needle"}));
        // A line the filter hides cannot be added.
        QVERIFY(dialog->chooseGauge("Old"));
        filter->setText("xml");
        QCOMPARE(visibleLines(list), QStringList({"XmlPack!Attitude"}));
        dialog->addChosenGauge();
        QCOMPARE(m_document->undoStack()->count(), 0);
        filter->clear();
        QCOMPARE(visibleLines(list), expected);
        dialog->close();
        QTRY_VERIFY(dialog.isNull());
    }

    void addingWritesOneLineAtThePicturesSizeAndUndoTakesItAway() {
        const std::string before = m_document->lines().bytes();
        QPointer<fs2k::AddGaugeDialog> dialog = openAdd(0);
        QSignalSpy added(dialog.data(), &fs2k::AddGaugeDialog::gaugeAdded);
        QVERIFY(dialog->chooseGauge("XmlPack!Attitude"));
        const QLabel* snapshot = dialog->findChild<QLabel*>("Picture1");
        QCOMPARE(snapshot->pixmap().size(), QSize(30, 20));
        QVERIFY(dialog->findChild<QLabel*>("Label3")->text().contains("gauges folder"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.first(), QVariantList({0, 2}));

        QStringList after = linesOf(m_document->lines().bytes());
        const QStringList old = linesOf(before);
        QCOMPARE(after.size(), old.size() + 1);
        QCOMPARE(after[8], QStringLiteral("gauge02=XmlPack!Attitude, 0, 0, 30, 20"));
        after.removeAt(8);
        QCOMPARE(after, old);
        QCOMPARE(m_document->undoStack()->count(), 1);
        m_document->undo();
        QCOMPARE(m_document->lines().bytes(), before);
    }

    void aGaugeWithoutAPictureShowsWhyAndIsAddedWithoutASize() {
        QPointer<fs2k::AddGaugeDialog> dialog = openAdd(1);
        QSignalSpy added(dialog.data(), &fs2k::AddGaugeDialog::gaugeAdded);
        QVERIFY(dialog->chooseGauge("Multi!Needle"));
        const QLabel* snapshot = dialog->findChild<QLabel*>("Picture1");
        QVERIFY(snapshot->pixmap().isNull());
        QVERIFY2(snapshot->text().startsWith("Multi!Needle\n\n"), qPrintable(snapshot->text()));
        QVERIFY(!snapshot->toolTip().isEmpty());
        // Another gauge shows its picture in the same place, without the outline's tooltip.
        QVERIFY(dialog->chooseGauge("XmlPack!Attitude"));
        QCOMPARE(snapshot->pixmap().size(), QSize(30, 20));
        QVERIFY(snapshot->toolTip().isEmpty());

        doubleClick(listOf(dialog, "File1"), "Multi!Needle");
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.first(), QVariantList({1, 0}));
        const std::vector<fs2k::Window>& windows = m_document->panel().windows;
        QCOMPARE(windows[1].gauges.size(), std::size_t(1));
        QCOMPARE(std::string(fs2k::gaugeLineName(m_document->lines(), windows[1].gauges[0].line)),
                 std::string("Multi!Needle"));
        QCOMPARE(windows[1].gauges[0].fieldCount, std::size_t(2));
    }

    void theDialogClosesWhenThePanelIsReplaced() {
        QPointer<fs2k::AddGaugeDialog> add = openAdd(0);
        m_document->replacePanel(fs2k::PanelLines(std::string("[Window00]\r\n")), "other.cfg");
        QTRY_VERIFY(add.isNull());
    }
};

COCKPIX_TEST_CLASS(TestFs2kAddGauge)
#include "tst_fs2kaddgauge.moc"
