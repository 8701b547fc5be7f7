// Times one paint of the 885 x 32 top bar and of a 144 x 32 glass button in each of its
// looks, each against filling the same image with one colour, measured in the same run.
// Usage: bench_top_bar_paint [--help]
#include "widgets/TopBarLook.h"
#include "widgets/TrkGlassButton.h"
#include "widgets/TrkVistaPanel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 200;
constexpr double TargetMs = 0.5;

struct Spread {
    double min;
    double median;
    double max;
};

Spread Time(const std::function<void()>& paint)
{
    std::vector<double> timesMs;
    timesMs.reserve(Runs);
    for (int run = 0; run < Runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        paint();
        timesMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(timesMs.begin(), timesMs.end());
    return {timesMs.front(), timesMs[Runs / 2], timesMs.back()};
}

void Report(const char* what, QImage& image, const std::function<void()>& paint)
{
    const Spread floor = Time([&image] { image.fill(Qt::darkGray); });
    const Spread painted = Time(paint);
    std::printf("%-24s paint  min %.4f  median %.4f  max %.4f ms  (target: median under %.1f ms)\n", what,
                painted.min, painted.median, painted.max, TargetMs);
    std::printf("%-24s floor  min %.4f  median %.4f  max %.4f ms  (one-colour fill, same image)\n", "", floor.min,
                floor.median, floor.max);
}

void SendMouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(20, 10), widget.mapToGlobal(QPointF(20, 10)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void MakeHot(quarvel::TrkGlassButton& button)
{
    QEnterEvent enter(QPointF(20, 10), QPointF(20, 10), button.mapToGlobal(QPointF(20, 10)));
    QApplication::sendEvent(&button, &enter);
    SendMouse(button, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
}

void MakeIdle(quarvel::TrkGlassButton& button)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    button.SetDown(false);
    button.setEnabled(true);
    button.SetTabStop(false);
    button.SetFlat(true);
}

// The focused look needs an active window, which the offscreen platform does not give;
// Flat off runs the same focus-look steps (body and outline under the active look).
struct Look {
    const char* name;
    std::function<void(quarvel::TrkGlassButton&)> apply;
};

std::vector<Look> Looks()
{
    return {
        {"button idle", [](quarvel::TrkGlassButton&) {}},
        {"button hot", MakeHot},
        {"button pressed",
         [](quarvel::TrkGlassButton& button) {
             MakeHot(button);
             SendMouse(button, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
         }},
        {"button down, not hot", [](quarvel::TrkGlassButton& button) { button.SetDown(true); }},
        {"button down and hot",
         [](quarvel::TrkGlassButton& button) {
             button.SetDown(true);
             MakeHot(button);
         }},
        {"button not flat", [](quarvel::TrkGlassButton& button) { button.SetFlat(false); }},
        {"button disabled, down",
         [](quarvel::TrkGlassButton& button) {
             button.SetDown(true);
             button.setEnabled(false);
         }},
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("Usage: bench_top_bar_paint\n"
                    "Times %d paints of the 885 x 32 gradient bar and of a 144 x 32 glass button in each look,\n"
                    "each beside a one-colour fill of the same image, and prints min / median / max.\n",
                    Runs);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    quarvel::TrkVistaPanel bar;
    quarvel::ApplyTopBarLook(bar);
    bar.resize(885, 32);
    quarvel::TrkGlassButton button(QStringLiteral("Roms List (XML/in disk)"), &bar);
    button.setGeometry(209, 0, 144, 32);
    QFont caption(QStringLiteral("DejaVu Sans Condensed"));
    caption.setPixelSize(12);
    button.setFont(caption);
    quarvel::ApplyTopBarLook(button);

    std::printf("%d runs each, on Qt's %s platform\n", Runs, qPrintable(QGuiApplication::platformName()));
    QImage barImage(bar.size(), QImage::Format_RGB32);
    Report("bar 885 x 32", barImage,
           [&] { bar.render(&barImage, QPoint(), QRegion(), QWidget::DrawWindowBackground); });

    QImage buttonImage(button.size(), QImage::Format_RGB32);
    for (const Look& look : Looks()) {
        MakeIdle(button);
        look.apply(button);
        Report(look.name, buttonImage, [&] { button.render(&buttonImage); });
    }
    return 0;
}
