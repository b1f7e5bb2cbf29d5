#include "calib/hw_info_file.h"

#include "params/parameter_file.h"

namespace trivolux {

void PutHardwareInfoFile(IniText& ini, const HardwareInfo& info, const ParameterSet& set) {
  const char* colours[3] = {"RED", "GREEN", "BLUE"};
  ini.PutString("GENERAL INFO", "FILE TYPE:", hwfile::kFileType);
  ini.PutString("GENERAL INFO", "SCOPE VERSION:", hwfile::kScopeVersion);
  ini.PutString("GENERAL INFO", "FIRMWARE VERSION:", info.firmware.toLatin1().toStdString());
  ini.PutString("HARDWARE INFO", "DATA", info.hardwareData.toLatin1().toStdString());
  for (int c = 0; c < 3; ++c)
    ini.PutInt("CALIBRATION FACTOR", colours[c], info.factors[static_cast<std::size_t>(c)]);
  for (int c = 0; c < 3; ++c) ini.PutInt("OFFSET", colours[c], info.offsets[static_cast<std::size_t>(c)]);
  AppendParaToIniHandle(ini, set.block);
  AppendTechVecToIniHandle(ini, set.table);
}

}  // namespace trivolux
