#pragma once
// Row colours and row specifications of the 64 teach rows: PC-side
// attributes kept in "TableAttributes.ini" and in the panel settings file as
// 64 sections "TABLE ATTR OF TEACH VECTOR k".
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "ini/ini_codec.h"

namespace trivolux {

class IniText;

constexpr int kTableAttrRows = 64;
constexpr int kDefaultRowColourCount = 75;  // 15 colours repeated five times
constexpr int kRowSpecMaxChars = 99;

// The 15 row colours (0xRRGGBB) with the names the colour selector shows;
// the default list repeats them five times.
struct NamedColour {
  const char* name;
  std::int32_t rgb;
};
constexpr int kRowColourKinds = 15;
const std::array<NamedColour, kRowColourKinds>& RowColours();
const std::array<std::int32_t, kDefaultRowColourCount>& DefaultRowColours();

struct TableAttributes {
  std::array<std::int32_t, kDefaultRowColourCount> rowColours = DefaultRowColours();
  std::array<QString, kTableAttrRows> rowSpecs;
  // The bytes the specifications were read with: one written by another
  // program in its code page is saved again with its own bytes.
  IniTextCodec specCodec;
};

// "TABLE ATTR OF TEACH VECTOR " + row.
std::string TableAttrSection(int row);

// Heading of the list of rows whose colour could not be read.
inline constexpr const char* kTableAttrMissingHeading =
    "Following teach vectors could not be read \nand where set to default value:\n\n";

// Adds the 64 sections ("Row color" as decimal, "Row specification", encoded
// through attrs.specCodec).
void AppendTableSetToIniHandle(IniText& ini, const TableAttributes& attrs);

// Reads the 64 sections into attrs. A row without a readable "Row color"
// (missing, not an integer, or not a 24-bit colour) gets its default colour
// and its section name is appended, with "\n", to *missing (which starts with
// the heading). A missing specification is the empty text; longer ones are cut
// to 99 whole characters. Returns true when every colour was read.
// Specifications are decoded through attrs.specCodec.
bool AcquireTableSetFromIniHandle(const IniText& ini, TableAttributes& attrs, QString* missing);

}  // namespace trivolux
