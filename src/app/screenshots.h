#pragma once
// Screenshot mode: after start-up, saves PNGs of the main window on every tab
// page and of every child and popup panel, for the documentation.
#include <QString>

#include "ui/popups.h"

class QWidget;

namespace trivolux {

class Panels;
class ScopeApp;

// Popups that never block: messages are dropped, confirmations answer No
// (unless answerYes is set),
// prompts and file selections are cancelled, and a popup with custom
// buttons answers as Escape would (OFFLINE in the start-up connection check).
class OfflinePopups : public Popups {
 public:
  void Message(const QString&, const QString&) override {}
  bool Confirm(const QString&, const QString&) override { return answerYes; }
  // The pictures of a calibration answer Yes for a while.
  bool answerYes = false;
  std::optional<QString> Prompt(const QString&, const QString&, int) override { return std::nullopt; }
  int Generic(const QString&, const QString&, const QStringList&, int escapeIndex) override {
    return escapeIndex;
  }
  FileSelect SelectFile(const FileRequest&, QString*) override { return FileSelect::None; }
  bool ChoosePrinter(QPrinter&) override { return false; }
};

// Writes the PNGs into dir (created when missing). Returns the number of
// files written, or -1 when dir cannot be created.
int SaveScreenshots(Panels& panels, const QString& dir);

// With a sensor connected: runs GO and saves the data panel on each of its
// four graph pages, the graph panel and both big displays while the frames
// come in ("live_*.png"). Returns the number of files written.
int SaveLiveScreenshots(ScopeApp& app, const QString& dir);

// With a sensor connected: the mean-value teach panel with captures, the
// teach page after TEACH DATA TO, the recorded-value teach panel holding a
// recording with a picked point, and the table-attributes page
// ("teach_*.png"). Returns the number of files written.
int SaveTeachScreenshots(ScopeApp& app, const QString& dir);

// With a sensor connected: the record page in each record mode and the graph
// panel while values are recorded ("record_*.png").
int SaveRecordScreenshots(ScopeApp& app, const QString& dir);

// With a sensor connected: the calibration page after a factor calculation
// and the offset page after GET OFFSET ("calib_*.png"); confirmations are
// answered Yes meanwhile.
int SaveCalibScreenshots(ScopeApp& app, OfflinePopups& popups, const QString& dir);

// With a sensor connected: the scope page and its graph panel after a scan
// with the cursors placed ("scope_after_scan.png"), and the report of that
// scan as SAVE PDF writes it ("scope_report.pdf").
int SaveScopeScreenshots(ScopeApp& app, const QString& dir);

// Processes pending events, then saves the widget's picture as a PNG.
bool SaveWidgetPng(QWidget& w, const QString& path);

}  // namespace trivolux
