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

// Reading every item back, as loading a parameter file does.
void BM_GetAllItems(benchmark::State& state) {
  const IniText ini = BuildDocument();
  static const char* const kTags[] = {"X", "Y", "INT", "CTO X", "CTO Y", "CTO INT", "GROUP"};
  for (auto _ : state) {
    std::int32_t value = 0;
    for (int i = 0; i < 17; ++i) ini.GetInt("PARAMETER", "PARAMETER " + std::to_string(i), &value);
    for (int row = 0; row < 64; ++row) {
      const std::string section = "TEACH VECTOR " + std::to_string(row);
      for (const char* tag : kTags) ini.GetInt(section, tag, &value);
    }
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_GetAllItems)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace trivolux

BENCHMARK_MAIN();
