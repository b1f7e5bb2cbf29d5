#pragma once
// The three line formats of measure. record: the recorder's file, byte for
// byte (header, then MM-DD-YYYY and HH:MM:SS and words 0..10, tab separated,
// CR LF). csv: a header row naming the time and all 20 words, then one row per
// frame with an ISO-8601 local timestamp with milliseconds and offset. jsonl:
// one JSON object per frame with the same names.
#include <QByteArray>
#include <QString>

#include "cli/cli_options.h"
#include "live/measurement_record.h"

namespace trivolux::cli {

class MeasureFormatter {
 public:
  explicit MeasureFormatter(MeasureFormat format) : format_(format) {}

  // What goes before the first frame (the record header, the CSV header row).
  QByteArray Header(const QString& panelId) const;
  // One frame received at msecs since the epoch.
  QByteArray Line(qint64 msecsSinceEpoch, const MeasurementRecord& record);

 private:
  // The local date and time of a second change once a second (and the
  // offset only on a second boundary): formatted once per second, not per
  // frame, which would cost more than the exchange at thousands of frames a second.
  void FormatSecond(qint64 second);

  MeasureFormat format_;
  qint64 second_ = -1;
  QByteArray dateTime_;  // record: "MM-DD-YYYY\tHH:MM:SS"; else "YYYY-MM-DDTHH:MM:SS"
  QByteArray offset_;    // "+02:00"
};

}  // namespace trivolux::cli
