#pragma once
// The record page: the four record modes (fixed count and continuous at an
// interval, manual, triggered by the sensor's own frames), the record time,
// the record file with its header, one appended line per recorded frame, and
// the graph panel's curves while recording. A line that cannot be written is
// counted and reported; recording goes on.
#include <QObject>
#include <QString>
#include <cstdint>

#include "record/record_viewer.h"

namespace trivolux {

class LinkController;
class LiveController;
class Panels;
class Popups;
struct SharedState;

class RecordController : public QObject {
  Q_OBJECT
 public:
  enum Mode { kFixedCount = 0, kContinuous = 1, kManual = 2, kTriggered = 3 };

  RecordController(Panels& panels, SharedState& state, Popups& popups, LinkController& link,
                   LiveController& live, QObject* parent = nullptr);

  void InitRecordPanel();
  void CalcRecTime();
  void SelRecFile();
  void Record();
  void RecordFrame();
  void TriggeredRecord();
  void RecordManually();
  // Appends the measurement record as one line; a failure is counted and the
  // first one of a run is reported in the connect page's message box.
  void ToFile();

  // The record file: the path the page shows is the path used.
  QString RecordPath() const;
  int Mode() const;
  // OPEN FILE and EXPORT CSV: a record file looked at again.
  RecordViewer& viewer() { return viewer_; }
  double RecordInterval = 1.0;
  std::uint16_t RecordValues = 100;
  std::uint16_t RecordCount = 0;

 public slots:
  void CBF_EditSelectDataRec();
  void CBF_EditInterval();
  void CBF_EditRecVal();
  void CBF_ButtonSelRecFile();
  void CBF_ButtonStartRecord();
  void CBF_ButtonStopRecord();
  void CBF_ButtonStartTrigRec();
  void CBF_ButtonManualRecord();

 private:
  void OnMainTabChanged(int index);
  // Shows and appends one frame just decoded into the measurement record.
  void TakeRecordedFrame();
  // Starts counting the lines of one run.
  void BeginRun();
  // "File has been saved!", or how many lines were not saved.
  void EndRun();
  void SetStartColour(bool running, bool triggered);
  bool ConfirmFileName();

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  LinkController& link_;
  LiveController& live_;
  long long lines_ = 0;
  long long failedLines_ = 0;
  QString firstFailure_;
  RecordViewer viewer_;
};

}  // namespace trivolux
