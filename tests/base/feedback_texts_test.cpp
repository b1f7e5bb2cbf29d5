// The status strip's transfer line and the dimmed buttons' reasons.
#include "base/feedback_texts.h"

#include <gtest/gtest.h>

using trivolux::DimFacts;
using trivolux::DimReason;
using trivolux::TransferNotice;
using trivolux::TransferNoticeText;

TEST(TransferNoticeText, SaysWhatWhichSetWhereHowLongAndTheSensorsAnswer) {
  const struct {
    TransferNotice notice;
    const char* text;
  } cases[] = {
      {{"SEND", 0, true, "EEPROM", {}, 84, true, 0},
       "SEND ParaSet 0 to EEPROM: done in 84 ms, sensor: all values plausible"},
      {{"SEND", 1, true, "RAM", {}, 40, true, 1},
       "SEND ParaSet 1 to RAM: done in 40 ms, sensor: 1 value failed the plausibility check and set to "
       "default"},
      {{"GET", 0, false, "RAM", {}, 31, true, -1}, "GET ParaSet 0 from RAM: done in 31 ms"},
      {{"GET", 0, false, "EEPROM", {}, 3002, false, -1}, "GET ParaSet 0 from EEPROM: FAILED after 3002 ms"},
      {{"SEND CF", -1, true, "EEPROM", "1280 1024 819", 12, true, 3},
       "SEND CF 1280 1024 819 to EEPROM: done in 12 ms, sensor: 3 values failed the plausibility check and "
       "set to default"},
      {{"SAVE table attributes", -1, true, "file /tmp/T.ini", {}, 2, true, -1},
       "SAVE table attributes to file /tmp/T.ini: done in 2 ms"},
  };
  for (const auto& c : cases) EXPECT_EQ(TransferNoticeText(c.notice).toStdString(), c.text);
}

TEST(DimReason, NamesTheRunningOperationBeforeTheLinkState) {
  const struct {
    DimFacts facts;
    const char* reason;
  } cases[] = {
      // scan, run, kept, connected, offline, connect page
      {{true, true, false, true, false, false}, "a scan is running"},
      {{false, true, true, true, false, false}, "GO is running"},
      {{false, true, false, true, false, false}, "a recording is running"},
      {{false, false, false, false, true, false}, "offline, no sensor"},
      {{false, false, false, false, false, false}, "not connected"},
      {{false, false, false, true, false, true}, "the connection settings need a new TRY TO CONNECT"},
      {{false, false, false, true, false, false}, "a sensor operation is running"},
  };
  for (const auto& c : cases) EXPECT_EQ(DimReason(c.facts).toStdString(), c.reason);
}
