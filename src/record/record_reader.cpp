#include "record/record_reader.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <charconv>
#include <cstring>

#include "base/atomic_file.h"

namespace trivolux {

namespace {

constexpr int kColumns = 2 + RecordData::kValues;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Two digits at p, or -1.
int TwoDigits(const char* p) {
  return IsDigit(p[0]) && IsDigit(p[1]) ? (p[0] - '0') * 10 + (p[1] - '0') : -1;
}

// "MM-DD-YYYY": the Julian day, or -1.
qint64 JulianDayOf(const char* p) {
  if (p[2] != '-' || p[5] != '-') return -1;
  const int month = TwoDigits(p), day = TwoDigits(p + 3), high = TwoDigits(p + 6), low = TwoDigits(p + 8);
  if (month < 0 || day < 0 || high < 0 || low < 0) return -1;
  const QDate date(high * 100 + low, month, day);
  return date.isValid() ? date.toJulianDay() : -1;
}

// "HH:MM:SS": seconds of the day, or -1.
int SecondsOfDay(const char* p) {
  if (p[2] != ':' || p[5] != ':') return -1;
  const int h = TwoDigits(p), m = TwoDigits(p + 3), s = TwoDigits(p + 6);
  if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return -1;
  return h * 3600 + m * 60 + s;
}

// A signed decimal 16-bit value from p up to end; false for anything else.
bool ParseWord(const char* p, const char* end, std::int16_t* out) {
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  if (p == end || end - p > 5) return false;
  int v = 0;
  for (; p < end; ++p) {
    if (!IsDigit(*p)) return false;
    v = v * 10 + (*p - '0');
  }
  if (negative) v = -v;
  if (v < -32768 || v > 32767) return false;
  *out = static_cast<std::int16_t>(v);
  return true;
}

// Quotes a CSV field that holds a separator, a quote or a line end.
QByteArray CsvField(const QByteArray& text) {
  if (!text.contains(',') && !text.contains('"') && !text.contains('\r') && !text.contains('\n')) return text;
  QByteArray quoted = text;
  quoted.replace('"', "\"\"");
  return '"' + quoted + '"';
}

}  // namespace

bool RecordParser::Feed(const char* bytes, std::size_t size) {
  const char* const end = bytes + size;
  while (!stopped_ && bytes < end) {
    const auto* feed =
        static_cast<const char*>(std::memchr(bytes, '\n', static_cast<std::size_t>(end - bytes)));
    const char* lineEnd = feed ? feed : end;
    const auto length = static_cast<std::size_t>(lineEnd - bytes);
    if (!overlong_) {
      if (pending_.isEmpty() && feed) {
        TakeLine(bytes, length);  // the common case: a whole line in the block
      } else if (static_cast<std::size_t>(pending_.size()) + length > kRecordMaxLineLength) {
        overlong_ = true;
        pending_.clear();
      } else {
        pending_.append(bytes, static_cast<qsizetype>(length));
        if (feed) {
          TakeLine(pending_.constData(), static_cast<std::size_t>(pending_.size()));
          pending_.clear();
        }
      }
    }
    if (feed && overlong_) {
      overlong_ = false;
      TakeLine(nullptr, kRecordMaxLineLength + 1);
    }
    bytes = feed ? feed + 1 : end;
  }
  return !stopped_;
}

bool RecordParser::Finish(QString* error) {
  if (!stopped_ && (overlong_ || !pending_.isEmpty())) {
    TakeLine(overlong_ ? nullptr : pending_.constData(),
             overlong_ ? kRecordMaxLineLength + 1 : static_cast<std::size_t>(pending_.size()));
  }
  pending_.clear();
  overlong_ = false;
  stopped_ = true;
  if (error_.isEmpty() && !headed_)
    error_ = QStringLiteral("It has no column headings (DATE, TIME and the values): it is no record file.");
  if (!error_.isEmpty()) {
    *error = error_;
    return false;
  }
  return true;
}

void RecordParser::TakeLine(const char* line, std::size_t size) {
  ++lineNumber_;
  if (line && size > 0 && line[size - 1] == '\r') --size;
  if (!headed_) {
    TakeHeaderLine(line, size);
  } else if (size > kRecordMaxLineLength || !TakeDataLine(line, size)) {
    if (data_.skipped++ == 0) data_.firstSkipped = lineNumber_;
  }
}

void RecordParser::TakeHeaderLine(const char* line, std::size_t size) {
  if (line && size <= kRecordMaxLineLength && size >= 9 && std::memcmp(line, "DATE\tTIME", 9) == 0) {
    const QList<QByteArray> names = QByteArray(line, static_cast<qsizetype>(size)).split('\t');
    if (names.size() != kColumns) {
      error_ = QStringLiteral("Its column headings name %1 columns instead of %2.")
                   .arg(names.size())
                   .arg(kColumns);
      stopped_ = true;
      return;
    }
    data_.columns = names;
    headed_ = true;
  } else if (lineNumber_ >= kRecordMaxHeaderLines) {
    stopped_ = true;  // Finish names the reason
  }
}

bool RecordParser::TakeDataLine(const char* line, std::size_t size) {
  // "MM-DD-YYYY\tHH:MM:SS" and at least one character per value.
  if (size < 20 + 2 * RecordData::kValues - 1 || line[10] != '\t' || line[19] != '\t') return false;
  qint64 day = lastDay_;
  if (day < 0 || std::memcmp(line, lastDate_, sizeof lastDate_) != 0) {
    day = JulianDayOf(line);
    if (day < 0) return false;
  }
  const int secondOfDay = SecondsOfDay(line + 11);
  if (secondOfDay < 0) return false;
  std::int16_t words[RecordData::kValues];
  const char* p = line + 20;
  const char* const end = line + size;
  for (int w = 0; w < RecordData::kValues; ++w) {
    const auto* tab = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p)));
    const char* fieldEnd = tab ? tab : end;
    if ((tab != nullptr) != (w + 1 < RecordData::kValues) || !ParseWord(p, fieldEnd, &words[w])) return false;
    p = fieldEnd + 1;
  }
  std::memcpy(lastDate_, line, sizeof lastDate_);
  lastDay_ = day;
  const qint64 when = day * 86400 + secondOfDay;
  if (data_.seconds.empty()) {
    data_.startSeconds = when;
  } else if (when < lastSeconds_) {
    data_.sorted = false;
  }
  lastSeconds_ = when;
  data_.seconds.push_back(static_cast<double>(when - data_.startSeconds));
  for (int w = 0; w < RecordData::kValues; ++w) data_.values[static_cast<std::size_t>(w)].push_back(words[w]);
  if (data_.lines() == maxLines_) {
    data_.truncated = true;
    stopped_ = true;
  }
  return true;
}

bool RecordReader::Open(const QString& path, QString* error) {
  const QFileInfo info(path);
  if (!info.isFile()) {
    *error = info.exists() ? QStringLiteral("Not a regular file") : QStringLiteral("No such file");
    return false;
  }
  if (info.size() > kRecordMaxFileSize) {
    *error = QStringLiteral("It is larger than %1 MiB and was not read.").arg(kRecordMaxFileSize >> 20);
    return false;
  }
  file_.setFileName(path);
  if (!file_.open(QIODevice::ReadOnly) || file_.isSequential()) {
    *error = file_.errorString();
    file_.close();
    return false;
  }
  size_ = info.size();
  return true;
}

RecordReader::Step RecordReader::ReadBlock(QString* error) {
  if (block_.size() != kRecordReadBlock) block_.resize(static_cast<qsizetype>(kRecordReadBlock));
  const qint64 got = file_.read(block_.data(), kRecordReadBlock);
  if (got < 0) {
    *error = file_.errorString();
    return Step::Failed;
  }
  read_ += got;
  // A file that grows while it is read (a recording into it) is read up to
  // the limit.
  const bool more = got > 0 && read_ <= kRecordMaxFileSize &&
                    parser_.Feed(block_.constData(), static_cast<std::size_t>(got));
  if (more) return Step::More;
  file_.close();
  return parser_.Finish(error) ? Step::Done : Step::Failed;
}

double RecordReader::Progress() const {
  return size_ > 0 ? std::min(1.0, static_cast<double>(read_) / static_cast<double>(size_)) : 1.0;
}

bool ReadRecordFile(const QString& path, RecordData* data, QString* error) {
  RecordReader reader;
  if (!reader.Open(path, error)) return false;
  RecordReader::Step step;
  while ((step = reader.ReadBlock(error)) == RecordReader::Step::More) {
  }
  if (step == RecordReader::Step::Failed) return false;
  *data = reader.TakeData();
  return true;
}

QByteArray IsoDateTime(qint64 seconds) {
  const qint64 day = seconds / 86400;
  const int s = static_cast<int>(seconds - day * 86400);
  QByteArray text = QDate::fromJulianDay(day).toString(Qt::ISODate).toLatin1();
  const int parts[] = {s / 3600, s / 60 % 60, s % 60};
  for (int i = 0; i < 3; ++i) {
    text += i == 0 ? 'T' : ':';
    text += static_cast<char>('0' + parts[i] / 10);
    text += static_cast<char>('0' + parts[i] % 10);
  }
  return text;
}

bool WriteRecordCsv(const RecordData& data, const QString& path, QString* error,
                    const std::function<void()>& betweenBlocks) {
  AtomicFile file(path, QStringLiteral(".csv$$"));
  QByteArray out;
  out.reserve(static_cast<qsizetype>(kRecordReadBlock) + 256);
  out += CsvField(data.columns.value(0) + ' ' + data.columns.value(1));
  for (int c = 2; c < data.columns.size(); ++c) out += ',' + CsvField(data.columns[c]);
  out += "\r\n";
  bool ok = file.Open();
  // The date of a day is formatted once; lines of the same second share the text.
  qint64 lastSecond = -1;
  QByteArray stamp;
  for (std::size_t i = 0; ok && i < data.lines(); ++i) {
    const qint64 when = data.startSeconds + static_cast<qint64>(data.seconds[i]);
    if (when != lastSecond) {
      stamp = IsoDateTime(when);
      lastSecond = when;
    }
    out += stamp;
    for (const auto& column : data.values) {
      char digits[8] = {','};
      const auto end = std::to_chars(digits + 1, digits + sizeof digits, column[i]).ptr;
      out.append(digits, end - digits);
    }
    out += "\r\n";
    if (out.size() >= kRecordReadBlock) {
      ok = file.Write(out);
      out.clear();
      if (betweenBlocks) betweenBlocks();
    }
  }
  ok = ok && file.Write(out) && file.Commit();
  if (!ok) *error = file.errorString();
  return ok;
}

}  // namespace trivolux
