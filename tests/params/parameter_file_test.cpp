#include "params/parameter_file.h"

#include <gtest/gtest.h>

#include <string>

namespace trivolux {
namespace {

ParameterSet Sample() {
  ParameterSet set;
  for (int i = 0; i < kParamWordCount; ++i) set.block[i] = static_cast<std::uint16_t>(1000 + 37 * i);
  set.block[kIntegral] = 65535;
  for (int r = 0; r < kTeachRows; ++r)
    for (int w = 0; w < kTeachWordCount; ++w) set.table[r][w] = static_cast<std::uint16_t>(r * 1000 + w);
  return set;
}

// Parameter file text with the PARAMETER section given as raw lines.
IniText FromText(const std::string& text) {
  IniText ini;
  ini.ReadFromBytes(text);
  return ini;
}

TEST(ParameterFile, WriteThenReadGivesTheSameCopyWithoutMessage) {
  const ParameterSet written = Sample();
  IniText out;
  PutParameterFile(out, written);

  IniText in;
  in.ReadFromBytes(out.ToText());
  const ParameterFileHeader header = ReadParameterFileHeader(in);
  EXPECT_TRUE(header.TypeMatches());
  EXPECT_TRUE(header.VersionMatches());

  ParameterSet read;
  for (int r = 0; r < kTeachRows; ++r) read.table[r][kReserved] = static_cast<std::uint16_t>(0xA500 + r);
  EXPECT_EQ(AcquireParaFromIniHandle(in, &read.block), QString());
  EXPECT_EQ(AcquireTechVecFromIniHandle(in, &read.table), QString());
  EXPECT_EQ(read.block, written.block);
  for (int r = 0; r < kTeachRows; ++r) {
    for (int w = 0; w < kReserved; ++w) EXPECT_EQ(read.table[r][w], written.table[r][w]);
    EXPECT_EQ(read.table[r][kReserved], 0xA500 + r) << "a file read must keep the sensor's word";
  }
}

TEST(ParameterFile, WriterLayoutAndReservedWordNotWritten) {
  IniText ini;
  PutParameterFile(ini, Sample());
  const auto& sections = ini.Sections();
  ASSERT_EQ(sections.size(), 2u + 64u);
  EXPECT_EQ(sections[0].name, "GENERAL INFO");
  EXPECT_EQ(sections[1].name, "PARAMETER");
  ASSERT_EQ(sections[1].items.size(), 17u);
  EXPECT_EQ(sections[1].items[9].tag, "EXTERN TEACH");
  EXPECT_EQ(sections[2].name, "TEACH VECTOR 0");
  EXPECT_EQ(sections[65].name, "TEACH VECTOR 63");
  const auto& row = sections[65].items;
  ASSERT_EQ(row.size(), 7u);
  EXPECT_EQ(row[0].tag, "CELL 0");
  EXPECT_EQ(row[5].tag, "GROUP");
  EXPECT_EQ(row[6].tag, "HOLD");
  EXPECT_EQ(row[6].value, "63006");
}

TEST(ParameterFile, MissingExternTeachIsDefaultedAndNamed) {
  IniText ini;
  PutParameterFile(ini, Sample());
  std::string text = ini.ToText();
  const auto pos = text.find("EXTERN TEACH");
  text.erase(pos, text.find('\n', pos) - pos + 1);

  ParameterBlock block;
  const QString message = AcquireParaFromIniHandle(FromText(text), &block);
  EXPECT_EQ(message, "Following parameter could not be read \nand where set to default value:\n\nEXTEACH\n");
  EXPECT_EQ(block[kExteach], 0);
  EXPECT_EQ(block[kPower], 1000);
}

TEST(ParameterFile, ValuesAreCutToSixteenBitsAndJunkIsDefaulted) {
  const IniText ini = FromText(
      "[PARAMETER]\r\nPOWER = 70000\r\nPOWER MODE = -1\r\nAVERAGE = 12abc\r\n"
      "EVALUATION MODE = 99999999999\r\n  hold fail  = 33\r\nINTLIM =\r\n");
  ParameterBlock block;
  const QString message = AcquireParaFromIniHandle(ini, &block);
  EXPECT_EQ(block[kPower], 4464);
  EXPECT_EQ(block[kPowerMode], 65535);
  EXPECT_EQ(block[kAverage], 1);
  EXPECT_EQ(block[kEvalMode], 1);
  EXPECT_EQ(block[kHoldFail], 33) << "tags match regardless of case and blanks";
  EXPECT_EQ(block[kIntlim], 0);
  EXPECT_EQ(block[kDynWinLo], 3200);
  EXPECT_EQ(block[kDynWinHi], 3300);
  EXPECT_EQ(block[kGain], 5);
  EXPECT_EQ(message,
            "Following parameter could not be read \nand where set to default value:\n\n"
            "AVERAGE\nEVALUATION MODE\nINTLIM\nMAX VEC NO\nDIGITAL OUTMODE\nTRIGGER\nEXTEACH\n"
            "CALCULATION MODE\nDYNWIN LO\nDYNWIN HI\nCOLOR GROUP\nLED MODE\nGAIN\nINTEGRAL\n");
}

TEST(ParameterFile, NoTeachSectionsDefaultsEveryRowInOneMessage) {
  TeachTable table = Sample().table;
  const QString message = AcquireTechVecFromIniHandle(FromText("[PARAMETER]\r\nPOWER = 1\r\n"), &table);
  QString expected = "Following teach vectors could not be read \nand where set to default value:\n\n";
  for (int r = 0; r < kTeachRows; ++r) {
    expected += QString("TEACH VECTOR %1\n").arg(r);
    for (int c = 0; c < kTeachCells; ++c) EXPECT_EQ(table[r][c], 1);
    EXPECT_EQ(table[r][kGroup], 0);
    EXPECT_EQ(table[r][kHold], 10);
    EXPECT_EQ(table[r][kReserved], r * 1000 + 7);
  }
  EXPECT_EQ(message, expected);
}

TEST(ParameterFile, OneRowPartlyMissingIsNamedOnce) {
  IniText ini;
  PutParameterFile(ini, Sample());
  std::string text = ini.ToText();
  for (const char* tag : {"CELL 3 = 5003", "HOLD = 5006"}) {
    const auto pos = text.find(tag);
    ASSERT_NE(pos, std::string::npos) << tag;
    text.erase(pos, text.find('\n', pos) - pos + 1);
  }
  TeachTable table;
  const QString message = AcquireTechVecFromIniHandle(FromText(text), &table);
  EXPECT_TRUE(message.endsWith(":\n\nTEACH VECTOR 5\n")) << message.toStdString();
  EXPECT_EQ(table[5][3], 1);
  EXPECT_EQ(table[5][kHold], 10);
  EXPECT_EQ(table[5][kGroup], 5005);
}

TEST(ParameterFile, GarbageBinaryAndDuplicateSectionsNeverCrash) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  const std::string inputs[] = {
      binary,
      "no sections at all\r\n= = =\r\n[\r\n]]]\r\n",
      "[PARAMETER]\r\nPOWER = 7\r\n[PARAMETER]\r\nPOWER = 8\r\n[TEACH VECTOR 0]\r\nCELL 0 = 3\r\n"
      "[TEACH VECTOR 0]\r\nCELL 0 = 4\r\n",
  };
  for (const std::string& bytes : inputs) {
    const IniText ini = FromText(bytes);
    ParameterSet set;
    EXPECT_FALSE(AcquireParaFromIniHandle(ini, &set.block).isEmpty());
    EXPECT_FALSE(AcquireTechVecFromIniHandle(ini, &set.table).isEmpty());
    const ParameterFileHeader header = ReadParameterFileHeader(ini);
    EXPECT_FALSE(header.TypeMatches());
  }
}

TEST(ParameterFile, HeaderChecksAreExact) {
  const IniText other = FromText(
      "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"
      "SCOPE VERSION: = \"TRIVOLUX VR Scope V1.3\"\r\n");
  EXPECT_TRUE(ReadParameterFileHeader(other).TypeMatches());
  EXPECT_FALSE(ReadParameterFileHeader(other).VersionMatches());
  const IniText lower = FromText("[GENERAL INFO]\r\nFILE TYPE: = \"parameter file\"\r\n");
  EXPECT_FALSE(ReadParameterFileHeader(lower).TypeMatches());
}

}  // namespace
}  // namespace trivolux
