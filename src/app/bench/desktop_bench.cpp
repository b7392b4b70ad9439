// Speed of the desktop program's drawing on the offscreen platform: repaints
// of the largest target at several zooms, zoom steps, a zone click's redraw, a
// zone drag with the sources' preview, and start-up to the first painted
// window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <utility>

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

// Zoom numerator / denominator from the arguments; 0 / 0 is Fit in Window.
void SetZoom(wrimple::app::View& view, const benchmark::State& state) {
  if (state.range(0) == 0)
    view.FitInWindow();
  else
    view.ZoomAround({int(state.range(0)), int(state.range(1))}, QPoint(0, 0));
}

void ZoomArguments(benchmark::internal::Benchmark* b) {
  for (const auto& [n, d] : {std::pair{1, 1}, std::pair{0, 0}, std::pair{1, 4}, std::pair{1, 16},
                             std::pair{3, 1}, std::pair{32, 1}})
    b->Args({n, d});
}

// A 4096 x 3072 target in a 1920 x 1080 view, the pyramid up to date.
struct LargestTarget : Program {
  LargestTarget() : Program(false) {
    LoadSource("source.bmp", 640, 480);
    SetTarget(4096, 3072);
    SizeViewport(1920, 1080);
    view().RedrawView();
  }
  wrimple::app::View& view() { return app->window().view(); }
};

void BM_RedrawLargestTarget(benchmark::State& state) {
  LargestTarget program;
  wrimple::app::View& view = program.view();
  SetZoom(view, state);
  // Every pixel drawn again, nothing changed: the window's picture at this
  // zoom is copied (as for an expose or a moved overlay).
  for (auto _ : state) view.viewport()->repaint();
  state.counters["viewport_w"] = view.viewport()->width();
  state.counters["viewport_h"] = view.viewport()->height();
}
BENCHMARK(BM_RedrawLargestTarget)->Apply(ZoomArguments)->Unit(benchmark::kMillisecond)->UseRealTime();

// After a change of the whole target (an effect): the pyramid rebuilt, the
// window's picture made again and painted.
void BM_RedrawAfterWholeTargetChange(benchmark::State& state) {
  LargestTarget program;
  wrimple::app::View& view = program.view();
  SetZoom(view, state);
  for (auto _ : state) view.RedrawView();
}
BENCHMARK(BM_RedrawAfterWholeTargetChange)->Apply(ZoomArguments)->Unit(benchmark::kMillisecond)->UseRealTime();

// Zoom In and Zoom Out in turn around the view's centre, from the fit zoom (then
// between 1/2 and 1/3): the window's picture made at the new zoom and painted.
void BM_ZoomStep(benchmark::State& state) {
  LargestTarget program;
  wrimple::app::View& view = program.view();
  view.FitInWindow();
  int step = 0;
  for (auto _ : state) (step++ % 2 ? view.ZoomOut() : view.ZoomIn());
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// The redraw after a zone click at fit zoom: the zone's rectangle of the levels
// brought up to date and repainted (the operation itself not included).
void BM_ZoneClickRedrawAtFit(benchmark::State& state) {
  LargestTarget program;
  wrimple::app::View& view = program.view();
  wrimple::State& st = program.app->state();
  view.FitInWindow();
  st.zone = wrimple::WrimpleZone{.X1 = 1000, .Y1 = 800, .X2 = 2000, .Y2 = 1600};
  view.RedrawView();
  for (auto _ : state) view.RedrawTargetArea({1000, 800, 2000, 1600});
}
BENCHMARK(BM_ZoneClickRedrawAtFit)->Unit(benchmark::kMillisecond)->UseRealTime();

// One move of a zone drag (the core's handler and the repaint it asks for)
// over a 4096 x 3072 target with two sources, the zone covering most of the
// view; at 1:1 the old benchmark's 1920 x 1080 scene.
void BM_ZoneDragFrame(benchmark::State& state) {
  Program program(false);
  program.SizeViewport(1920, 1080);
  program.app->state().SetTargetSize(4096, 3072);
  program.LoadSource("one.bmp", 1920, 1080);
  program.LoadSource("two.bmp", 960, 540);
  program.app->window().view().SetScrollSizes(4096, 3072);
  wrimple::app::View& view = program.app->window().view();
  SetZoom(view, state);
  wrimple::State& st = program.app->state();
  wrimple::Platform& pf = program.app->platform();
  using wrimple::MouseButton;
  using wrimple::MouseEvent;
  wrimple::OnButtonDown(st, pf, MouseButton::Left, MouseEvent{{60, 40}, wrimple::kMouseLeftButton});
  int step = 0;
  for (auto _ : state) {
    // The zone's corner near the window's far corner: its preview covers most of the view.
    const int x = 1800 + (step & 7), y = 1000 + (step & 3);
    ++step;
    wrimple::OnMouseMove(st, pf, MouseEvent{{x, y}, wrimple::kMouseLeftButton});
  }
  state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ZoneDragFrame)->Apply(ZoomArguments)->Unit(benchmark::kMillisecond)->UseRealTime();

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
