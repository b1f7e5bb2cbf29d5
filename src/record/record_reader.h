#pragma once
// Reading a record file back: the column headings, and per data line its
// time in seconds after the first line and its eleven values. Parsing is
// incremental (a file is read in blocks, so the window stays responsive and
// memory is bounded by the limits below, never by the file) and widget-free.
// Also the CSV export of what was read.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace trivolux {

// A record file larger than this is not read: a recording at the shortest
// interval writes about 25 MiB a day.
inline constexpr qint64 kRecordMaxFileSize = qint64{256} << 20;
// Data lines kept; reading stops after them (about 40 bytes each in memory,
// and 112 bytes in the seven curves of the graph panel).
inline constexpr std::size_t kRecordMaxLines = 2'000'000;
// A data line is at most 97 characters; a longer line is skipped unread.
inline constexpr std::size_t kRecordMaxLineLength = 512;
// Lines before the column headings (a line feed, title, panel ID, empty line).
inline constexpr int kRecordMaxHeaderLines = 8;
// Bytes read from the file per step.
inline constexpr qint64 kRecordReadBlock = qint64{1} << 20;

struct RecordData {
  static constexpr int kValues = 11;  // RED .. TEMP, in record order

  QList<QByteArray> columns;  // the 13 column headings, DATE and TIME first
  // Date and time of the first data line as written (local wall-clock time,
  // no zone), in seconds since the start of the Julian day count.
  qint64 startSeconds = 0;
  std::vector<double> seconds;  // per data line, after the first line
  std::array<std::vector<std::int16_t>, kValues> values;
  long long skipped = 0;       // lines that are no data line
  long long firstSkipped = 0;  // file line number (from 1) of the first of them
  bool sorted = true;          // no line earlier than the one before (clock set back)
  bool truncated = false;      // more data lines than the limit: the rest was not read

  std::size_t lines() const { return seconds.size(); }
};

// Parses a record file's bytes as they come. A line ends in "\n" (a "\r"
// before it is dropped). The lines before the heading line (which starts
// with DATE and TIME) are the header; each line after it is a data line or
// is skipped and counted: a date or time that cannot be read (midnight and a
// change of date count on), a value that is no 16-bit integer, a wrong
// number of values.
class RecordParser {
 public:
  explicit RecordParser(std::size_t maxLines = kRecordMaxLines) : maxLines_(maxLines) {}
  // False when parsing has ended: an error (no heading line) or the line
  // limit; further bytes are ignored.
  bool Feed(const char* bytes, std::size_t size);
  // Takes a last line without a line end. False with the reason when the
  // bytes were no record file.
  bool Finish(QString* error);

  const RecordData& data() const { return data_; }
  RecordData TakeData() { return std::move(data_); }

 private:
  void TakeLine(const char* line, std::size_t size);
  void TakeHeaderLine(const char* line, std::size_t size);
  bool TakeDataLine(const char* line, std::size_t size);

  std::size_t maxLines_;
  RecordData data_;
  QByteArray pending_;     // start of a line that continues in the next block
  bool overlong_ = false;  // pending_ went past kRecordMaxLineLength: drop up to the line end
  long long lineNumber_ = 0;
  bool headed_ = false;
  bool stopped_ = false;
  QString error_;
  qint64 lastSeconds_ = 0;
  // The Julian day of the last date field read, so that lines of the same day
  // do not convert it again.
  char lastDate_[10] = {};
  qint64 lastDay_ = -1;
};

// Reads a record file in blocks of kRecordReadBlock bytes. Anything but a
// regular file is refused before it is opened, so reading never waits for a
// writer and never runs forever.
class RecordReader {
 public:
  // False with the reason when the file cannot be read.
  bool Open(const QString& path, QString* error);
  enum class Step { More, Done, Failed };
  // Reads and parses the next block: More while bytes are left, Done at the
  // end (or the line limit), Failed with the reason in *error.
  Step ReadBlock(QString* error);
  // Progress of the reading, 0 to 1.
  double Progress() const;
  RecordData TakeData() { return parser_.TakeData(); }

 private:
  QFile file_;
  QByteArray block_;
  qint64 size_ = 0;
  qint64 read_ = 0;
  RecordParser parser_;
};

// Reads a whole record file (ReadBlock to the end).
bool ReadRecordFile(const QString& path, RecordData* data, QString* error);

// Date and time of seconds since the start of the Julian day count as
// ISO 8601 without a zone ("2026-03-07T09:05:04"), as the record file has none.
QByteArray IsoDateTime(qint64 seconds);

// Writes data as CSV (RFC 4180, "\r\n" line ends): a heading row with
// "DATE TIME" and the value columns' headings, then one row per data line
// with its ISO 8601 date and time and its values. The file is replaced only
// once it is written in full. False with the system's reason. betweenBlocks
// runs after each kRecordReadBlock bytes written.
bool WriteRecordCsv(const RecordData& data, const QString& path, QString* error,
                    const std::function<void()>& betweenBlocks = {});

}  // namespace trivolux
