#include "link/link_controller.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "app/scope_app.h"
#include "link/identification.h"
#include "link/orders.h"

namespace trivolux {

namespace {
constexpr int kMaxRecentAddresses = 10;
constexpr char kBaudrateReminder[] = "ATTENTION!!!   CONFIRM NEW BAUDRATE WITH EEPROM AND SEND!\n\n";
}  // namespace

LinkController::LinkController(ScopeApp& app, QObject* parent)
    : QObject(parent), app_(app), link_(app.state()), serial_(app.state()), tcp_(app.state()) {
  connect(&link_, &SensorLink::linkFailed, this, &LinkController::SetTimeout);
  ConnectControls();
}

LinkController::~LinkController() {
  CloseTransports();
}

void LinkController::ConnectControls() {
  Ui::ConnectPage& c = app_.connectPage().ui;
  connect(c.ButtonTryToConnect, &QPushButton::clicked, this, &LinkController::CBF_ButtonTryToConnect);
  connect(c.ButtonDisconnect, &QPushButton::clicked, this, &LinkController::CBF_ButtonDisconnect);
  connect(c.ButtonAccept, &QPushButton::clicked, this, &LinkController::CBF_ButtonAccept);
  connect(c.ButtonChangeBaudrate, &QPushButton::clicked, this, &LinkController::CBF_ButtonChangeBaudrate);
  connect(c.ButtonGenHwInfoFile, &QPushButton::clicked, this, &LinkController::CBF_ButtonGenHwInfoFile);
  connect(c.RingProtocol, &QComboBox::activated, this, &LinkController::CBF_EditCommunicationProtocol);
  connect(c.RingComPort, &QComboBox::activated, this, &LinkController::CBF_EditSelectComPort);
  if (c.RingComPort->lineEdit())
    connect(c.RingComPort->lineEdit(), &QLineEdit::editingFinished, this,
            &LinkController::CBF_EditSelectComPort);
  connect(c.RingBaudrate, &QComboBox::activated, this, &LinkController::CBF_EditSelectBaudrate);
  connect(c.StrPortNumber, &QLineEdit::editingFinished, this, &LinkController::CBF_StringPortNumber);
  connect(c.StrIpAdress, &QComboBox::activated, this, &LinkController::CBF_StringIpAdress);
  if (c.StrIpAdress->lineEdit())
    connect(c.StrIpAdress->lineEdit(), &QLineEdit::editingFinished, this,
            &LinkController::CBF_StringIpAdress);
  connect(c.StrID, &QLineEdit::editingFinished, this, &LinkController::CBF_EditID);
}

QLineEdit* LinkController::DataPanelDisplay(const char* name) const {
  return app_.dataPanel().findChild<QLineEdit*>(QLatin1String(name));
}

void LinkController::SetStatus(const QString& text) {
  statusText_ = text;
  if (QLineEdit* status = DataPanelDisplay("DispStatus")) status->setText(text);
}

void LinkController::SetStatusToolTip(const QString& text) {
  statusToolTip_ = text;
  if (QLineEdit* status = DataPanelDisplay("DispStatus")) status->setToolTip(text);
}

void LinkController::AppendMessage(const QString& text) {
  QPlainTextEdit* box = app_.connectPage().ui.TextMessages;
  QTextCursor cursor(box->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(text);
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
}

void LinkController::DimConnectButtons(bool dimAll) {
  Ui::ConnectPage& c = app_.connectPage().ui;
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
  SharedState& s = app_.state();
  s.RunFlag = 0;
  s.SensorConnected = 0;
  SetStatus(QStringLiteral("TIMEOUT!"));
  AppendMessage(link_.MessageText + QStringLiteral("\n\n"));
  DimConnectButtons(true);
  app_.mainPanel().ui.TabMain->setCurrentIndex(MainPanel::kConnectPage);
}

void LinkController::CloseTransports() {
  tcp_.Close();
  serial_.Close();
  app_.state().TcpConnected = 0;
}

void LinkController::Disconnect() {
  SharedState& s = app_.state();
  app_.SetButtonsDimmed(0, 1);
  Ui::ConnectPage& c = app_.connectPage().ui;
  ComPort = app_.connectPage().SelectedComPort();
  serial_.Close();
  if (s.TcpConnected) {
    tcp_.Close();
    s.TcpConnected = 0;
  }
  SetStatus(QStringLiteral("NO SENSOR CONNECTED!"));
  AppendMessage(QStringLiteral("NO SENSOR CONNECTED!\n\n"));
  // Offline, SEND and GET work on parameter files.
  Ui::MainPanel& m = app_.mainPanel().ui;
  m.ButtonFile->setChecked(true);
  m.ButtonRam->setChecked(false);
  m.ButtonEeprom->setChecked(false);
  s.MemorySelection = Memory::File;
  c.ButtonTryToConnect->setEnabled(true);
  c.RingBaudrate->setEnabled(true);
  m.ButtonSend->setEnabled(true);
  m.ButtonGet->setEnabled(true);
  s.SensorConnected = 0;
}

void LinkController::InitRS232() {
  app_.state().RunFlag = 0;
  serial_.Close();
  serial_.SetPort(ComPort);
  serial_.SetBaudIndex(BaudrateIndex);
  link_.SetTransport(&serial_);
  ConnectResult = serial_.Open();
  if (ConnectResult < 0) link_.Fail(SerialErrorText(ConnectResult));
}

void LinkController::InitTCP_IP() {
  SharedState& s = app_.state();
  if (s.TcpConnected) tcp_.Close();
  link_.SetTransport(&tcp_);
  tcp_.SetAddress(IpAddress, PortNumber);
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  ConnectResult = tcp_.Open();
  QApplication::restoreOverrideCursor();
  if (ConnectResult >= 0) {
    s.TcpConnected = 1;
  } else {
    s.TcpConnected = 0;
    link_.Fail(TcpErrorText(ConnectResult));
  }
}

void LinkController::FailurePopup(const QString& text) {
  SharedState& s = app_.state();
  const int button = app_.popups().Generic(QStringLiteral("ATTENTION!"), text,
                                           {QStringLiteral("CLOSE"), QStringLiteral("OFFLINE")});
  if (button == 1) {
    Disconnect();
    return;
  }
  // CLOSE (also Enter and Escape): end the program, even during start-up.
  s.RunFlag = 0;
  s.QuitRequested = true;
  QCoreApplication::quit();
}

void LinkController::TryToConnect() {
  serial_.Close();
  SetStatus(QStringLiteral("TRY TO CONNECT!"));
  AppendMessage(QStringLiteral("TRY TO CONNECT!\n"));

  ConnectPage& page = app_.connectPage();
  Ui::ConnectPage& c = page.ui;
  ComProtocol = c.RingProtocol->currentData().toInt();
  ComPort = page.SelectedComPort();
  BaudrateIndex = c.RingBaudrate->currentData().toInt();
  IpAddress = c.StrIpAdress->currentText().trimmed();
  const QString portText = c.StrPortNumber->text();
  QCoreApplication::processEvents();

  QLineEdit* comDisplay = DataPanelDisplay("DispComPort");
  QLineEdit* ipDisplay = DataPanelDisplay("DispIpAddress");
  if (comDisplay) comDisplay->setText(QString::number(ComPort));
  if (ipDisplay) ipDisplay->setText(IpAddress);
  PortNumber = LeadingNumber(portText);

  const bool serial = ComProtocol == 0;
  if (comDisplay) comDisplay->setVisible(serial);
  if (ipDisplay) ipDisplay->setVisible(!serial);
  if (serial) {
    InitRS232();
  } else {
    InitTCP_IP();
  }
  if (app_.state().QuitRequested) return;
  if (ConnectResult >= 0) {
    CheckComLine();
  } else {
    FailurePopup(QLatin1String(kCouldNotConnect));
  }
}

void LinkController::CheckComLine() {
  SharedState& s = app_.state();
  if (link_.Exchange(order::kIdentify, 0) != 1) {
    if (!s.QuitRequested) FailurePopup(QLatin1String(kCouldNotConnect));
    return;
  }
  FirmwareText = FirmwareTextFromAnswer(link_.AnswerData(), order::kIdentBytes);
  SetStatusToolTip(FirmwareText);
  const Identification id = SplitIdentification(FirmwareText);
  const std::uint16_t serialNumber = link_.AnswerParam;
  if (!id.Matches()) {
    FailurePopup(VersionMismatchText(id, serialNumber));
    return;
  }
  SetStatus(id.Displayed());
  AppendMessage(id.Displayed());
  AppendMessage(QStringLiteral("\nSERIAL NUMBER: ") + QString::number(serialNumber) + QStringLiteral("\n\n"));
  s.SensorConnected = 1;
  if (getPara) getPara();  // a failure has reported itself and cleared SensorConnected
  if (s.SensorConnected == 1) {
    Ui::ConnectPage& c = app_.connectPage().ui;
    c.ButtonAccept->setEnabled(true);
    c.ButtonChangeBaudrate->setEnabled(true);
    c.ButtonGenHwInfoFile->setEnabled(true);
  }
}

void LinkController::ChangeBaudrate() {
  Ui::ConnectPage& c = app_.connectPage().ui;
  BaudrateIndex = c.RingBaudrate->currentData().toInt();
  AppendMessage(QStringLiteral("TRY TO CHANGE BAUDRATE!\n"));
  if (link_.Exchange(order::kBaudrate, static_cast<std::uint16_t>(BaudrateIndex)) != 1) return;
  AppendMessage(QStringLiteral("SUCCESS!\n"));
  InitRS232();
  app_.state().SensorConnected = 1;
  TryToConnect();
  if (app_.state().SensorConnected == 1) AppendMessage(QLatin1String(kBaudrateReminder));
}

void LinkController::CBF_ButtonTryToConnect() {
  app_.SetButtonsDimmed(0, 1);
  TryToConnect();
  if (app_.state().SensorConnected == 1 && !app_.state().QuitRequested) app_.SetButtonsDimmed(0, 0);
}

void LinkController::CBF_ButtonDisconnect() {
  Disconnect();
}

void LinkController::CBF_ButtonAccept() {
  if (storePanelSettings) storePanelSettings();
  app_.mainPanel().ui.TabMain->setCurrentIndex(MainPanel::kParameterPage);
}

void LinkController::CBF_ButtonChangeBaudrate() {
  if (app_.connectPage().ui.RingProtocol->currentData().toInt() != 0) return;  // RS-232 only
  app_.SetButtonsDimmed(0, 1);
  DimConnectButtons(true);
  ChangeBaudrate();
  if (!app_.state().QuitRequested) app_.SetButtonsDimmed(0, 0);
}

void LinkController::CBF_ButtonGenHwInfoFile() {
  app_.SetButtonsDimmed(0, 1);
  if (generateHwInfoFile) generateHwInfoFile();
  app_.SetButtonsDimmed(0, 0);
}

void LinkController::CBF_EditCommunicationProtocol() {
  app_.InitConnectPanel();
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
  QComboBox* box = app_.connectPage().ui.StrIpAdress;
  const QString address = box->currentText().trimmed();
  if (address.isEmpty()) return;
  // Most recently used first, no duplicates, at most ten.
  const QSignalBlocker block(box);
  const int found = box->findText(address, Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (found >= 0) box->removeItem(found);
  box->insertItem(0, address);
  while (box->count() > kMaxRecentAddresses) box->removeItem(box->count() - 1);
  box->setCurrentIndex(0);
}

void LinkController::CBF_EditID() {
  const QString id = app_.connectPage().ui.StrID->text();
  app_.recordPage().ui.DispRecID->setText(id);
  for (QWidget* panel : std::initializer_list<QWidget*>{&app_.bigColourPanel(), &app_.bigGroupPanel()}) {
    for (const char* name : {"DispBigColourId", "DispBigGroupId"}) {
      if (auto* display = panel->findChild<QLineEdit*>(QLatin1String(name))) display->setText(id);
    }
  }
}

}  // namespace trivolux
