// The help catalogue: size, titles, and texts kept byte for byte.
#include "base/help_catalogue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

using trivolux::FindHelp;
using trivolux::HelpEntries;
using trivolux::HelpEntryCount;

namespace {
QString TextOf(const char* callback) {
  const auto* e = FindHelp(QString::fromLatin1(callback));
  return e ? QString::fromUtf8(e->text) : QStringLiteral("<missing>");
}
}  // namespace

TEST(HelpCatalogue, HasOneEntryPerCallbackWithTheTwoTitles) {
  ASSERT_EQ(HelpEntryCount(), 141u);
  QSet<QString> names;
  QSet<QString> smallInfo;
  for (std::size_t i = 0; i < HelpEntryCount(); ++i) {
    const auto& e = HelpEntries()[i];
    names.insert(QString::fromLatin1(e.callback));
    EXPECT_TRUE(QByteArray(e.callback).startsWith("CBF_")) << e.callback;
    EXPECT_FALSE(QByteArray(e.text).isEmpty()) << e.callback;
    if (QByteArray(e.title) == "Info") {
      smallInfo.insert(QString::fromLatin1(e.callback));
    } else {
      EXPECT_STREQ(e.title, "INFO!") << e.callback;
    }
    EXPECT_EQ(FindHelp(QString::fromLatin1(e.callback)), &e);
  }
  EXPECT_EQ(names.size(), 141);
  // The row-colour and file controls of the table-attributes page; the
  // temperature display on that page keeps "INFO!".
  EXPECT_EQ(smallInfo, (QSet<QString>{"CBF_EditSetColor", "CBF_EditRow", "CBF_EditColorNumericRow",
                                      "CBF_ButtonSetRowColor", "CBF_ButtonSaveArray", "CBF_ButtonGetArray",
                                      "CBF_ButtonTableAttrReset"}));
  EXPECT_STREQ(FindHelp("CBF_DispTemp")->title, "INFO!");
}

TEST(HelpCatalogue, CallbacksWithoutHelpAreNotListed) {
  for (const char* name : {"CBF_GridCtt", "CBF_DispStatus", "CBF_MAINP", "CBF_DATAP", "CBF_StringEnterPW",
                           "CBF_EditGridGroups", "CBF_EditScopeComment", "CBF_DecoCalibrate1", ""}) {
    EXPECT_EQ(FindHelp(QString::fromLatin1(name)), nullptr) << name;
  }
}

// Every expected text, title and handler of the table file, byte for byte:
// trailing blanks, double blanks and line breaks included.
TEST(HelpCatalogue, MatchesTheExpectedTextsByteForByte) {
  QFile file(QStringLiteral(EXPECTED_HELP_TEXTS));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << EXPECTED_HELP_TEXTS;
  int rows = 0;
  QStringList wrong;
  for (QByteArray line : file.readAll().split('\n')) {
    if (line.endsWith('\r')) line.chop(1);  // a checkout with CR LF line ends
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QList<QByteArray> fields = line.split('\t');
    ASSERT_EQ(fields.size(), 3) << line.constData();
    ++rows;
    const QByteArray text = QByteArray(fields[2]).replace("\\n", "\n");
    const auto* e = FindHelp(QString::fromLatin1(fields[0]));
    if (!e) {
      wrong << QString::fromLatin1(fields[0]) + ": missing";
    } else if (QByteArray(e->title) != fields[1] || QByteArray(e->text) != text) {
      wrong << QString::fromLatin1(fields[0]) + ": " + QString::fromUtf8(e->title) + " / \"" +
                   QString::fromUtf8(e->text) + "\"";
    }
  }
  EXPECT_GE(rows, 100);  // the file was read whole
  EXPECT_TRUE(wrong.isEmpty()) << wrong.join('\n').toStdString();
}

// Shared texts that the expected table does not list.
TEST(HelpCatalogue, SharedTextsAreIdentical) {
  for (const char* c : {"CBF_DispRED", "CBF_DispGREEN", "CBF_DispBLUE"})
    EXPECT_EQ(TextOf(c), TextOf("CBF_DispRGB"));
  EXPECT_EQ(TextOf("CBF_EditGridHold"), TextOf("CBF_EditHold"));
}
