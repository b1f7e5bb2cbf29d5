#pragma once
// The connect page: protocol, port and server settings, connection buttons and the
// message box to which every connection message is appended.
#include <QString>
#include <QWidget>

#include "ui_connect_page.h"

namespace trivolux {

// COM port number of a serial device name, the inverse of the link's
// number -> device mapping: Windows "COMn" -> n; /dev/ttyS<k> -> k+1,
// /dev/ttyUSB<k> -> 101+k, /dev/ttyACM<k> -> 201+k, /dev/pts/<k> -> 1000+k.
// 0 when the name fits none of these.
int ComPortNumberFromDevice(const QString& device);

class ConnectPage : public QWidget {
  Q_OBJECT
 public:
  explicit ConnectPage(QWidget* parent = nullptr);
  Ui::ConnectPage ui;

  // Refills the COM port ring with the serial ports the system reports
  // (text "n  device", value n), keeping the selected number.
  void RefreshComPorts();
  // The selected COM port number: the value of the chosen item, or the
  // leading digits of a number typed into the ring (0 when there are none).
  int SelectedComPort() const;
  // Selects port n, adding an item for it when the system does not list it.
  void SelectComPort(int n);
};

}  // namespace trivolux
