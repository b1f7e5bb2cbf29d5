// Runs every file of the seed corpora (tests/fuzz/corpus/<target>) and every
// reproducer of a fault found by fuzzing (tests/fuzz/regressions/<target>)
// through its fuzz target. A target aborts on a broken property; the
// sanitizer build also catches what the sanitizers see.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_targets.h"

namespace trivolux::fuzz {
namespace {

struct Target {
  const char* name;
  Entry entry;
};

const Target kTargets[] = {
    {"frame_reader", FrameReaderInput},     {"ini", IniInput},
    {"parameter_file", ParameterFileInput}, {"table_attributes", TableAttributesInput},
    {"panel_settings", PanelSettingsInput}, {"answers", AnswersInput},
    {"sensor_link", SensorLinkInput},
};

class FuzzReplay : public ::testing::TestWithParam<Target> {};

int Replay(const Target& target, const char* kind) {
  const std::filesystem::path dir = std::filesystem::path(TRIVOLUX_FUZZ_DIR) / kind / target.name;
  if (!std::filesystem::is_directory(dir)) return 0;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SCOPED_TRACE(entry.path().string());
    target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ++files;
  }
  return files;
}

TEST_P(FuzzReplay, CorpusAndRegressions) {
  EXPECT_GT(Replay(GetParam(), "corpus"), 0) << "no seed corpus";
  Replay(GetParam(), "regressions");
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace trivolux::fuzz
