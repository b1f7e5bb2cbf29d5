#pragma once
// The fuzz targets: each takes one input of arbitrary bytes through a reader
// or decoder of the program and aborts (with a message) when a property that
// must hold for any input fails. The libFuzzer executables (TRIVOLUX_FUZZ=ON,
// clang) call one of them per input; fuzz_replay_test runs the seed corpora
// and every reproducer of tests/fuzz/regressions through them in the normal
// test suite.
#include <cstddef>
#include <cstdint>

namespace trivolux::fuzz {

using Entry = void (*)(const std::uint8_t* data, std::size_t size);

void FrameReaderInput(const std::uint8_t* data, std::size_t size);
void IniInput(const std::uint8_t* data, std::size_t size);
void ParameterFileInput(const std::uint8_t* data, std::size_t size);
void TableAttributesInput(const std::uint8_t* data, std::size_t size);
void PanelSettingsInput(const std::uint8_t* data, std::size_t size);
void AnswersInput(const std::uint8_t* data, std::size_t size);
void SensorLinkInput(const std::uint8_t* data, std::size_t size);

// Prints "fuzz property failed: what" and aborts when ok is false.
void Require(bool ok, const char* what);

}  // namespace trivolux::fuzz
