#pragma once
// The sensor's memory: two parameter sets in RAM and EEPROM, calibration
// factors and offsets, the plausibility check and EEPROM persistence.
//
// Plausibility (applied to every written block and to every EEPROM load;
// an implausible value is replaced by its default and counted):
//   POWER <= 1000, POWER MODE <= 1, AVERAGE <= 1000, EVALUATION MODE <= 6,
//   MAX VEC NO 1..64, DIGITAL OUTMODE <= 2, TRIGGER <= 6, EXTERN TEACH <= 3,
//   CALCULATION MODE <= 3, DYNWIN HI <= 4095, DYNWIN LO <= DYNWIN HI,
//   COLOR GROUP <= 1, LED MODE <= 3, GAIN <= 7, INTEGRAL <= 250,
//   teach row GROUP <= 2; calibration factors <= 4096 (default 1024),
//   offsets <= 1023 (default 0). HOLD FAIL, INTLIM and the teach cells take
//   any 16-bit value.
// Word 7 of every teach row belongs to the sensor: a write that changes it is
// counted as a reserved-word mismatch and the sensor keeps its own value.
#include <QString>
#include <array>
#include <cstdint>

#include "sim/param_layout.h"

namespace trivolux::sim {

struct ParamSet {
  std::array<std::uint8_t, kParamBytes> params{};
  std::array<std::uint8_t, kTeachBytes> teach{};
};

ParamWords DefaultParams();
// Replaces implausible values by their defaults; returns how many were replaced.
int CheckParams(ParamWords& words);
int CheckTeachRows(TeachRows& rows);

class SensorModel {
 public:
  SensorModel();

  // Orders 1 and 2. Block numbers: s = parameter block of set s, 2s+2 and
  // 2s+3 = teach rows 0..31 and 32..63. Size of a block, 0 for an unknown number.
  static std::size_t BlockSize(int block);
  // Writes a block into RAM; returns the implausible count.
  int WriteBlock(int block, const std::uint8_t* data);
  void ReadBlock(int block, std::uint8_t* out) const;

  void StoreEeprom();  // order 3: RAM to EEPROM (both sets)
  int LoadEeprom();    // order 4: EEPROM to RAM (both sets), implausible count

  int WriteCalFactors(const std::array<std::uint16_t, 3>& cf);  // implausible count
  int WriteOffsets(const std::array<std::uint16_t, 3>& offsets);

  // Persistence of the EEPROM, calibration factors and offsets (INI text).
  // Load: false with a message when the file exists but cannot be used; a
  // missing file is no error. Entries that do not parse keep their defaults.
  bool Load(const QString& path, QString* message);
  bool Save(const QString& path) const;

  ParamSet ram[2];
  ParamSet eeprom[2];
  std::array<std::uint16_t, 3> calFactors{1024, 1024, 1024};
  std::array<std::uint16_t, 3> offsets{0, 0, 0};
  int reservedMismatches = 0;

  static std::uint16_t InitialReservedWord(int set, int row) {
    return static_cast<std::uint16_t>(0xA500 + 0x40 * set + row);
  }
};

}  // namespace trivolux::sim
