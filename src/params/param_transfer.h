#pragma once
// SEND and GET of one parameter set between the working copy and the
// sensor's RAM or EEPROM, over the checked exchange. Panel work (reading the
// controls before a send, refreshing them after a read, showing the EEPROM
// notice) is reached through hooks so this part stays free of widgets.
#include <QString>
#include <functional>

#include "base/shared_state.h"
#include "params/parameter_set.h"

namespace trivolux {

class SensorLink;

class ParamTransfer {
 public:
  ParamTransfer(SharedState& state, SensorLink& link, ParameterSet& workingCopy);

  // Controls -> working copy (GetPanelValues).
  std::function<void()> getPanelValues;
  // Working copy -> controls and the mode rules, after a complete read.
  std::function<void()> refreshAfterRead;
  // The EEPROM plausibility text for the connect page's message box.
  std::function<void(const QString&)> eepromNotice;

  // Both return 1 on success and -1 when an exchange failed (already reported).
  int SendPara();
  int GetPara();

  static QString RamPlausibilityText(std::uint16_t count);
  static QString EepromPlausibilityText(std::uint16_t count);

 private:
  int WriteBlock(std::uint16_t param, const std::uint8_t* payload, std::uint16_t length);
  int ReadBlock(std::uint16_t param, std::uint16_t length, std::uint8_t* into);

  SharedState& state_;
  SensorLink& link_;
  ParameterSet& copy_;
};

}  // namespace trivolux
