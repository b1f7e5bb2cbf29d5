#pragma once
// The sensor link on the panels: opening the transports from the connect
// page, the failure report SetTimeout, the offline state, the baud-rate
// change, the connection check with the sensor's identification, and the
// connect-page callbacks. One instance lives in the application object.
#include <QObject>
#include <QString>

#include "link/sensor_link.h"
#include "link/serial_transport.h"
#include "link/tcp_transport.h"

namespace trivolux {

class Panels;
class Popups;
struct SharedState;

class LinkController : public QObject {
  Q_OBJECT
 public:
  LinkController(Panels& panels, SharedState& state, Popups& popups, QObject* parent = nullptr);
  ~LinkController() override;

  SensorLink& link() { return link_; }
  SerialTransport& serial() { return serial_; }
  TcpTransport& tcp() { return tcp_; }

  // Link state (read from the connect page by TryToConnect and InitConnectPanel).
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
  // Shows the controls of the selected protocol and keeps it in ComProtocol.
  void InitConnectPanel();
  // Fills the COM port ring with the serial ports the system reports
  // (text "n  device", value n), keeping the selected number.
  void RefreshComPorts();
  // Closes the TCP conversation and the serial port (end of the program).
  void CloseTransports();

  // The status line of the data panel and its tool tip (the full identification).
  QString StatusText() const;
  QString StatusToolTip() const;
  // Decimal value of the leading digits of a port string ("abc" -> 0;
  // absurdly long digit runs saturate instead of wrapping).
  static int LeadingNumber(const QString& text);

 signals:
  // The sensor answered the identification with a matching version; the
  // parameter read that follows reports its own failure (SensorConnected 0).
  void sensorIdentified();
  // The hardware-information button was pressed (operations dimmed meanwhile).
  void hwInfoFileRequested();
  // ACCEPT: the connection settings are to be stored.
  void settingsAccepted();

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
  void OnMainTabChanged(int index);
  void SetStatus(const QString& text);
  void DimConnectButtons(bool dimAll);
  // The CLOSE / OFFLINE popup: CLOSE (Enter) ends the program, OFFLINE
  // (also Escape) goes offline.
  void FailurePopup(const QString& text);
  static constexpr int kOffline = 1;  // button index of OFFLINE

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  SensorLink link_;
  SerialTransport serial_;
  TcpTransport tcp_;
};

}  // namespace trivolux
