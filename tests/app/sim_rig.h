#pragma once
// The assembled program started against an in-process simulator over TCP/IP
// on the loopback interface: what most widget suites build their rig on.
#include <utility>

#include "app_fixture.h"
#include "sim/simulator.h"

namespace trivolux::test {

struct SimRig {
  explicit SimRig(sim::SimOptions options = {}) : sim(std::move(options)) {
    port = sim.ListenTcp();
    fixture.StartTcp(port);
  }
  sim::Simulator sim;
  AppFixture fixture;
  Panels& panels = fixture.panels();
  SharedState& state = fixture.state();
  quint16 port = 0;
};

}  // namespace trivolux::test
