// The move and zoom dialog (Form15) on a panel window of the demo, on a 1024 x 768 screen:
// the zoom slider and text keeping each other in step, the refusals of each text, "AUTO
// ADJUST", the shift range, and OK replacing the panel window with one drawn at the new
// zoom and shift.

#include "guisupport/accessibility.h"
#include "guisupport/testprogram.h"
#include "panelwindows/gui/gaugewindows.h"

#include "gaugedialogs/gui/movezoomdialog.h"
#include "gaugedialogs/gui/zoompreview.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>

using namespace cockpix;

class TestMoveZoom : public QObject {
    Q_OBJECT

    std::unique_ptr<GaugeWindows> f;
    fs98::PanelWindowForm* form = nullptr;
    const int w = 2;

    MoveZoomDialog* dialog() const { return f->gaugeDialogs->moveZoomDialog(); }
    QLineEdit* text(int n) const {
        return dialog()->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n));
    }
    QScrollBar* bar(const char* name) const {
        return dialog()->findChild<QScrollBar*>(QString::fromLatin1(name));
    }
    QPushButton* button(int n) const {
        return dialog()->findChild<QPushButton*>(QStringLiteral("Command%1").arg(n));
    }
    // Pastes over the whole text: one change, as a paste makes it.
    static void paste(QLineEdit* box, const QString& text) {
        box->selectAll();
        box->insert(text);
    }
    void open() {
        GaugeWindows::action(form, "mnumove")->trigger();
        QVERIFY(dialog() != nullptr);
        QCOMPARE(dialog()->windowSlot(), w);
    }

private slots:
    void init() {
        f = std::make_unique<GaugeWindows>();
        QVERIFY2(f->start(), "the demo installation was not generated into the build");
        form = f->show(w);
        open();
    }
    void cleanup() {
        QVERIFY2(f->dialogs.errors().isEmpty(), qPrintable(f->dialogs.errors().join("\n")));
        f.reset();
    }

    void opensWithTheWindowsValuesAndNamedControls() {
        QCOMPARE(text(1)->text(), QStringLiteral("1"));
        QCOMPARE(text(2)->text(), QStringLiteral("0"));
        QCOMPARE(text(3)->text(), QStringLiteral("0"));
        QCOMPARE(bar("HScroll1")->value(), 0);
        QCOMPARE(unnamedControls(dialog()), QStringList());
    }

    // Each mark of the zoom scale stands over the handle of the slider at its zoom, at the
    // dialog's first size and after it was widened.
    void theZoomScaleMarksStandOverTheirSteps() {
        QScrollBar* slider = bar("HScroll1");
        const QStringList texts = {"/5", "/4", "/3", "/2", "X1", "X2", "X3", "X4", "X5"};
        for (const int widen : {0, 240}) {
            dialog()->resize(dialog()->width() + widen, dialog()->height());
            QVERIFY(QTest::qWaitForWindowExposed(dialog()));
            QCoreApplication::processEvents();
            for (int k = 0; k < texts.size(); ++k) {
                auto* mark = dialog()->findChild<QLabel*>(QStringLiteral("Label2_%1").arg(k));
                QVERIFY2(mark, qPrintable(texts[k]));
                QCOMPARE(mark->text(), texts[k]);
                slider->setValue(-40 + 10 * k);
                QStyleOptionSlider option;
                option.initFrom(slider);
                option.orientation = Qt::Horizontal;
                option.minimum = slider->minimum();
                option.maximum = slider->maximum();
                option.pageStep = slider->pageStep();
                option.singleStep = slider->singleStep();
                option.sliderPosition = option.sliderValue = slider->value();
                const QRect handle = slider->style()->subControlRect(
                    QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, slider);
                const int handleX = slider->mapToGlobal(handle.center()).x();
                const int markX = mark->mapToGlobal(mark->rect().center()).x();
                QVERIFY2(qAbs(handleX - markX) <= 1,
                         qPrintable(QStringLiteral("%1 at %2, its handle at %3, widened by %4")
                                        .arg(texts[k])
                                        .arg(markX)
                                        .arg(handleX)
                                        .arg(widen)));
            }
        }
    }

    // The slider writes the zoom it stands for; the text moves the slider without the
    // slider writing its own rounded reading back.
    void zoomSliderAndTextFollowEachOther() {
        QFETCH(QString, typed);
        QFETCH(int, slider);
        QFETCH(QString, shown);
        if (typed.isEmpty()) {
            bar("HScroll1")->setValue(slider);
        } else {
            bar("HScroll1")->setValue(33); // a place the text must move it from
            GaugeWindows::typeInto(text(1), typed);
        }
        QCOMPARE(bar("HScroll1")->value(), slider);
        QCOMPARE(text(1)->text(), shown);
    }
    void zoomSliderAndTextFollowEachOther_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("shown");
        QTest::newRow("slider 20") << QString() << 20 << "3";
        QTest::newRow("typed 60 is cleared") << "60" << 33 << "";
    }

    // FS98's own fit: the screen's width over the picture's, 1024 / 640.
    void autoAdjustFitsThePictureToTheScreen() {
        f->app.display.window(w).windowPixelWidth = 640;
        button(1)->click();
        QCOMPARE(text(1)->text(), QStringLiteral("1.6"));
        QCOMPARE(bar("HScroll1")->value(), 6);
    }

    // A shift the slider cannot reach is refused; one it can reach moves it, and RESET puts
    // it back to 0 with its text.
    void theShiftTextsAndTheirSliders() {
        paste(text(2), "7000");
        QCOMPARE(text(2)->text(), QString());
        QCOMPARE(bar("HScroll2")->value(), 0);
        GaugeWindows::typeInto(text(2), "-120.6");
        QCOMPARE(bar("HScroll2")->value(), -121);
        // The fraction moved the slider, which writes its whole number back.
        QCOMPARE(text(2)->text(), QStringLiteral("-121"));
        const int left = dialog()->preview()->pictureRect().left();
        bar("HScroll2")->setValue(300);
        QCOMPARE(text(2)->text(), QStringLiteral("300"));
        QVERIFY(dialog()->preview()->pictureRect().left() > left);
        button(2)->click();
        QCOMPARE(bar("HScroll2")->value(), 0);
        QCOMPARE(text(2)->text(), QStringLiteral("0"));

        GaugeWindows::typeInto(text(3), "40");
        QCOMPARE(bar("VScroll1")->value(), 40);
        button(3)->click();
        QCOMPARE(text(3)->text(), QStringLiteral("0"));
    }

    // OK stores zoom and shifts (never in the panel, so no undo step) and shows a new
    // panel window drawn with them; a zoom of 0 makes OK do nothing.
    void okReplacesThePanelWindow() {
        GaugeWindows::typeInto(text(1), "0");
        button(4)->click();
        QVERIFY(dialog() != nullptr);
        QCOMPARE(f->app.display.window(w).windowZoom, 1.0);

        const QSize before = form->backgroundPicture().geometry.size();
        const QPointer<fs98::PanelWindowForm> old = form;
        GaugeWindows::typeInto(text(1), "2");
        GaugeWindows::typeInto(text(2), "15");
        button(4)->click();
        QTRY_VERIFY(dialog() == nullptr);
        QVERIFY(old.isNull());
        fs98::PanelWindowForm* fresh = f->registry.at(w);
        QVERIFY(fresh != nullptr);
        QCOMPARE(f->app.display.window(w).windowZoom, 2.0);
        QCOMPARE(f->app.display.window(w).windowShiftX, 15.0);
        const QSize after = fresh->backgroundPicture().geometry.size();
        QVERIFY(std::abs(after.width() - 2 * before.width()) <= 2);
        QCOMPARE(f->steps(), 0);
    }

    void cancelKeepsTheWindowAsItWas() {
        GaugeWindows::typeInto(text(1), "3");
        button(5)->click();
        QTRY_VERIFY(dialog() == nullptr);
        QCOMPARE(f->app.display.window(w).windowZoom, 1.0);
        QCOMPARE(f->registry.at(w), form);
    }
};

COCKPIX_TEST_CLASS(TestMoveZoom)
#include "tst_movezoom.moc"
