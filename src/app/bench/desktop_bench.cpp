// Speed of the desktop program's drawing on the offscreen platform: a full
// repaint of the largest target, a zone drag with the sources' preview, and
// start-up to the first painted window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "app/application.h"
#include "app/view.h"
#include "zone/mouse_routing.h"

namespace {

using wrimple::app::Application;

QApplication& Qt() {
  static int argc = 1;
  static char name[] = "bench_desktop";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// A started program whose settings live in a temporary folder.
struct Program {
  QTemporaryDir folder;
  QSettings settings{folder.filePath("settings.ini"), QSettings::IniFormat};
  std::unique_ptr<Application> app;

  explicit Program(bool show_help) {
    Qt();
    settings.setValue("Configure/Flying tips", show_help ? 1 : 0);
    app = std::make_unique<Application>(settings);
    wrimple::app::InstallCommandHandlers(*app);
    app->StartUp({"wrimple"});
  }

  void SetTarget(int width, int height) {
    wrimple::State& st = app->state();
    st.SetTargetSize(width, height);
    app->window().view().SetScrollSizes(width, height);
    const wrimple::TargetImage t = st.Target();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        wrimple::WritePixel(t.pixel(x, y), {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)});
  }

  void LoadSource(const char* name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x & 255, y & 255, (x + y) & 255));
    const QString path = folder.filePath(name);
    image.save(path, "BMP");
    app->OpenThroughFramework(path);
  }

  // The window sized so that the view's client area is width x height.
  void SizeViewport(int width, int height) {
    wrimple::app::MainWindow& w = app->window();
    w.resize(width + 40, height + 200);
    QApplication::processEvents();
    const QSize client = w.view().viewport()->size();
    w.resize(w.width() + width - client.width(), w.height() + height - client.height());
    QApplication::processEvents();
  }
};

void BM_RedrawLargestTarget(benchmark::State& state) {
  Program program(false);
  program.LoadSource("source.bmp", 640, 480);
  program.SetTarget(4096, 3072);
  program.SizeViewport(1920, 1080);
  wrimple::app::View& view = program.app->window().view();
  for (auto _ : state) view.RedrawView();
  state.counters["viewport_w"] = view.viewport()->width();
  state.counters["viewport_h"] = view.viewport()->height();
}
BENCHMARK(BM_RedrawLargestTarget)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZoneDragFrame(benchmark::State& state) {
  Program program(false);
  program.SizeViewport(1920, 1080);
  program.app->state().SetTargetSize(1920, 1080);
  program.LoadSource("one.bmp", 1920, 1080);
  program.LoadSource("two.bmp", 960, 540);
  wrimple::State& st = program.app->state();
  wrimple::Platform& pf = program.app->platform();
  using wrimple::MouseButton;
  using wrimple::MouseEvent;
  wrimple::OnButtonDown(st, pf, MouseButton::Left, MouseEvent{{60, 40}, wrimple::kMouseLeftButton});
  int step = 0;
  for (auto _ : state) {
    // A zone of about 1800 x 1000 pixels: the preview block covers most of the view.
    const int x = 1800 + (step & 7), y = 1000 + (step & 3);
    ++step;
    wrimple::OnMouseMove(st, pf, MouseEvent{{x, y}, wrimple::kMouseLeftButton});
  }
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ZoneDragFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartUpToFirstPaint(benchmark::State& state) {
  Qt();
  for (auto _ : state) {
    Program program(true);  // ends with the help picture painted
    benchmark::DoNotOptimize(program.app.get());
    state.PauseTiming();
    program.app.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
