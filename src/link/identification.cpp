#include "link/identification.h"

#include <algorithm>
#include <cstring>

#include "link/orders.h"
#include "link/sensor_link.h"
#include "link/transport.h"

namespace trivolux {

QString FirmwareTextFromAnswer(const std::uint8_t* data, std::size_t size) {
  size = std::min(size, order::kIdentBytes);
  const void* nul = std::memchr(data, 0, size);
  const std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data) : size;
  return QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

Identification SplitIdentification(const QString& text) {
  Identification id;
  qsizetype at = 0;
  // Takes the text up to the next separator and moves past the separator;
  // without one the rest is the field and the later ones stay empty.
  const auto take = [&](QChar separator) {
    if (at > text.size()) return QString();
    const qsizetype end = text.indexOf(separator, at);
    if (end < 0) {
      const QString rest = text.mid(at);
      at = text.size() + 1;
      return rest;
    }
    const QString field = text.mid(at, end - at);
    at = end + 1;
    return field;
  };
  id.field1 = take(QLatin1Char('.'));
  id.field2 = take(QLatin1Char('.'));
  id.field3 = take(QLatin1Char(' '));
  if (at <= text.size()) id.field4 = text.mid(at);
  return id;
}

int ReadSensorIdentity(SensorLink& link, SensorIdentity* identity) {
  // A sensor left sending on its own (its program ended during a triggered
  // recording) would bury the identification under its frames until it is
  // switched off. A TCP conversation starts empty, and the sensor stops
  // sending when the conversation that started it ends.
  if (link.ActiveTransport() && link.ActiveTransport()->Kind() == TransportKind::Serial) link.StopAutoSend();
  if (link.Exchange(order::kIdentify, 0) != 1) return -1;
  identity->firmwareText = FirmwareTextFromAnswer(link.AnswerData(), order::kIdentBytes);
  identity->id = SplitIdentification(identity->firmwareText);
  identity->serial = link.AnswerParam;
  return 1;
}

QString VersionMismatchReport(const Identification& id, std::uint16_t serial) {
  return QStringLiteral(
             "Sensor firmware and scope version do not match! \nFirmware of connected sensor is: ") +
         id.Version() + QStringLiteral("\nThe serial number is: ") + QString::number(serial);
}

QString VersionMismatchText(const Identification& id, std::uint16_t serial) {
  return VersionMismatchReport(id, serial) + QStringLiteral("\n\nClose window or work in offline mode!");
}

}  // namespace trivolux
