#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "link/orders.h"
#include "sim/sensor_model.h"
#include "sim/simulator.h"
#include "sim_client.h"

namespace trivolux::sim::test {

inline std::int16_t Word(const FrameReader::Event& e, int i) {
  return static_cast<std::int16_t>(ReadU16(e.data.data() + 2 * i));
}

inline Bytes ToBytes(const std::uint8_t* p, std::size_t n) {
  return Bytes(p, p + n);
}
template <std::size_t N>
Bytes ToBytes(const std::array<std::uint8_t, N>& a) {
  return Bytes(a.begin(), a.end());
}

// A simulator on an ephemeral loopback port with one connected raw client.
class SimTest : public ::testing::Test {
 protected:
  virtual void Configure(SimOptions& options) { options.target = std::array<int, 3>{1200, 1000, 800}; }
  void SetUp() override {
    SimOptions options;
    Configure(options);
    sim = std::make_unique<Simulator>(options);
    port = sim->ListenTcp();
    ASSERT_NE(port, 0);
    ASSERT_TRUE(client.ConnectTcp(port));
  }

  std::unique_ptr<Simulator> sim;
  quint16 port = 0;
  SimClient client;
};

}  // namespace trivolux::sim::test
