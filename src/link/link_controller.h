#pragma once
// The sensor link on the panels: opening the transports from the connect
// page, the failure report SetTimeout, the offline state, the baud-rate
// change, the connection check with the sensor's identification, and the
// connect-page callbacks. One instance lives in ScopeApp.
#include <QObject>
#include <QString>
#include <functional>

#include "link/sensor_link.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"

class QLineEdit;

namespace trivolux {

class ScopeApp;

class LinkController : public QObject {
  Q_OBJECT
 public:
  explicit LinkController(ScopeApp& app, QObject* parent = nullptr);
  ~LinkController() override;

  SensorLink& link() { return link_; }
  SerialTransport& serial() { return serial_; }
  TcpTransport& tcp() { return tcp_; }

  // Filled by the owners of these steps: the parameter read after a
  // successful identification (1 or -1), the hardware information file, and
  // the panel settings file written by ACCEPT.
  std::function<int()> getPara;
  std::function<void()> generateHwInfoFile;
  std::function<void()> storePanelSettings;

  // Link state (read from the connect page by TryToConnect).
  int ComProtocol = 0;  // 0 RS-232, 1 TCP/IP
  int ComPort = 1;
  int BaudrateIndex = 4;
  QString IpAddress;
  int PortNumber = 0;
  int ConnectResult = -1;
  QString FirmwareText;

  void SetTimeout();
  void Disconnect();
  void ChangeBaudrate();
  void InitRS232();
  void InitTCP_IP();
  void TryToConnect();
  void CheckComLine();
  // Closes the TCP conversation and the serial port (end of the program).
  void CloseTransports();

  // The status line of the data panel (also kept here for panels without one).
  QString StatusText() const { return statusText_; }
  QString StatusToolTip() const { return statusToolTip_; }
  // Appends text as it is to the connect page's message box.
  void AppendMessage(const QString& text);
  // Decimal value of the leading digits of a port string ("abc" -> 0;
  // absurdly long digit runs saturate instead of wrapping).
  static int LeadingNumber(const QString& text);

 public slots:
  void CBF_ButtonTryToConnect();
  void CBF_ButtonDisconnect();
  void CBF_ButtonAccept();
  void CBF_ButtonChangeBaudrate();
  void CBF_ButtonGenHwInfoFile();
  void CBF_EditCommunicationProtocol();
  void CBF_EditSelectComPort();
  void CBF_EditSelectBaudrate();
  void CBF_StringPortNumber();
  void CBF_StringIpAdress();
  void CBF_EditID();

 private:
  void ConnectControls();
  void SetStatus(const QString& text);
  void SetStatusToolTip(const QString& text);
  void DimConnectButtons(bool dimAll);
  // The CLOSE / OFFLINE popup: CLOSE ends the program, OFFLINE goes offline.
  void FailurePopup(const QString& text);
  QLineEdit* DataPanelDisplay(const char* name) const;

  ScopeApp& app_;
  SensorLink link_;
  SerialTransport serial_;
  TcpTransport tcp_;
  QString statusText_;
  QString statusToolTip_;
};

}  // namespace trivolux
