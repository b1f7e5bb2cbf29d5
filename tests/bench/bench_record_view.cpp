// A large record file looked at again in the assembled program (real panels,
// offscreen platform, no sensor). Prints, for a file of N lines (default
// 1 000 000, as a recording at 0.25 s writes in about three days):
//   - the file size and the time to write it;
//   - OPEN FILE: from the click to the graph panel drawn, the longest time
//     the event loop did not run in between (target: under 100 ms, so the
//     window keeps painting), and the growth of the peak resident memory;
//   - EXPORT CSV: the time and the CSV size.
// With a directory, also saves a picture of the main window showing the file.
// Usage: bench_record_view [lines [picture-directory]]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include "app_fixture.h"
#include "qcustomplot.h"
#include "record/record_file.h"
#include "record/record_reader.h"
#include "ui/graph_panel.h"
#include "ui/panels.h"

namespace {

using namespace trivolux;

// Peak resident memory of the process, MiB (Linux; 0 elsewhere).
double PeakMiB() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return 0;
}

// A recording at 0.25 s: four lines a second, values that vary.
void WriteFile(const QString& path, int lines) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) std::abort();
  f.write(RecordHeader("TRIVOLUX VR Scope V1.2", "BENCH"));
  QDateTime when(QDate(2026, 3, 7), QTime(22, 0, 0));
  QByteArray block;
  MeasurementRecord r;
  QByteArray dateTime;
  for (int i = 0; i < lines; ++i) {
    for (int w = 0; w < MeasurementRecord::kWordCount; ++w)
      r.word[static_cast<std::size_t>(w)] =
          static_cast<std::int16_t>(2000 + 1500 * std::sin(i * (w + 1) / 40000.0) + i % 97);
    if (i % 4 == 0) dateTime = RecordDateTime(when.addSecs(i / 4));
    block += RecordLine(dateTime, r);
    if (block.size() > (1 << 20)) {
      f.write(block);
      block.clear();
    }
  }
  f.write(block);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int lines = argc > 1 ? std::atoi(argv[1]) : 1000000;
  QTemporaryDir dir;
  test::AppFixture f;
  Panels& panels = f.panels();
  panels.mainPanel().show();
  auto& ui = panels.recordPage().ui;
  panels.mainPanel().ui.TabMain->setCurrentIndex(MainPanel::kRecordPage);

  const QString path = dir.filePath("big.dat");
  QElapsedTimer clock;
  clock.start();
  WriteFile(path, lines);
  std::printf("record file: %d lines, %.1f MiB, written in %.2f s\n", lines,
              QFileInfo(path).size() / 1048576.0, clock.elapsed() / 1e3);

  // The core alone: parse and CSV.
  {
    RecordData data;
    QString error;
    clock.restart();
    if (!ReadRecordFile(path, &data, &error)) std::abort();
    const qint64 parsed = clock.restart();
    if (!WriteRecordCsv(data, dir.filePath("core.csv"), &error)) std::abort();
    std::printf("core: parsed in %.2f s, CSV written in %.2f s\n", parsed / 1e3, clock.elapsed() / 1e3);
  }

  // Runs a click and returns its seconds and the longest gap between two
  // turns of the event loop meanwhile, ms.
  qint64 lastTurn = 0, longest = 0;
  QTimer turns;
  turns.setInterval(0);
  QObject::connect(&turns, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - lastTurn);
    lastTurn = now;
  });
  const auto measure = [&](const std::function<void()>& click) {
    turns.start();
    clock.restart();
    lastTurn = longest = 0;
    click();
    const qint64 took = clock.nsecsElapsed();
    turns.stop();
    longest = std::max(longest, took - lastTurn);
    return std::make_pair(took / 1e9, longest / 1e6);
  };
  const double before = PeakMiB();
  f.popups.files.push_back({FileSelect::Existing, path});
  QTimer::singleShot(0, [&] {
    const auto open = measure([&] {
      ui.ButtonOpenRecFile->click();
      panels.graphPanel().GraphOf(0)->replot();  // drawn at once, not queued
    });
    std::printf(
        "OPEN FILE: %.2f s to the drawn graph, event loop idle at most %.0f ms, peak memory +%.0f MiB\n",
        open.first, open.second, PeakMiB() - before);
    std::printf("  %s\n", qPrintable(ui.DispViewInfo->text()));
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // the layouts follow the texts
    if (argc > 2) panels.mainPanel().grab().save(QDir(argv[2]).filePath("record_view.png"));

    const QString csv = dir.filePath("big.csv");
    f.popups.files.push_back({FileSelect::New, csv});
    const auto save = measure([&] { ui.ButtonExportCsv->click(); });
    std::printf("EXPORT CSV: %.2f s, event loop idle at most %.0f ms, %.1f MiB\n", save.first, save.second,
                QFileInfo(csv).size() / 1048576.0);
    QCoreApplication::quit();
  });
  return app.exec();
}
