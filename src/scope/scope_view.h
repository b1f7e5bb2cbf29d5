#pragma once
// What the scope graph panel shows of a scan, without widgets: the y range
// that fits the traces, the sample under a cursor, the display index of the
// trigger, the names of the three lines and the scan as CSV text.
#include <QByteArray>
#include <QString>
#include <array>

#include "scope/scope_data.h"

namespace trivolux {

// Red, green, blue and the binary block, in display order.
using ScopeTraces = std::array<ScopeBlock, 4>;

struct ScopeYRange {
  double lower = 0;
  double upper = 0;
};
// The digits of the shown lines with 5 % of their span above and below; a
// flat trace gets ±5 digits so that it lies inside a visible range. Nothing
// shown: an empty range (lower == upper).
ScopeYRange ScopeFitRange(const ScopeTraces& traces, const std::array<bool, 3>& shown);

// The sample nearest to a cursor at x (samples), kept to 0..127.
int ScopeSampleAt(double x);

// Display index of the sample taken at the trigger: the pre-trigger count
// (modulo 128) in the triggered modes, -1 for SINGLE SHOT, which has none.
int ScopeTriggerIndex(int triggerMode, int preTrigger);

// What the red, green and blue lines carry: the colour channels (recorded
// signal 0), or X/Y/INT or s/i/M (signal 1, by calculation mode); other
// signals are the sensor's own and keep the colour names.
std::array<QString, 3> ScopeLineNames(int recordedSignal, int calcMode);
// The two binary signals as bits (trace A is bit 0, trace B bit 1).
inline constexpr std::array<const char*, 2> kScopeBitNames = {"BIT0", "BIT1"};

// One row per sample: time in ms from the first sample (index × msPerSample),
// the three lines in digits and the two bits, comma-separated with a header
// row, CR LF line ends.
QByteArray ScopeCsv(const ScopeTraces& traces, const std::array<QString, 3>& names, double msPerSample);

}  // namespace trivolux
