// The clean-up of temporaries a killed writer left: only names of the given
// prefix, only old ones, never one a live writer still holds.
#include "base/atomic_file.h"

#include <gtest/gtest.h>

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
  if (old)
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime));
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

  // A run still writing holds its temporary, however old it looks.
  const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  AtomicFile live(dir.filePath(QStringLiteral("scan.csv")), prefix);
  ASSERT_TRUE(live.Open());
  ASSERT_TRUE(live.Write("rows"));
  QStringList added = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  for (const QString& name : before) added.removeAll(name);
  ASSERT_EQ(added.size(), 1);
  const QString liveName = added.front();
  QFile held(dir.filePath(liveName));
  ASSERT_TRUE(held.open(QIODevice::ReadWrite));
  ASSERT_TRUE(
      held.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime));
  held.close();

  EXPECT_EQ(RemoveAbandonedTemporaries(dir.path(), prefix, kAge), 1);
  for (const Case& c : cases)
    EXPECT_EQ(QFile::exists(dir.filePath(QString::fromLatin1(c.name))), !c.removed) << c.name;
  EXPECT_TRUE(QFile::exists(dir.filePath(liveName)));
  ASSERT_TRUE(live.Commit());
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("scan.csv"))));
}

}  // namespace
}  // namespace trivolux
