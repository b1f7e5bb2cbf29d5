#pragma once
// The simulated optics and the colour evaluation: pure functions, no state.
//
// Signal chain per channel (all values in ADC digits, 12-bit converter):
//   adc  = dark + target * POWER/500 * 2^((GAIN-5)/2) + noise, clipped to 0..4095
//          (LED MODE OFF leaves only the dark level)
//   raw  = max(0, adc - offset)
//   cal  = raw * CF / 1024, clipped to 32767
// The target colour is the signal a white-balanced channel sees at POWER 500
// and GAIN AMP6 (5).
#include <array>
#include <cstdint>

#include "sim/param_layout.h"

namespace trivolux::sim {

struct ColourPoint {
  int a = 0;  // X or s
  int b = 0;  // Y or i
  int c = 0;  // INT or M
};

struct Evaluation {
  int deltaC = -1;
  int color = 255;
  int group = 255;
};

constexpr int kAdcMax = 4095;
constexpr std::array<int, 3> kDarkLevel = {38, 41, 35};

// Gain factor of GAIN stage g (AMP1 = 0 .. AMP8 = 7), 1.0 at AMP6.
double GainFactor(int gain);
// Noise-free ADC level of one channel.
double AdcLevel(double target, int dark, const ParamWords& p);

// X = 4095 R/(R+G+B), Y = 4095 G/(R+G+B), INT = (R+G+B)/3.
ColourPoint ToXyInt(int r, int g, int b);
// s = 5000 + 5000 (R-G)/S, i = 5000 + 2500 (R+G-2B)/S, M = 10000 S/(3*4095), S = R+G+B.
ColourPoint ToSiM(int r, int g, int b);
// The colour point of the current CALCULATION MODE (0, 2: X/Y/INT; 1, 3: s/i/M).
ColourPoint ToPoint(int calcMode, int r, int g, int b);

// Evaluates the teach table for one colour point and the calibrated RGB
// (the THD modes compare RGB with the thresholds of rows 0 and 1).
Evaluation Evaluate(const ParamWords& p, const TeachRows& rows, const ColourPoint& point, int r, int g,
                    int b);

}  // namespace trivolux::sim
