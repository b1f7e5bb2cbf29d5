// The parameter-file reader on arbitrary text: whatever it reads is written
// back by the file's own writer and read again unchanged, with no message.
#include <string_view>

#include "fuzz_targets.h"
#include "ini/ini_text.h"
#include "params/parameter_file.h"

namespace trivolux::fuzz {

void ParameterFileInput(const std::uint8_t* data, std::size_t size) {
  IniText ini;
  ini.ReadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  const ParameterFileHeader header = ReadParameterFileHeader(ini);
  // The reader keeps at most 1023 bytes of each (its 1024-byte buffers).
  Require(header.fileType.size() < 1024 && header.version.size() < 1024, "header text beyond its buffer");
  ParameterSet set;
  AcquireParaFromIniHandle(ini, &set.block);
  AcquireTechVecFromIniHandle(ini, &set.table);
  for (const TeachVector& row : set.table.row) Require(row[kTeachWordCount - 1] == 0, "reserved word read");

  IniText written;
  PutParameterFile(written, set);
  IniText again;
  again.ReadFromBytes(written.ToText());
  ParameterSet back;
  Require(AcquireParaFromIniHandle(again, &back.block).isEmpty(), "message on a file the program wrote");
  Require(AcquireTechVecFromIniHandle(again, &back.table).isEmpty(), "message on a file the program wrote");
  Require(back.block == set.block && back.table == set.table, "set changed by a write and read");
  Require(ReadParameterFileHeader(again).TypeMatches() && ReadParameterFileHeader(again).VersionMatches(),
          "written header not recognised");
}

}  // namespace trivolux::fuzz
