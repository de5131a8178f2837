// SPDX-License-Identifier: GPL-3.0-or-later
// One full repaint of the window as the desktop program paints it in full screen, offscreen,
// at two screen sizes: the opening screen, and a question with its four answers on screen.
#include "CoreSession.h"
#include "Fonts.h"
#include "FormPainter.h"
#include "WindowFit.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace kvz::bench {
namespace {

enum class Screen { Opening, Question };

void FullRepaint(benchmark::State& state, Screen screen) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    StartedProgram program;
    if (screen == Screen::Question) program.session.startGame();
    Form1& form = program.form();
    const QSize design(static_cast<int>(form.Form.width / desktop::kTwipsPerPixel),
                       static_cast<int>(form.Form.height / desktop::kTwipsPerPixel));
    const desktop::View view = desktop::viewFor({width, height}, design, true);
    form.resize(static_cast<int>(view.layout.width() * desktop::kTwipsPerPixel),
                static_cast<int>(view.layout.height() * desktop::kTwipsPerPixel));

    QImage image(width, height, QImage::Format_RGB32);
    desktop::FormPainter painter;
    for (auto _ : state) {
        QPainter p(&image);
        painter.paintView(p, form, view, image.rect());
    }
}
BENCHMARK_CAPTURE(FullRepaint, opening, Screen::Opening)
    ->Args({1024, 768})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullRepaint, question, Screen::Question)
    ->Args({1024, 768})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvz::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    kvz::desktop::useOnlyBundledFonts(); // as the game starts
    QApplication app(argc, argv);
    kvz::desktop::registerBundledFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
