#include "record/record_reader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "record/record_file.h"

namespace trivolux {
namespace {

const QByteArray kHeader = RecordHeader("TRIVOLUX VR Scope V1.2", "LINE 4");
const QByteArray kValues = "\t1\t2\t3\t4\t5\t6\t-1\t8\t9\t10\t11\r\n";

RecordData Parse(const QByteArray& bytes, std::size_t blockSize, QString* error = nullptr) {
  RecordParser parser;
  for (qsizetype at = 0; at < bytes.size(); at += static_cast<qsizetype>(blockSize))
    parser.Feed(bytes.constData() + at, std::min(blockSize, static_cast<std::size_t>(bytes.size() - at)));
  QString reason;
  EXPECT_EQ(parser.Finish(&reason), error == nullptr) << reason.toStdString();
  if (error) *error = reason;
  return parser.TakeData();
}

TEST(RecordReader, TimeAxisCountsOnOverMidnightAndDateChanges) {
  struct Case {
    const char* dateTime;
    double seconds;
  } cases[] = {{"12-31-2026\t23:59:58", 0},
               {"12-31-2026\t23:59:58", 0},
               {"01-01-2027\t00:00:01", 3},
               {"01-01-2027\t10:00:01", 36003},
               {"02-28-2028\t00:00:00", 2 + 423 * 86400.0},
               {"02-29-2028\t00:00:00", 2 + 424 * 86400.0}};  // a leap day
  QByteArray file = kHeader;
  for (const Case& c : cases) file += c.dateTime + kValues;
  // Lines split anywhere between two blocks read alike.
  for (std::size_t block : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20}) {
    const RecordData d = Parse(file, block);
    ASSERT_EQ(d.lines(), std::size(cases)) << block;
    for (std::size_t i = 0; i < d.lines(); ++i) EXPECT_EQ(d.seconds[i], cases[i].seconds) << i;
    EXPECT_EQ(d.columns.size(), 13);
    EXPECT_EQ(d.columns[5], "X s");
    EXPECT_EQ(d.values[0].front(), 1);
    EXPECT_EQ(d.values[6].back(), -1);
    EXPECT_EQ(d.values[10].back(), 11);
    EXPECT_EQ(IsoDateTime(d.startSeconds), "2026-12-31T23:59:58");
    EXPECT_TRUE(d.sorted);
    EXPECT_EQ(d.skipped, 0);
  }
}

TEST(RecordReader, LinesThatAreNoDataLinesAreSkippedAndCounted) {
  const char* bad[] = {
      "13-01-2026\t10:00:00",  // month 13
      "02-30-2026\t10:00:00",  // no such day
      "03-07-2026\t24:00:00",  // hour 24
      "03-07-2026\t10:60:00",  //
      "3-7-2026\t10:00:00",    // unpadded
      "03/07/2026\t10:00:00",  //
      "03-07-2026 10:00:00",   // blank instead of tab
  };
  const char* badValues[] = {
      "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\r\n",        "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\r\n",
      "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t32768\r\n", "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t\t11\r\n",
      "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t1x\r\n",    "\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t-\r\n"};
  QByteArray file = kHeader + "03-07-2026\t09:00:00" + kValues;
  int expectSkipped = 0;
  for (const char* dt : bad) {
    file += dt + kValues;
    ++expectSkipped;
  }
  for (const char* v : badValues) {
    file += QByteArray("03-07-2026\t09:00:01") + v;
    ++expectSkipped;
  }
  file += "\r\n" + QByteArray(3000, 'x') + "\r\n";  // an empty and an overlong line
  expectSkipped += 2;
  file += "03-07-2026\t09:00:02\t-32768\t2\t3\t4\t5\t6\t7\t8\t9\t10\t32767";  // no line end
  for (std::size_t block : {std::size_t{5}, std::size_t{1} << 20}) {
    const RecordData d = Parse(file, block);
    EXPECT_EQ(d.skipped, expectSkipped) << block;
    EXPECT_EQ(d.firstSkipped, 7);  // after the header's 5 lines and the first data line
    ASSERT_EQ(d.lines(), 2u);
    EXPECT_EQ(d.seconds[1], 2);
    EXPECT_EQ(d.values[0][1], -32768);
    EXPECT_EQ(d.values[10][1], 32767);
  }
}

TEST(RecordReader, ClockSetBackIsKeptAndMarked) {
  const RecordData d = Parse(kHeader + "03-07-2026\t09:00:10" + kValues + "03-07-2026\t09:00:05" + kValues,
                             std::size_t{1} << 20);
  ASSERT_EQ(d.lines(), 2u);
  EXPECT_EQ(d.seconds[1], -5);
  EXPECT_FALSE(d.sorted);
}

TEST(RecordReader, BytesThatAreNoRecordFileAreRefused) {
  const QByteArray cases[] = {
      "",
      "03-07-2026\t09:00:00" + kValues,              // data without headings
      QByteArray(10, '\n') + "DATE\tTIME\tRED\r\n",  // headings too late
      "\nTITLE\r\n\r\nDATE\tTIME\tRED\tGREEN\r\n",   // too few columns
      QByteArray(100000, 'x'),                       // one overlong line
  };
  for (const QByteArray& bytes : cases) {
    QString error;
    Parse(bytes, 4096, &error);
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(RecordReader, StopsAtTheLineLimit) {
  RecordParser parser(3);
  QByteArray file = kHeader;
  for (int i = 0; i < 5; ++i) file += "03-07-2026\t09:00:0" + QByteArray::number(i) + kValues;
  EXPECT_FALSE(parser.Feed(file.constData(), static_cast<std::size_t>(file.size())));
  QString error;
  EXPECT_TRUE(parser.Finish(&error));
  EXPECT_EQ(parser.data().lines(), 3u);
  EXPECT_TRUE(parser.data().truncated);
}

TEST(RecordReader, FilesThatCannotBeReadAreRefusedBeforeReading) {
  QTemporaryDir dir;
  RecordData d;
  QString error;
  EXPECT_FALSE(ReadRecordFile(dir.path(), &d, &error));  // a directory
  EXPECT_FALSE(ReadRecordFile(dir.filePath("none.dat"), &d, &error));
  QFile huge(dir.filePath("huge.dat"));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize(kRecordMaxFileSize + 1));  // sparse: nothing is written
  huge.close();
  error.clear();
  EXPECT_FALSE(ReadRecordFile(huge.fileName(), &d, &error));
  EXPECT_TRUE(error.contains("larger than 256 MiB")) << error.toStdString();
}

TEST(RecordReader, CsvHasIsoTimesTheHeadingsAndOneRowPerDataLine) {
  QTemporaryDir dir;
  QByteArray header = kHeader;
  header.replace("X s", "X, \"s\"");  // a heading that needs quotes
  const QString source = dir.filePath("r.dat");
  QString error;
  ASSERT_TRUE(AppendRecordBytes(
      source, header + "12-31-2026\t23:59:59" + kValues + "bad\r\n" + "01-01-2027\t00:00:00" + kValues,
      &error));
  RecordData d;
  ASSERT_TRUE(ReadRecordFile(source, &d, &error)) << error.toStdString();
  const QString csv = dir.filePath("r.csv");
  ASSERT_TRUE(WriteRecordCsv(d, csv, &error)) << error.toStdString();
  QFile f(csv);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(),
            "DATE TIME,RED,GREEN,BLUE,\"X, \"\"s\"\"\",Y i,INT M,delta C,COLOR,GROUP,TRIGGER,TEMP\r\n"
            "2026-12-31T23:59:59,1,2,3,4,5,6,-1,8,9,10,11\r\n"
            "2027-01-01T00:00:00,1,2,3,4,5,6,-1,8,9,10,11\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary left
  EXPECT_FALSE(WriteRecordCsv(d, dir.filePath("missing/r.csv"), &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace trivolux
