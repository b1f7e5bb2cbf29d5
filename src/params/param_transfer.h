#pragma once
// SEND and GET of one parameter set between the working copy and the
// sensor's RAM or EEPROM, over the checked exchange. Free of widgets: the
// caller brings the working copy up to date before a send and shows it
// after a read.
#include <QObject>
#include <QString>

#include "base/shared_state.h"
#include "params/parameter_set.h"

namespace trivolux {

class SensorLink;

class ParamTransfer : public QObject {
  Q_OBJECT
 public:
  ParamTransfer(SharedState& state, SensorLink& link, ParameterSet& workingCopy, QObject* parent = nullptr);

  // Both return 1 on success and -1 when an exchange failed (already
  // reported). GetPara changes the working copy only when all three blocks
  // arrived.
  int SendPara();
  int GetPara();
  // Reads the teach table of ParaSet s from the sensor's RAM and takes only
  // its reserved words into the working copy: a set loaded from a file (which
  // does not hold them) then sends them back unchanged. 1 or -1.
  int KeepSensorReservedWords();

  static QString RamPlausibilityText(std::uint16_t count);
  static QString EepromPlausibilityText(std::uint16_t count);

 signals:
  // The sensor reset implausible EEPROM values to defaults while copying
  // them to RAM (the read goes on); text is the notice for the user.
  void eepromNotice(const QString& text);

 private:
  int WriteBlock(std::uint16_t param, const std::uint8_t* payload, std::uint16_t length);
  int ReadBlock(std::uint16_t param, std::uint16_t length, std::uint8_t* into);

  SharedState& state_;
  SensorLink& link_;
  ParameterSet& copy_;
};

}  // namespace trivolux
