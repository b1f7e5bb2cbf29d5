#pragma once
// A record file looked at again: OPEN FILE reads one (in blocks, the window
// kept painted) and shows its values over time in the graph panel; EXPORT
// CSV saves what it shows as a CSV file. The file itself is only read.
#include <QObject>
#include <QString>

#include "record/record_reader.h"

namespace trivolux {

class GraphPanelCurves;
class Panels;
class Popups;
struct SharedState;

class RecordViewer : public QObject {
  Q_OBJECT
 public:
  RecordViewer(Panels& panels, SharedState& state, Popups& popups, GraphPanelCurves& curves,
               QObject* parent = nullptr);

  // Asks for a record file, reads it and shows it; a file that cannot be
  // read is reported and the shown one stays.
  void OpenRecordFile();
  // Asks for a CSV file name and writes the shown recording into it.
  void ExportCsv();

  // The file shown, "" before the first.
  const QString& ShownPath() const { return shown_; }
  const RecordData& Shown() const { return data_; }

 private:
  // Reads path block by block; false when it failed (reported) or the
  // program is quitting.
  bool Read(const QString& path, RecordData* data);
  void Show(const QString& path, RecordData data);
  QString Summary() const;

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  GraphPanelCurves& curves_;
  RecordData data_;
  QString shown_;
};

}  // namespace trivolux
