#pragma once
// The sensor's identification text (answer to order 7) and the version check.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "base/version.h"

namespace trivolux {

struct Identification {
  QString field1;  // up to the first "."
  QString field2;  // up to the next "."
  QString field3;  // up to the next blank (third version digit)
  QString field4;  // the rest
  QString Version() const { return field1 + QLatin1Char('.') + field2; }
  // The version followed directly by the rest (third digit and blank dropped).
  QString Displayed() const { return Version() + field4; }
  bool Matches() const { return Version() == QLatin1String(kExpectedSensorVersion); }
};

// The text of the first 72 answer bytes, ending at the first zero byte.
QString FirmwareTextFromAnswer(const std::uint8_t* data, std::size_t size);
// Splits the text into its four fields; a missing field is empty.
Identification SplitIdentification(const QString& text);

class SensorLink;

// What order 7 tells about the connected sensor.
struct SensorIdentity {
  QString firmwareText;  // the identification text (at most 72 characters)
  Identification id;     // its four fields
  std::uint16_t serial = 0;
};
// On the serial line switches the sensor's automatic sending off first.
// Sends order 7: 1 with *identity filled, -1 when the exchange failed (the
// link has reported it). The version is not checked here: id.Matches().
int ReadSensorIdentity(SensorLink& link, SensorIdentity* identity);

// The first-connection failure messages.
inline constexpr const char* kCouldNotConnect =
    "Could not establish connection! \nClose window or work in offline mode!";
// The mismatch report (version and serial number), and the popup text: the
// report followed by the advice to close or work offline.
QString VersionMismatchReport(const Identification& id, std::uint16_t serial);
QString VersionMismatchText(const Identification& id, std::uint16_t serial);

}  // namespace trivolux
