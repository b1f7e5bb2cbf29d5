#pragma once
// The hardware information file: what describes the connected sensor, in
// one INI text for the supplier. Pure; the program never reads it back.
#include <QString>
#include <array>
#include <cstdint>

#include "ini/ini_text.h"
#include "params/parameter_set.h"

namespace trivolux {

namespace hwfile {
constexpr const char* kDefaultName = "HardwareInitialFile.ini";
constexpr const char* kFileType = "Hardware Initial File";
constexpr const char* kScopeVersion = "TRIVOLUX VR Scope V1.2.1";
}  // namespace hwfile

struct HardwareInfo {
  QString firmware;      // the identification text of the connection check
  QString hardwareData;  // 1024 hex digits
  std::array<std::uint16_t, 3> factors{};
  std::array<std::uint16_t, 3> offsets{};
};

// GENERAL INFO, HARDWARE INFO, CALIBRATION FACTOR, OFFSET, then the
// parameter and teach sections exactly as the parameter file has them.
void PutHardwareInfoFile(IniText& ini, const HardwareInfo& info, const ParameterSet& set);

}  // namespace trivolux
