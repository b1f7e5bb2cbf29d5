// The clean-up of temporaries a killed writer left: only names of the given
// prefix, only old ones, never one a live writer still holds.
#include "base/atomic_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/file.h>
#endif

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace trivolux {
namespace {

constexpr std::chrono::seconds kAge{60};

void Touch(const QString& path, bool old) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("partial");
  file.flush();  // the time set below must be the last change
  if (old) {
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime));
  }
}

TEST(AtomicFile, NextRunRemovesOnlyAbandonedTemporariesOfItsKind) {
  QTemporaryDir dir;
  const QString prefix = QStringLiteral(".scan.csv.");
  struct Case {
    const char* name;
    bool old;
    bool removed;
  } const cases[] = {
      {".scan.csv.Ab3dE9", true, true},    // a killed run's
      {".scan.csv.Xy7wQ2", false, false},  // may be a run writing right now
      {".scan.csv.Ab3dE", true, false},    // not a temporary's name
      {".scan.csv.Ab3dE9~", true, false}, {".scan.csv.Ab-dE9", true, false},
      {".log.csv.Ab3dE9", true, false},  // another output's
      {"scan.csv", true, false},         // the target itself
  };
  for (const Case& c : cases) Touch(dir.filePath(QString::fromLatin1(c.name)), c.old);

  // A run still writing holds its temporary (on Linux often an unnamed
  // file until its commit), and that temporary's lock, however old it looks.
  AtomicFile live(dir.filePath(QStringLiteral("scan.csv")), prefix);
  ASSERT_TRUE(live.Open());
  ASSERT_TRUE(live.Write("rows"));
#ifndef _WIN32
  const QString heldPath = dir.filePath(prefix + QStringLiteral("Hld123"));
  Touch(heldPath, true);
  QFile held(heldPath);
  ASSERT_TRUE(held.open(QIODevice::ReadOnly));
  ASSERT_EQ(flock(held.handle(), LOCK_EX | LOCK_NB), 0);
#endif

  EXPECT_EQ(RemoveAbandonedTemporaries(dir.path(), prefix, kAge), 1);
  for (const Case& c : cases)
    EXPECT_EQ(QFile::exists(dir.filePath(QString::fromLatin1(c.name))), !c.removed) << c.name;
#ifndef _WIN32
  EXPECT_TRUE(QFile::exists(heldPath));
#endif
  ASSERT_TRUE(live.Commit());
  QFile target(dir.filePath(QStringLiteral("scan.csv")));
  ASSERT_TRUE(target.open(QIODevice::ReadOnly));
  EXPECT_EQ(target.readAll(), "rows");
}

}  // namespace
}  // namespace trivolux
