#include "link/link_controller.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>

#include "base/shared_state.h"
#include "link/identification.h"
#include "link/orders.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
constexpr char kBaudrateReminder[] = "ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n";
}  // namespace

LinkController::LinkController(Panels& panels, SharedState& state, Popups& popups, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      link_(state),
      serial_(state),
      tcp_(state) {
  connect(&link_, &SensorLink::linkFailed, this, &LinkController::SetTimeout);
  RefreshComPorts();
  ConnectControls();
  connect(&panels_, &Panels::mainTabChanged, this, &LinkController::OnMainTabChanged);
}

LinkController::~LinkController() {
  CloseTransports();
}

void LinkController::ConnectControls() {
  // Settings follow the controls' values, so a change by mouse, keyboard or
  // assistive technology dims ACCEPT alike; only the address list waits for
  // a committed address before it remembers it.
  Ui::ConnectPage& c = panels_.connectPage().ui;
  connect(c.ButtonTryToConnect, &QPushButton::clicked, this, &LinkController::CBF_ButtonTryToConnect);
  connect(c.ButtonDisconnect, &QPushButton::clicked, this, &LinkController::CBF_ButtonDisconnect);
  connect(c.ButtonAccept, &QPushButton::clicked, this, &LinkController::CBF_ButtonAccept);
  connect(c.ButtonChangeBaudrate, &QPushButton::clicked, this, &LinkController::CBF_ButtonChangeBaudrate);
  connect(c.ButtonGenHwInfoFile, &QPushButton::clicked, this, &LinkController::CBF_ButtonGenHwInfoFile);
  connect(c.RingProtocol, &QComboBox::currentIndexChanged, this,
          &LinkController::CBF_EditCommunicationProtocol);
  connect(c.RingComPort, &QComboBox::currentTextChanged, this, &LinkController::CBF_EditSelectComPort);
  connect(c.RingBaudrate, &QComboBox::currentIndexChanged, this, &LinkController::CBF_EditSelectBaudrate);
  connect(c.StrPortNumber, &QLineEdit::textChanged, this, &LinkController::CBF_StringPortNumber);
  connect(c.StrIpAdress, &QComboBox::currentTextChanged, this, [this] { DimConnectButtons(false); });
  connect(c.StrIpAdress, &QComboBox::activated, this, &LinkController::CBF_StringIpAdress);
  connect(c.StrIpAdress->lineEdit(), &QLineEdit::editingFinished, this, &LinkController::CBF_StringIpAdress);
  connect(c.StrID, &QLineEdit::textChanged, this, &LinkController::CBF_EditID);
}

void LinkController::RefreshComPorts() {
  ConnectPage& page = panels_.connectPage();
  const int keep = page.SelectedComPort();
  QComboBox* ring = page.ui.RingComPort;
  const QSignalBlocker block(ring);
  ring->clear();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const QString device = SystemPortName(info);
    const int n = ComPortNumberForDevice(device);
    if (n > 0) ring->addItem(QStringLiteral("%1  %2").arg(n).arg(device), n);
  }
  if (keep > 0) page.SelectComPort(keep);
}

QString LinkController::StatusText() const {
  return panels_.dataPanel().ui.DispStatus->text();
}

QString LinkController::StatusToolTip() const {
  return panels_.dataPanel().ui.DispStatus->toolTip();
}

void LinkController::SetStatus(const QString& text) {
  panels_.dataPanel().ui.DispStatus->setText(text);
}

void LinkController::DimConnectButtons(bool dimAll) {
  Ui::ConnectPage& c = panels_.connectPage().ui;
  c.ButtonAccept->setEnabled(false);
  if (!dimAll) return;
  c.ButtonChangeBaudrate->setEnabled(false);
  c.ButtonGenHwInfoFile->setEnabled(false);
}

int LinkController::LeadingNumber(const QString& text) {
  qint64 value = 0;
  for (const QChar ch : text) {
    if (!ch.isDigit() || ch.unicode() > '9') break;
    value = std::min<qint64>(value * 10 + (ch.unicode() - '0'), 1'000'000'000);
  }
  return static_cast<int>(value);
}

void LinkController::SetTimeout() {
  state_.RunFlag = 0;
  state_.SensorConnected = 0;
  SetStatus(QStringLiteral("TIMEOUT!"));
  panels_.connectPage().AppendMessage(link_.MessageText + QStringLiteral("\n\n"));
  DimConnectButtons(true);
  panels_.ShowMainPage(MainPanel::kConnectPage);
}

void LinkController::CloseTransports() {
  tcp_.Close();
  serial_.Close();
  state_.TcpConnected = 0;
}

void LinkController::Disconnect() {
  panels_.SetButtonsDimmed(0, 1);
  Ui::ConnectPage& c = panels_.connectPage().ui;
  ComPort = panels_.connectPage().SelectedComPort();
  serial_.Close();
  if (state_.TcpConnected) {
    tcp_.Close();
    state_.TcpConnected = 0;
  }
  SetStatus(QStringLiteral("NO SENSOR CONNECTED!"));
  panels_.connectPage().AppendMessage(QStringLiteral("NO SENSOR CONNECTED!\n\n"));
  // Offline, SEND and GET work on parameter files. The memory selection
  // follows the FILE button.
  Ui::MainPanel& m = panels_.mainPanel().ui;
  m.ButtonFile->setChecked(true);
  c.ButtonTryToConnect->setEnabled(true);
  c.RingBaudrate->setEnabled(true);
  m.ButtonSend->setEnabled(true);
  m.ButtonGet->setEnabled(true);
  state_.SensorConnected = 0;
}

void LinkController::InitRS232() {
  state_.RunFlag = 0;
  serial_.Close();
  serial_.SetPort(ComPort);
  serial_.SetBaudIndex(BaudrateIndex);
  link_.SetTransport(&serial_);
  ConnectResult = serial_.Open();
  if (ConnectResult < 0) link_.Fail(SerialErrorText(ConnectResult));
}

void LinkController::InitTCP_IP() {
  if (state_.TcpConnected) tcp_.Close();
  link_.SetTransport(&tcp_);
  tcp_.SetAddress(IpAddress, PortNumber);
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  ConnectResult = tcp_.Open();
  QApplication::restoreOverrideCursor();
  if (ConnectResult >= 0) {
    state_.TcpConnected = 1;
  } else {
    state_.TcpConnected = 0;
    link_.Fail(TcpErrorText(ConnectResult));
  }
}

void LinkController::FailurePopup(const QString& text) {
  // Escape (and the close box) answers OFFLINE: a reflex key must not end the
  // program and lose every unsent parameter and teach-table edit.
  const int button = popups_.Generic(QStringLiteral("ATTENTION!"), text,
                                     {QStringLiteral("CLOSE"), QStringLiteral("OFFLINE")}, kOffline);
  if (button == kOffline) {
    Disconnect();
    return;
  }
  // CLOSE (also Enter): end the program, even during start-up.
  state_.RunFlag = 0;
  state_.QuitRequested = true;
  QCoreApplication::quit();
}

void LinkController::InitConnectPanel() {
  const int protocol = panels_.InitConnectPanel();
  if (protocol >= 0) ComProtocol = protocol;
}

void LinkController::TryToConnect() {
  serial_.Close();
  SetStatus(QStringLiteral("TRY TO CONNECT!"));
  panels_.connectPage().AppendMessage(QStringLiteral("TRY TO CONNECT!\n"));

  ConnectPage& page = panels_.connectPage();
  Ui::ConnectPage& c = page.ui;
  ComProtocol = c.RingProtocol->currentData().toInt();
  ComPort = page.SelectedComPort();
  BaudrateIndex = c.RingBaudrate->currentData().toInt();
  IpAddress = c.StrIpAdress->currentText().trimmed();
  const QString portText = c.StrPortNumber->text();
  // Show the texts above before the connection attempt blocks. User input
  // stays queued: a click made meanwhile must not start a second operation
  // inside this one.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

  Ui::DataPanel& d = panels_.dataPanel().ui;
  d.DispComPort->setText(QString::number(ComPort));
  d.DispIpAddress->setText(IpAddress);
  PortNumber = LeadingNumber(portText);

  const bool serial = ComProtocol == 0;
  d.DispComPort->setVisible(serial);
  d.DispIpAddress->setVisible(!serial);
  if (serial) {
    InitRS232();
  } else {
    InitTCP_IP();
  }
  if (state_.QuitRequested) return;
  if (ConnectResult >= 0) {
    CheckComLine();
  } else {
    FailurePopup(QLatin1String(kCouldNotConnect));
  }
}

void LinkController::CheckComLine() {
  SensorIdentity identity;
  if (ReadSensorIdentity(link_, &identity) != 1) {
    if (!state_.QuitRequested) FailurePopup(QLatin1String(kCouldNotConnect));
    return;
  }
  FirmwareText = identity.firmwareText;
  panels_.dataPanel().ui.DispStatus->setToolTip(FirmwareText);
  const Identification& id = identity.id;
  const std::uint16_t serialNumber = identity.serial;
  if (!id.Matches()) {
    FailurePopup(VersionMismatchText(id, serialNumber));
    return;
  }
  SetStatus(id.Displayed());
  ConnectPage& page = panels_.connectPage();
  page.AppendMessage(id.Displayed());
  page.AppendMessage(QStringLiteral("\nSERIAL NUMBER: ") + QString::number(serialNumber) +
                     QStringLiteral("\n\n"));
  state_.SensorConnected = 1;
  emit sensorIdentified();  // a failed parameter read has reported itself and cleared SensorConnected
  if (state_.SensorConnected == 1) {
    Ui::ConnectPage& c = page.ui;
    c.ButtonAccept->setEnabled(true);
    c.ButtonChangeBaudrate->setEnabled(true);
    c.ButtonGenHwInfoFile->setEnabled(true);
  }
}

void LinkController::ChangeBaudrate() {
  ConnectPage& page = panels_.connectPage();
  BaudrateIndex = page.ui.RingBaudrate->currentData().toInt();
  page.AppendMessage(QStringLiteral("TRY TO CHANGE BAUDRATE!\n"));
  if (link_.Exchange(order::kBaudrate, static_cast<std::uint16_t>(BaudrateIndex)) != 1) return;
  page.AppendMessage(QStringLiteral("SUCCESS!\n"));
  InitRS232();
  state_.SensorConnected = 1;
  TryToConnect();
  if (state_.SensorConnected == 1) page.AppendMessage(QLatin1String(kBaudrateReminder));
}

void LinkController::OnMainTabChanged(int index) {
  if (index != MainPanel::kConnectPage) return;
  // A running GO stops; changed settings need a new TRY TO CONNECT before ACCEPT.
  state_.RunFlag = 0;
  DimConnectButtons(true);
}

void LinkController::CBF_ButtonTryToConnect() {
  panels_.SetButtonsDimmed(0, 1);
  TryToConnect();
  if (state_.SensorConnected == 1 && !state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void LinkController::CBF_ButtonDisconnect() {
  Disconnect();
}

void LinkController::CBF_ButtonAccept() {
  emit settingsAccepted();
  panels_.ShowMainPage(MainPanel::kParameterPage);
}

void LinkController::CBF_ButtonChangeBaudrate() {
  if (panels_.connectPage().ui.RingProtocol->currentData().toInt() != 0) return;  // RS-232 only
  panels_.SetButtonsDimmed(0, 1);
  DimConnectButtons(true);
  ChangeBaudrate();
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void LinkController::CBF_ButtonGenHwInfoFile() {
  panels_.RunDimmed([this] { emit hwInfoFileRequested(); });
}

void LinkController::CBF_EditCommunicationProtocol() {
  InitConnectPanel();
  DimConnectButtons(true);
}

void LinkController::CBF_EditSelectComPort() {
  DimConnectButtons(true);
}

void LinkController::CBF_EditSelectBaudrate() {
  DimConnectButtons(false);
}

void LinkController::CBF_StringPortNumber() {
  DimConnectButtons(false);
}

void LinkController::CBF_StringIpAdress() {
  DimConnectButtons(false);
  AddressComboBox* box = panels_.connectPage().ui.StrIpAdress;
  box->AddRecent(box->currentText());
}

void LinkController::CBF_EditID() {
  const QString id = panels_.connectPage().ui.StrID->text();
  panels_.recordPage().ui.DispRecID->setText(id);
  panels_.bigColourPanel().ui.DispBigColourId->setText(id);
  panels_.bigGroupPanel().ui.DispBigGroupId->setText(id);
}

}  // namespace trivolux
