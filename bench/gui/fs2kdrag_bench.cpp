// Dragging a gauge in an fs2k panel window of 100 gauges, each with its picture: the GUI
// thread's work for one mouse move (the view's handling, the window's status text and the
// repaint it asks for), beside repainting the whole window once in the same iteration, both
// in this thread's processor time. The goal: a move costs at most 4 ms ("move_ms"), and no
// more than about one repaint of the window ("ratio" at most 1.5): a move repaints only
// where the gauge was and where it is, and lays out nothing again.

#include "benchapplication.h"

#include "base/gui/userdialogs.h"
#include "panel/gui/fs2k/document.h"
#include "panelwindows/gui/fs2k/panelwindow.h"
#include "panelwindows/gui/panelview.h"

#include <QImage>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <time.h>

namespace cockpix {
namespace {

constexpr int kGauges = 100;

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// A window filling the screen, its colour behind 100 gauges of 80 x 80 units in rows of ten.
std::string panelText() {
    std::string text = "[Window00]\r\nBackground_color=40,40,48\r\nsize_mm=1024,768\r\n"
                       "window_size=1,1\r\nwindow_pos=0,0\r\n";
    for (int i = 0; i < kGauges; ++i)
        text += "gauge" + std::to_string(i) + "=Pack!Gauge" + std::to_string(i) + ", " +
                std::to_string(2 + (i % 10) * 100) + ", " + std::to_string(2 + (i / 10) * 76) +
                ", 80, 72\r\n";
    return text;
}

std::vector<fs2k::GaugePicture> picturesOf(const std::vector<std::string_view>& names) {
    static const QImage picture = [] {
        QImage image(120, 120, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 2, y * 2, (x * y) & 0xff));
        return image;
    }();
    return std::vector<fs2k::GaugePicture>(names.size(), fs2k::GaugePicture{picture, {}, {}});
}

void sendMouse(QWidget* view, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(pos), view->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
}

void BM_DragAGaugeAmongAHundred(benchmark::State& state) {
    benchApplication();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        state.SkipWithError("another benchmark made an application without widgets");
        return;
    }
    fs2k::Document document;
    document.replacePanel(fs2k::PanelLines(panelText()), {});
    AppModel app;
    SilentDialogs dialogs;
    fs2k::PanelWindowForm form(document, app, dialogs, 0, &picturesOf, {});
    form.load();
    form.resize(1024, 768);
    form.show();
    QCoreApplication::processEvents();
    PanelView* view = form.view();
    if (view->gaugeCount() != kGauges || view->gauge(55)->picture.isNull()) {
        state.SkipWithError("the window does not show its gauges");
        return;
    }
    const QPoint start = view->gauge(55)->rect.center();
    sendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    double moveSeconds = 0;
    double repaintSeconds = 0;
    int step = 0;
    for (auto _ : state) {
        {
            // Back and forth, so the gauge stays among the others.
            const QPoint to = start + QPoint(step % 2 ? -7 : 9, step % 2 ? 5 : -3) * (1 + step % 5);
            ++step;
            const double begin = threadSeconds();
            sendMouse(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
            view->repaint(); // the region the move asked for; nothing when it asked for none
            QCoreApplication::processEvents();
            moveSeconds += threadSeconds() - begin;
        }
        {
            const double begin = threadSeconds();
            view->repaint(view->rect());
            repaintSeconds += threadSeconds() - begin;
        }
    }
    sendMouse(view, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["move_ms"] = 1000 * moveSeconds / iterations;
    state.counters["repaint_ms"] = 1000 * repaintSeconds / iterations;
    state.counters["ratio"] = repaintSeconds > 0 ? moveSeconds / repaintSeconds : 0;
}
BENCHMARK(BM_DragAGaugeAmongAHundred)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
} // namespace cockpix
