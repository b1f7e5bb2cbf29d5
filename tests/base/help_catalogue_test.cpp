// The help catalogue: size, titles, and texts kept byte for byte.
#include "base/help_catalogue.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QString>

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

TEST(HelpCatalogue, TextsKeepBlanksAndLineBreaks) {
  EXPECT_EQ(TextOf("CBF_ButtonGo"),
            QString("Starts data transfer from sensor to PC. \n\nShortcut Key: F11. "));
  EXPECT_EQ(TextOf("CBF_ButtonStop"),
            QString("Stops data transfer from sensor to PC. \n\nShortcut Key: F12. "));
  EXPECT_EQ(
      TextOf("CBF_SlidePower"),
      QString("Select the intensity of the transmitter LED. \n0 = no intensity,  1000 = full intensity."));
  EXPECT_EQ(TextOf("CBF_ButtonStartSelfCalibration"),
            QString(" Sensor calculates the calibration factors for RED, GREEN and BLUE. "));
  EXPECT_TRUE(TextOf("CBF_EditCalcmode").contains("\ns i   M - 2D = s/i pairs and M. \n"));
  EXPECT_TRUE(TextOf("CBF_EditPmode").contains("\n      is diffusely reflected"));
  EXPECT_TRUE(TextOf("CBF_GridCttHelp").endsWith("Tolerance will be set automatically to a default value."));
  EXPECT_EQ(TextOf("CBF_DispGroup"),
            QString("Displays the current detected color group. \nDouble click opens a big display. \n"
                    "Close the big display with a right mouse click.\n\nFailure condition is 255."));
}

TEST(HelpCatalogue, SharedTextsAreIdentical) {
  const QString close = "Close PANEL and return to MAIN PANEL. ";
  for (const char* c : {"CBF_ButtonCloseOffsetCompensation", "CBF_ButtonCloseSP", "CBF_ButtonCloseTeachPanel",
                        "CBF_ButtonGpClose"}) {
    EXPECT_EQ(TextOf(c), close) << c;
  }
  EXPECT_EQ(TextOf("CBF_TabMain1"), QString("Select TAB-window."));
  EXPECT_EQ(TextOf("CBF_TabDataP1"), QString("Select TAB-window."));
  EXPECT_EQ(TextOf("CBF_EditCFG"), TextOf("CBF_EditCFR"));
  EXPECT_EQ(TextOf("CBF_EditCFB"), TextOf("CBF_EditCFR"));
  EXPECT_EQ(TextOf("CBF_ButtonStartRecord"), QString("Start data record."));
  EXPECT_EQ(TextOf("CBF_ButtonStartTrigRec"), QString("Start data record."));
  EXPECT_EQ(TextOf("CBF_GraphYIntTP2"), TextOf("CBF_GraphXYTP2"));
  EXPECT_EQ(TextOf("CBF_EditTP1TeachItoWith"), TextOf("CBF_EditTP1TeachCtoWith"));
  for (const char* c : {"CBF_DispRED", "CBF_DispGREEN", "CBF_DispBLUE"})
    EXPECT_EQ(TextOf(c), TextOf("CBF_DispRGB"));
  EXPECT_EQ(TextOf("CBF_EditGridHold"), TextOf("CBF_EditHold"));
}
