#pragma once
// Moves the assembled program's link from TCP to the simulator's
// pseudo-terminal (the RS-232 path) at the given baud-rate index.
#include <QRegularExpression>
#include <QString>

#include "app_fixture.h"
#include "base/shared_state.h"
#include "link/link_controller.h"

namespace trivolux::bench {

inline void SwitchToPty(test::AppFixture& f, const QString& slave, int baudIndex) {
  const auto match = QRegularExpression("/dev/pts/(\\d+)$").match(slave);
  LinkController& link = f.link();
  link.ComPort = 1000 + match.captured(1).toInt();
  link.BaudrateIndex = baudIndex;
  link.InitRS232();
  f.state().SensorConnected = 1;
}

}  // namespace trivolux::bench
