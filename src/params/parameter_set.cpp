#include "params/parameter_set.h"

#include "link/frame.h"

namespace trivolux {

const std::array<const char*, kParamWordCount> kParamTags = {
    "POWER",     "POWER MODE",   "AVERAGE",          "EVALUATION MODE",
    "HOLD FAIL", "INTLIM",       "MAX VEC NO",       "DIGITAL OUTMODE",
    "TRIGGER",   "EXTERN TEACH", "CALCULATION MODE", "DYNWIN LO",
    "DYNWIN HI", "COLOR GROUP",  "LED MODE",         "GAIN",
    "INTEGRAL"};

const std::array<std::uint16_t, kParamWordCount> kParamDefaults = {500, 0, 1,    1,    10, 0, 1, 0, 0,
                                                                   0,   0, 3200, 3300, 0,  0, 5, 1};

const std::array<const char*, kParamWordCount> kParamMessageNames = {
    "POWER",           "POWER MODE", "AVERAGE", "EVALUATION MODE",  "HOLD FAIL", "INTLIM",    "MAX VEC NO",
    "DIGITAL OUTMODE", "TRIGGER",    "EXTEACH", "CALCULATION MODE", "DYNWIN LO", "DYNWIN HI", "COLOR GROUP",
    "LED MODE",        "GAIN",       "INTEGRAL"};

void PackParameterBlock(const ParameterBlock& block, std::uint8_t* out) {
  for (int i = 0; i < kParamWordCount; ++i) WriteU16(out + 2 * i, block[i]);
}

void UnpackParameterBlock(const std::uint8_t* in, ParameterBlock* block) {
  for (int i = 0; i < kParamWordCount; ++i) (*block)[i] = ReadU16(in + 2 * i);
}

void PackTeachHalf(const TeachTable& table, int half, std::uint8_t* out) {
  for (int r = 0; r < kRowsPerHalf; ++r)
    for (int w = 0; w < kTeachWordCount; ++w)
      WriteU16(out + 2 * (r * kTeachWordCount + w), table[half * kRowsPerHalf + r][w]);
}

void UnpackTeachHalf(const std::uint8_t* in, int half, TeachTable* table) {
  for (int r = 0; r < kRowsPerHalf; ++r)
    for (int w = 0; w < kTeachWordCount; ++w)
      (*table)[half * kRowsPerHalf + r][w] = ReadU16(in + 2 * (r * kTeachWordCount + w));
}

}  // namespace trivolux
