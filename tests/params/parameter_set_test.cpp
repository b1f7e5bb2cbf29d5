#include "params/parameter_set.h"

#include <gtest/gtest.h>

#include <vector>

#include "params/table_tolerance.h"

namespace trivolux {
namespace {

std::uint16_t ReadWord(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

TEST(ParameterPacking, BlockIsLittleEndianWithoutGaps) {
  ParameterBlock block;
  block[kPower] = 500;
  std::vector<std::uint8_t> bytes(kBlockBytes, 0xEE);
  PackParameterBlock(block, bytes.data());
  std::vector<std::uint8_t> expected(kBlockBytes, 0);
  expected[0] = 0xF4;
  expected[1] = 0x01;
  EXPECT_EQ(bytes, expected);

  block[kIntegral] = 65535;  // last word, unsigned
  block[kTrigger] = 0x1234;
  PackParameterBlock(block, bytes.data());
  EXPECT_EQ(bytes[32], 0xFF);
  EXPECT_EQ(bytes[33], 0xFF);
  EXPECT_EQ(bytes[16], 0x34);
  EXPECT_EQ(bytes[17], 0x12);

  ParameterBlock back;
  UnpackParameterBlock(bytes.data(), &back);
  EXPECT_EQ(back, block);
}

TEST(ParameterPacking, TeachHalvesCarryRowsInOrderIncludingReservedWord) {
  TeachTable table;
  for (int r = 0; r < kTeachRows; ++r)
    for (int w = 0; w < kTeachWordCount; ++w) table[r][w] = static_cast<std::uint16_t>(r * 100 + w);
  table[63][kReserved] = 0xA53F;

  std::vector<std::uint8_t> low(kTeachHalfPayload), high(kTeachHalfPayload);
  PackTeachHalf(table, 0, low.data());
  PackTeachHalf(table, 1, high.data());
  // Row 1 word 0 starts at byte 16 of the first half; row 32 opens the second half.
  EXPECT_EQ(ReadWord(low, 16), 100);
  EXPECT_EQ(ReadWord(high, 0), 3200);
  EXPECT_EQ(ReadWord(high, 510), 0xA53F);

  TeachTable back;
  UnpackTeachHalf(low.data(), 0, &back);
  UnpackTeachHalf(high.data(), 1, &back);
  EXPECT_EQ(back, table);
}

TEST(ParameterPacking, FrameParametersPerSet) {
  EXPECT_EQ(BlockFrameParam(0), 0);
  EXPECT_EQ(TeachFrameParam(0, 0), 2);
  EXPECT_EQ(TeachFrameParam(0, 1), 3);
  EXPECT_EQ(BlockFrameParam(1), 1);
  EXPECT_EQ(TeachFrameParam(1, 0), 4);
  EXPECT_EQ(TeachFrameParam(1, 1), 5);
}

TeachTable OneRow(std::array<std::uint16_t, 5> cells, std::uint16_t group = 7, std::uint16_t hold = 9) {
  TeachTable t;
  for (int r = 0; r < kTeachRows; ++r) {
    for (int c = 0; c < 5; ++c) t[r][c] = cells[static_cast<std::size_t>(c)];
    t[r][kGroup] = group;
    t[r][kHold] = hold;
    t[r][kReserved] = static_cast<std::uint16_t>(0xA500 + r);
  }
  return t;
}

std::array<std::uint16_t, 5> Cells(const TeachTable& t, int r) {
  return {t[r][0], t[r][1], t[r][2], t[r][3], t[r][4]};
}

TEST(SortTableTolerance, TwoDToThreeDAndBack) {
  TeachTable t = OneRow({500, 600, 100, 2000, 80});
  SortTableTolerance(&t, 0, 2);
  for (int r = 0; r < kTeachRows; ++r) {
    EXPECT_EQ(Cells(t, r), (std::array<std::uint16_t, 5>{500, 600, 2000, 100, 1}));
    EXPECT_EQ(t[r][kGroup], 7);
    EXPECT_EQ(t[r][kHold], 9);
    EXPECT_EQ(t[r][kReserved], 0xA500 + r);
  }
  SortTableTolerance(&t, 2, 0);
  EXPECT_EQ(Cells(t, 63), (std::array<std::uint16_t, 5>{500, 600, 100, 2000, 100}));

  // s i M family behaves like X Y INT.
  TeachTable u = OneRow({1, 2, 3, 4, 5});
  SortTableTolerance(&u, 1, 3);
  EXPECT_EQ(Cells(u, 0), (std::array<std::uint16_t, 5>{1, 2, 4, 3, 1}));
  SortTableTolerance(&u, 3, 1);
  EXPECT_EQ(Cells(u, 0), (std::array<std::uint16_t, 5>{1, 2, 3, 4, 3}));
}

TEST(SortTableTolerance, WithinOneFamilyNothingChanges) {
  const TeachTable t = OneRow({500, 600, 100, 2000, 80});
  for (auto [from, to] : {std::pair{0, 1}, {1, 0}, {2, 3}, {3, 2}, {0, 0}, {2, 2}}) {
    TeachTable u = t;
    SortTableTolerance(&u, from, to);
    EXPECT_EQ(u, t) << from << "->" << to;
  }
}

}  // namespace
}  // namespace trivolux
