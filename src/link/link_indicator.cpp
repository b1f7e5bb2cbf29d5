#include "link/link_indicator.h"

#include <QColor>

#include "base/shared_state.h"
#include "link/identification.h"
#include "link/link_controller.h"
#include "ui/panels.h"

namespace trivolux {

LinkIndicator::LinkIndicator(Panels& panels, const SharedState& state, LinkController& link, QObject* parent)
    : QObject(parent), panels_(panels), state_(state), link_(link) {
  connect(&link_, &LinkController::linkStateChanged, this, [this] {
    if (link_.State == LinkState::Connecting) {
      failure_.clear();
      failedConnectResult_ = 0;
    }
    Refresh();
  });
  connect(&link_.link(), &SensorLink::linkFailed, this, [this] {
    failure_ = link_.link().MessageText;
    failedConnectResult_ = link_.ConnectResult;
    Refresh();
  });
  Refresh();
}

void LinkIndicator::Refresh() {
  ConnectionFacts f;
  f.state = link_.State;
  // A sensor operation that set SensorConnected again after a failure (self
  // calibration does) counts: the flag is what the operations go by.
  if (f.state == LinkState::NotConnected || f.state == LinkState::Connected)
    f.state = state_.SensorConnected == 1 ? LinkState::Connected : LinkState::NotConnected;
  f.protocol = link_.ComProtocol;
  f.address = link_.IpAddress;
  f.port = link_.PortNumber;
  f.device = ComPortDeviceName(link_.ComPort);
  f.baudRate = BaudRateForIndex(link_.BaudrateIndex);
  f.identification = SplitIdentification(link_.FirmwareText).Displayed();
  f.connectResult = failedConnectResult_;
  f.failure = failure_;
  QColor lamp;  // off: offline
  switch (f.state) {
    case LinkState::Connected:
      lamp = QColor(0x00, 0xC0, 0x00);
      break;
    case LinkState::Connecting:
      lamp = QColor(0xFF, 0xC0, 0x00);
      break;
    case LinkState::NotConnected:
      lamp = QColor(0xE0, 0x00, 0x00);
      break;
    case LinkState::Offline:
      break;
  }
  panels_.statusStrip().SetLink(lamp, ConnectionSummary(f));
}

}  // namespace trivolux
