// Splitting the identification text and the exact version check.
#include "link/identification.h"

#include <gtest/gtest.h>

#include <cstring>

namespace trivolux {
namespace {

TEST(Identification, FieldsOfTheUsualText) {
  const auto id = SplitIdentification("TRIVOLUX VR V1.2.0 SIMULATOR");
  EXPECT_EQ(id.field1, "TRIVOLUX VR V1");
  EXPECT_EQ(id.field2, "2");
  EXPECT_EQ(id.field3, "0");
  EXPECT_EQ(id.field4, "SIMULATOR");
  EXPECT_TRUE(id.Matches());
  EXPECT_EQ(id.Displayed(), "TRIVOLUX VR V1.2SIMULATOR");
  // Only the first blank after the third digit is dropped.
  EXPECT_EQ(SplitIdentification("TRIVOLUX VR V1.2.7  LINE A").Displayed(), "TRIVOLUX VR V1.2 LINE A");
}

TEST(Identification, VersionMustMatchExactly) {
  const struct {
    const char* text;
    bool match;
    const char* version;
  } cases[] = {
      {"TRIVOLUX VR V1.3.0 X", false, "TRIVOLUX VR V1.3"},
      {"trivolux vr v1.2.0 X", false, "trivolux vr v1.2"},
      {"TRIVOLUX VR V12", false, "TRIVOLUX VR V12."},  // no "." at all
      {"", false, "."},
      {"TRIVOLUX VR V1.2", true, "TRIVOLUX VR V1.2"},  // missing third and fourth field
      {"TRIVOLUX VR V1.20.1 X", false, "TRIVOLUX VR V1.20"},
  };
  for (const auto& c : cases) {
    const auto id = SplitIdentification(c.text);
    EXPECT_EQ(id.Matches(), c.match) << c.text;
    EXPECT_EQ(id.Version(), c.version) << c.text;
  }
}

TEST(Identification, AnswerTextStopsAtZeroOrAt72Bytes) {
  std::uint8_t data[80];
  std::memset(data, 'A', sizeof data);
  EXPECT_EQ(FirmwareTextFromAnswer(data, sizeof data).size(), 72);
  data[10] = 0;
  EXPECT_EQ(FirmwareTextFromAnswer(data, sizeof data), "AAAAAAAAAA");
}

TEST(Identification, MismatchTextShowsVersionAndUnsignedSerial) {
  EXPECT_EQ(VersionMismatchText(SplitIdentification("TRIVOLUX VR V1.3.0 SIM"), 65535),
            "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: "
            "TRIVOLUX VR V1.3\nThe serial number is: 65535\n\nClose window or work in offline mode!");
}

}  // namespace
}  // namespace trivolux
