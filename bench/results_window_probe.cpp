// Times a search run in the desktop program's results window, as a user would start it, and
// how long program events posted to the window wait while the run goes.
//
// Usage: trawlex_window_probe TEXT PATH    (prints "window_ms N" and "event_latency_max_ms N")

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <iostream>

#include "engine/prefetcher.h"
#include "probe_request.h"
#include "runtime/desktop.h"
#include "shell/settings_files.h"
#include "ui/qt_desktop.h"
#include "ui/results_window.h"
#include "ui/window_registry.h"

namespace {

// Notes when each posted program event reaches the window.
class LatencyWatch final : public QObject {
 public:
  QElapsedTimer clock;
  qint64 postedAt = -1;
  qint64 worst = 0;
  int handled = 0;

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == trawlex::ui::ProgramEvent::EventType() && postedAt >= 0) {
      worst = std::max(worst, clock.elapsed() - postedAt);
      postedAt = -1;
      ++handled;
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: trawlex_window_probe TEXT PATH\n";
    return 2;
  }
  const trawlex::engine::SearchSpec request = trawlex::bench::WholeTreeRequest(argv[1], argv[2]);

  trawlex::ui::QtDesktop desktop;
  trawlex::ui::ResultsWindowContext context;
  context.desktop = &desktop;
  context.files = trawlex::shell::SettingsFilesIn(".");
  context.workers = qEnvironmentVariableIsSet("PROBE_WORKERS") ? qEnvironmentVariableIntValue("PROBE_WORKERS") : trawlex::engine::Prefetcher::DefaultWorkers();
  auto* window = new trawlex::ui::ResultsWindow(request, context);
  LatencyWatch watch;
  window->installEventFilter(&watch);
  window->show();

  QElapsedTimer clock;
  qint64 finishedAfter = -1;
  std::int64_t hits = 0;
  // Read everything from the window here: quitting closes the window, which deletes itself.
  QObject::connect(window, &trawlex::ui::ResultsWindow::runFinished, &app, [&] {
    finishedAfter = clock.elapsed();
    hits = window->run().counts().findCnt;
    app.quit();
  });
  // Every 25 ms a program event is posted, as the viewer does when the user moves on.
  QTimer poster;
  QObject::connect(&poster, &QTimer::timeout, &app, [&] {
    if (watch.postedAt >= 0) return;  // the last one is still waiting
    watch.postedAt = watch.clock.elapsed();
    QCoreApplication::postEvent(window, new trawlex::ui::ProgramEvent(trawlex::ui::kEventRestoreResults));
  });
  watch.clock.start();
  clock.start();
  if (!window->Start()) return 1;
  poster.start(25);
  app.exec();
  std::cout << "window_ms " << finishedAfter << "\n"
            << "hits " << hits << "\n"
            << "event_latency_max_ms " << watch.worst << " (" << watch.handled << " events)\n";
  return 0;
}
