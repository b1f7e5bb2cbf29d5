#pragma once
// The record file and the record time: the header written when a file is
// selected, one tab-separated line per recorded frame, and the split of the
// total record time. Pure except AppendRecordBytes, which writes.
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "live/measurement_record.h"

namespace trivolux {

// Shortest interval between two frame requests, seconds.
inline constexpr double kMinRecordInterval = 0.25;

struct RecordTime {
  int days = 0;
  int hours = 0;
  int minutes = 0;
  double seconds = 0;  // keeps the fraction
};
// interval × values split into days, hours, minutes and seconds (interval
// already raised to the minimum by the caller).
RecordTime RecordTimeFor(double interval, int values);

// Header: a line feed, "RECORD RESULTS OF: <title>", the "PANEL ID: " line
// when the identification is not empty, an empty line and the 13 column
// headings; CRLF line ends.
QByteArray RecordHeader(const QString& programTitle, const QString& panelId);
// One data line: MM-DD-YYYY, HH:MM:SS, words 0..10 of the record as signed
// integers, tab separated, CRLF.
QByteArray RecordLine(const QDateTime& when, const MeasurementRecord& record);
// The same from the line's first two fields as RecordDateTime gives them
// (a writer of many lines a second formats the time once a second).
QByteArray RecordDateTime(const QDateTime& when);
QByteArray RecordLine(const QByteArray& dateTime, const MeasurementRecord& record);

// Replaces the file at path with bytes (the header of a newly selected
// record file) through the INI store's writer: the old file stays whole until
// the new one takes its place in one rename, and a killed write leaves only an
// "ini$$" temporary that the next start removes. False with the reason in *error.
bool ReplaceRecordFile(const QString& path, const QByteArray& bytes, QString* error);

// Opens path for appending (creating it), writes bytes, closes. Anything
// but a regular file is refused before it is opened, and opening never
// waits. The bytes are appended whole or not at all: a write that stops
// short is cut off again. False with the system's reason in *error when any
// step fails.
bool AppendRecordBytes(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace trivolux
