#include "ini/ini_file.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>

#include "ini/ini_text.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

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

  // Every entry, so that a temporary file left behind shows; System adds
  // links that lead nowhere.
  QStringList Entries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  }

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

  // A new file is readable by all; a replaced one keeps its permissions.
  const auto kPermissionBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                               QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                               QFile::ExeOther;
  EXPECT_EQ(QFile::permissions(Path("a.ini")) & kPermissionBits,
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  ASSERT_TRUE(QFile::setPermissions(Path("a.ini"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
  ASSERT_EQ(IniText().WriteToFile(Path("a.ini")), 0);
  EXPECT_EQ(QFile::permissions(Path("a.ini")) & kPermissionBits,
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
  EXPECT_EQ(Contents(Path("a.ini")), "");
}

#ifndef _WIN32
TEST_F(IniFile, WritingThroughALinkReplacesTheLinkedFile) {
  Store(Path("real.ini"), "old");
  ASSERT_EQ(::symlink("real.ini", QFile::encodeName(Path("link.ini")).constData()), 0);
  ASSERT_EQ(::symlink("link.ini", QFile::encodeName(Path("chain.ini")).constData()), 0);
  ASSERT_EQ(Sample().WriteToFile(Path("chain.ini")), 0);
  EXPECT_EQ(Contents(Path("real.ini")), Sample().ToText());
  EXPECT_TRUE(QFileInfo(Path("link.ini")).isSymLink());
  EXPECT_TRUE(QFileInfo(Path("chain.ini")).isSymLink());

  // A link that leads nowhere is not replaced by a file.
  ASSERT_EQ(::symlink("gone.ini", QFile::encodeName(Path("dangling.ini")).constData()), 0);
  EXPECT_EQ(Sample().WriteToFile(Path("dangling.ini")), ini_error::kAccessDenied);
  EXPECT_TRUE(QFileInfo(Path("dangling.ini")).isSymLink());
  EXPECT_EQ(Entries(), (QStringList{"chain.ini", "dangling.ini", "link.ini", "real.ini"}));
}
#endif

TEST_F(IniFile, UnreadableSourcesLeaveTheObjectUnchanged) {
  IniText ini = Sample();
  const std::string before = ini.ToText();
  QDir(dir_.path()).mkdir("sub");
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0600), 0);  // opening it would block
#endif
  for (const QString& path :
       {Path("missing.ini"), Path("sub"), QString(), QString("/dev/zero"), Path("fifo")}) {
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

TEST_F(IniFile, ReadingStopsAtTheSizeLimit) {
  IniText ini = Sample();
  QFile file(Path("big.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(file.resize(kIniMaxFileSize + 1));
  file.close();
  EXPECT_EQ(ini.ReadFromFile(Path("big.ini")), ini_error::kFileTooLarge);
  EXPECT_EQ(ini.ToText(), Sample().ToText());

  ASSERT_TRUE(QFile::resize(Path("big.ini"), kIniMaxFileSize));
  EXPECT_EQ(ini.ReadFromFile(Path("big.ini")), 0);
  EXPECT_TRUE(ini.Sections().empty());
}

TEST(IniReadErrorText, NamesTheFileForEveryCode) {
  const QString path = QStringLiteral("/data/%2 and %1/Parameter.ini");
  for (const int code : {ini_error::kFileTooLarge, ini_error::kCannotOpen, ini_error::kOutOfMemory, -1}) {
    const QString text = IniReadErrorText(code, path);
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << text.toStdString();
  }
  EXPECT_TRUE(IniReadErrorText(ini_error::kFileTooLarge, path).contains(QStringLiteral("larger than 4 MiB")));
  EXPECT_EQ(IniReadErrorText(0, path), QString());
}

TEST_F(IniFile, RemovesOnlyStaleTemporaries) {
  const auto age = [](const QString& path, const QDateTime& time) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
  };
  struct Entry {
    const char* name;
    int ageSeconds;
    bool removed;
  };
  const Entry entries[] = {
      {"ini$$AbCdEf", 3600, true},      {"ini$$a1B2c3", 61, true},      {"ini$$QwErTy", 0, false},
      {"ini$$QwErTz", 30, false},       {"ini$$abcde", 3600, false},    {"ini$$abcdefg", 3600, false},
      {"ini$$abc-ef", 3600, false},     {"INI$$abcdef", 3600, false},   {"xini$$abcdef", 3600, false},
      {"ini$$abcdef.ini", 3600, false}, {"Parameter.ini", 3600, false},
  };
  for (const Entry& e : entries) {
    Store(Path(e.name), "x");
    age(Path(e.name), QDateTime::currentDateTime().addSecs(-e.ageSeconds));
  }
  QDir(dir_.path()).mkdir("ini$$DirAbc");
  const std::filesystem::path directory = QFile::encodeName(Path("ini$$DirAbc")).toStdString();
  std::filesystem::last_write_time(directory,
                                   std::filesystem::last_write_time(directory) - std::chrono::hours(1));
#ifndef _WIN32
  ASSERT_EQ(::symlink("Parameter.ini", QFile::encodeName(Path("ini$$LinkAb")).constData()), 0);
#endif

  EXPECT_EQ(RemoveStaleIniTemporaries(dir_.path(), std::chrono::minutes(1)), 2);
  for (const Entry& e : entries) EXPECT_EQ(QFileInfo::exists(Path(e.name)), !e.removed) << e.name;
  EXPECT_TRUE(QFileInfo(Path("ini$$DirAbc")).isDir());
#ifndef _WIN32
  EXPECT_TRUE(QFileInfo(Path("ini$$LinkAb")).isSymLink());
#endif
  EXPECT_EQ(RemoveStaleIniTemporaries(dir_.path() + "/missing", std::chrono::minutes(1)), 0);
}

#ifndef _WIN32
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
#endif

}  // namespace
}  // namespace trivolux
