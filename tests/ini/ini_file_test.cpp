#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "ini/ini_text.h"

namespace trivolux {
namespace {

class IniFile : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  static std::string Contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
    return file.readAll().toStdString();
  }

  static void Store(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }

  // Files other than the expected ones, e.g. temporary files left behind.
  QStringList Entries() const { return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

  static IniText Sample() {
    IniText ini;
    ini.PutInt("PARAMETER", "POWER", 500);
    ini.PutString("PARAMETER", "NAME", "line\nbreak \"quoted\"");
    ini.PutString("INFO", "LONG", std::string(200, 'z'));
    return ini;
  }

  QTemporaryDir dir_;
};

TEST_F(IniFile, WritesTheTextAndReadsItBack) {
  const IniText ini = Sample();
  ASSERT_EQ(ini.WriteToFile(Path("a.ini")), 0);
  EXPECT_EQ(Contents(Path("a.ini")), ini.ToText());
  EXPECT_EQ(Entries(), QStringList{"a.ini"});

  IniText back;
  back.PutInt("OLD", "GONE", 1);
  ASSERT_EQ(back.ReadFromFile(Path("a.ini")), 0);
  EXPECT_EQ(back.ToText(), ini.ToText());

  // Replacing keeps the file's permissions.
  ASSERT_EQ(::chmod(QFile::encodeName(Path("a.ini")).constData(), 0640), 0);
  ASSERT_EQ(IniText().WriteToFile(Path("a.ini")), 0);
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(Path("a.ini")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Contents(Path("a.ini")), "");
}

TEST_F(IniFile, WritingThroughALinkReplacesTheLinkedFile) {
  Store(Path("real.ini"), "old");
  ASSERT_EQ(::symlink("real.ini", QFile::encodeName(Path("link.ini")).constData()), 0);
  ASSERT_EQ(Sample().WriteToFile(Path("link.ini")), 0);
  EXPECT_EQ(Contents(Path("real.ini")), Sample().ToText());
  EXPECT_TRUE(QFileInfo(Path("link.ini")).isSymLink());
}

TEST_F(IniFile, UnreadableSourcesLeaveTheObjectUnchanged) {
  IniText ini = Sample();
  const std::string before = ini.ToText();
  QDir(dir_.path()).mkdir("sub");
  for (const QString& path : {Path("missing.ini"), Path("sub"), QString(), QString("/dev/zero")}) {
    EXPECT_EQ(ini.ReadFromFile(path), ini_error::kCannotOpen) << path.toStdString();
    EXPECT_EQ(ini.ToText(), before);
  }
  Store(Path("empty.ini"), "");
  EXPECT_EQ(ini.ReadFromFile(Path("empty.ini")), 0);
  EXPECT_TRUE(ini.Sections().empty());
}

TEST_F(IniFile, UnwritableTargetsFailWithAccessDenied) {
  Store(Path("keep"), "x");
  const IniText ini = Sample();
  EXPECT_EQ(ini.WriteToFile(Path("no/such/dir/a.ini")), ini_error::kAccessDenied);
  EXPECT_EQ(ini.WriteToFile(Path("keep/a.ini")), ini_error::kAccessDenied);  // parent is a file
  QDir(dir_.path()).mkdir("target");
  EXPECT_EQ(ini.WriteToFile(Path("target")), ini_error::kAccessDenied);
  EXPECT_TRUE(QFileInfo(Path("target")).isDir());
  EXPECT_EQ(ini.WriteToFile(QString()), ini_error::kMissingArgument);
  EXPECT_EQ(Entries(), (QStringList{"keep", "target"}));
}

TEST_F(IniFile, ReadOnlyTargetStaysUntouched) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores permission bits; the other -95 cases still run";
  Store(Path("ro.ini"), "old text");
  ASSERT_TRUE(QFile::setPermissions(Path("ro.ini"), QFile::ReadOwner));
  EXPECT_EQ(Sample().WriteToFile(Path("ro.ini")), ini_error::kAccessDenied);
  EXPECT_EQ(Contents(Path("ro.ini")), "old text");
  QDir(dir_.path()).mkdir("rodir");
  ASSERT_TRUE(QFile::setPermissions(Path("rodir"), QFile::ReadOwner | QFile::ExeOwner));
  EXPECT_EQ(Sample().WriteToFile(Path("rodir/a.ini")), ini_error::kAccessDenied);
  QFile::setPermissions(Path("rodir"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A file size limit makes the write itself fail halfway, whoever runs the test.
TEST_F(IniFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  Store(Path("a.ini"), "old text");
  IniText big;
  for (int i = 0; i < 200; ++i) big.PutString("S", "T" + std::to_string(i), std::string(100, 'q'));

  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = big.WriteToFile(Path("a.ini"));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(result, ini_error::kWriteError);
  EXPECT_EQ(Contents(Path("a.ini")), "old text");
  EXPECT_EQ(Entries(), QStringList{"a.ini"});
}

}  // namespace
}  // namespace trivolux
