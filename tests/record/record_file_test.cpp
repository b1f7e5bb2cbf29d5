#include "record/record_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace trivolux {
namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

TEST(RecordFile, RecordTimeSplitKeepsTheFractionOnTheSeconds) {
  struct Case {
    double interval;
    int values, days, hours, minutes;
    double seconds;
  } cases[] = {{0.25, 100, 0, 0, 0, 25}, {3600.5, 30, 1, 6, 0, 15}, {0.25, 65535, 0, 4, 33, 3.75}};
  for (const Case& c : cases) {
    const RecordTime t = RecordTimeFor(c.interval, c.values);
    EXPECT_EQ(t.days, c.days) << c.interval;
    EXPECT_EQ(t.hours, c.hours) << c.interval;
    EXPECT_EQ(t.minutes, c.minutes) << c.interval;
    EXPECT_DOUBLE_EQ(t.seconds, c.seconds) << c.interval;
  }
}

TEST(RecordFile, HeaderWithAndWithoutIdentification) {
  const QByteArray headings =
      "DATE\tTIME\tRED\tGREEN\tBLUE\tX s\tY i\tINT M\tdelta C\tCOLOR\tGROUP\tTRIGGER\tTEMP\r\n";
  EXPECT_EQ(RecordHeader("TRIVOLUX VR Scope V1.2", ""),
            "\nRECORD RESULTS OF: TRIVOLUX VR Scope V1.2\r\n\r\n" + headings);
  EXPECT_EQ(RecordHeader("TRIVOLUX VR Scope V1.2", "LINE 4"),
            "\nRECORD RESULTS OF: TRIVOLUX VR Scope V1.2\r\nPANEL ID: LINE 4\r\n\r\n" + headings);
}

TEST(RecordFile, DataLineKeepsSignsAndStopsAtTemp) {
  MeasurementRecord r;
  for (int w = 0; w < MeasurementRecord::kWordCount; ++w)
    r.word[static_cast<std::size_t>(w)] = static_cast<std::int16_t>(w + 1);
  r.word[MeasurementRecord::kDeltaC] = -1;
  r.word[MeasurementRecord::kRed] = -32768;
  r.word[MeasurementRecord::kGreen] = 32767;
  const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 4));
  EXPECT_EQ(RecordLine(when, r), "03-07-2026\t09:05:04\t-32768\t32767\t3\t4\t5\t6\t-1\t8\t9\t10\t11\r\n");
}

TEST(RecordFile, AppendCreatesAppendsAndReportsWhyItFailed) {
  QTemporaryDir dir;
  const QString path = dir.filePath("r.dat");
  QString error;
  ASSERT_TRUE(AppendRecordBytes(path, "a\r\n", &error));
  ASSERT_TRUE(AppendRecordBytes(path, "b\r\n", &error));
  EXPECT_EQ(Contents(path), "a\r\nb\r\n");
  EXPECT_FALSE(AppendRecordBytes(dir.filePath("missing/r.dat"), "c", &error));
  EXPECT_FALSE(error.isEmpty());
}

// A new header replaces the file whole and leaves nothing beside it; one
// that cannot be written leaves the old file as it was.
TEST(RecordFile, ReplaceKeepsTheOldFileUntilTheNewOneIsWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath("r.dat");
  QString error;
  ASSERT_TRUE(AppendRecordBytes(path, "old header\r\nline\r\n", &error));
  ASSERT_TRUE(ReplaceRecordFile(path, "new header\r\n", &error));
  EXPECT_EQ(Contents(path), "new header\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.dat"});

  QDir(dir.path()).mkdir("taken");  // a directory in the way cannot be replaced
  EXPECT_FALSE(ReplaceRecordFile(dir.filePath("taken"), "x", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(QFileInfo(dir.filePath("taken")).isDir());
  EXPECT_FALSE(ReplaceRecordFile(dir.filePath("missing/r.dat"), "x", &error));
}

}  // namespace
}  // namespace trivolux
