// Timing of the INI store on a parameter-sized document: GENERAL INFO,
// PARAMETER with 17 values and 64 teach-vector sections of 7 values each
// (467 items, 7.5 KB). Writing and reading should stay well under 5 ms.
// Writing syncs the file and its directory to the disk, so its wall time
// depends on the storage; the /dev/shm variant shows the cost without it.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <string>

#include "ini/ini_text.h"

namespace trivolux {
namespace {

IniText BuildDocument() {
  IniText ini;
  ini.PutString("GENERAL INFO", "VERSION", "TRIVOLUX VR v1.2 parameter file");
  ini.PutString("GENERAL INFO", "DATE", "2024-06-07 12:00:00");
  for (int i = 0; i < 17; ++i) ini.PutInt("PARAMETER", "PARAMETER " + std::to_string(i), 1000 + i);
  static const char* const kTags[] = {"X", "Y", "INT", "CTO X", "CTO Y", "CTO INT", "GROUP"};
  for (int row = 0; row < 64; ++row) {
    const std::string section = "TEACH VECTOR " + std::to_string(row);
    for (int t = 0; t < 7; ++t) ini.PutInt(section, kTags[t], row * 100 + t);
  }
  return ini;
}

const QString& FilePath() {
  static QTemporaryDir dir;
  static const QString path = dir.filePath("Parameter.ini");
  return path;
}

const QString& MemoryFilePath() {
  static QTemporaryDir dir("/dev/shm/bench_ini-XXXXXX");
  static const QString path = dir.isValid() ? dir.filePath("Parameter.ini") : FilePath();
  return path;
}

void BM_BuildDocument(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BuildDocument());
}
BENCHMARK(BM_BuildDocument)->Unit(benchmark::kMicrosecond);

void WriteDocument(benchmark::State& state, const QString& path) {
  const IniText ini = BuildDocument();
  for (auto _ : state) {
    if (ini.WriteToFile(path) != 0) state.SkipWithError("write failed");
  }
  state.counters["bytes"] = static_cast<double>(ini.ToText().size());
}

void BM_WriteToFile(benchmark::State& state) {
  WriteDocument(state, FilePath());
}
BENCHMARK(BM_WriteToFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_WriteToFileInMemory(benchmark::State& state) {
  WriteDocument(state, MemoryFilePath());
}
BENCHMARK(BM_WriteToFileInMemory)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ReadFromFile(benchmark::State& state) {
  BuildDocument().WriteToFile(FilePath());
  for (auto _ : state) {
    IniText ini;
    if (ini.ReadFromFile(FilePath()) != 0) state.SkipWithError("read failed");
    std::int32_t value = 0;
    benchmark::DoNotOptimize(ini.GetInt("TEACH VECTOR 63", "GROUP", &value));
  }
}
BENCHMARK(BM_ReadFromFile)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The lookups of loading a parameter file: every item read back.
void GetParameterFileItems(const IniText& ini) {
  static const char* const kTags[] = {"X", "Y", "INT", "CTO X", "CTO Y", "CTO INT", "GROUP"};
  std::int32_t value = 0;
  for (int i = 0; i < 17; ++i) ini.GetInt("PARAMETER", "PARAMETER " + std::to_string(i), &value);
  for (int row = 0; row < 64; ++row) {
    const std::string section = "TEACH VECTOR " + std::to_string(row);
    for (const char* tag : kTags) ini.GetInt(section, tag, &value);
  }
  benchmark::DoNotOptimize(value);
}

void BM_GetAllItems(benchmark::State& state) {
  const IniText ini = BuildDocument();
  for (auto _ : state) GetParameterFileItems(ini);
}
BENCHMARK(BM_GetAllItems)->Unit(benchmark::kMicrosecond);

// A damaged or foreign file of a million small sections (17.9 MB) with the
// parameter document at its end: parsing it, then the lookups of loading a
// parameter file, each of which has to find a section among a million.
const std::string& MillionSectionText() {
  static const std::string text = [] {
    std::string out;
    out.reserve(19u << 20);
    for (int i = 0; i < 1000000; ++i) out += "[S" + std::to_string(i) + "]\r\nA=1\r\n\r\n";
    return out + BuildDocument().ToText();
  }();
  return text;
}

void BM_ParseMillionSections(benchmark::State& state) {
  const std::string& text = MillionSectionText();
  for (auto _ : state) {
    IniText ini;
    ini.ReadFromBytes(text);
    benchmark::DoNotOptimize(ini.Sections().size());
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ParseMillionSections)->Unit(benchmark::kMillisecond);

void BM_LookupInMillionSections(benchmark::State& state) {
  IniText ini;
  ini.ReadFromBytes(MillionSectionText());
  for (auto _ : state) GetParameterFileItems(ini);
}
BENCHMARK(BM_LookupInMillionSections)->Unit(benchmark::kMillisecond);

// The largest single section a file within the read limit can hold: about
// 400000 items in 4 MiB, searched by the 17 lookups of the PARAMETER section.
void BM_LookupInHugeSection(benchmark::State& state) {
  std::string text = "[PARAMETER]\r\n";
  for (int i = 0; text.size() < (4u << 20) - 16; ++i) text += "T" + std::to_string(i) + "=1\r\n";
  IniText ini;
  ini.ReadFromBytes(text);
  for (auto _ : state) {
    std::int32_t value = 0;
    for (int i = 0; i < 17; ++i) ini.GetInt("PARAMETER", "PARAMETER " + std::to_string(i), &value);
    benchmark::DoNotOptimize(value);
  }
  state.counters["items"] = static_cast<double>(ini.Sections()[0].items.size());
}
BENCHMARK(BM_LookupInHugeSection)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trivolux

BENCHMARK_MAIN();
