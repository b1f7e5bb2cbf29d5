#pragma once
// The three line formats of measure. record: the recorder's file, byte for
// byte (header, then MM-DD-YYYY and HH:MM:SS and words 0..10, tab separated,
// CR LF). csv: a header row naming the time and all 20 words, then one row per
// frame with an ISO-8601 local timestamp with milliseconds and offset. jsonl:
// one JSON object per frame with the same names.
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "cli/cli_options.h"
#include "live/measurement_record.h"

namespace trivolux::cli {

// What goes before the first frame (the record header, the CSV header row).
QByteArray MeasureHeader(MeasureFormat format, const QString& panelId);
QByteArray MeasureLine(MeasureFormat format, const QDateTime& when, const MeasurementRecord& record);

// 2024-05-17T09:30:05.123+02:00
QByteArray IsoLocalTime(const QDateTime& when);

}  // namespace trivolux::cli
