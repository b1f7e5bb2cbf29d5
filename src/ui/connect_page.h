#pragma once
// The connect page: protocol, port and server settings, connection buttons and the
// message box to which every connection message is appended.
#include <QString>
#include <QWidget>

#include "ui_connect_page.h"

namespace trivolux {

class ConnectPage : public QWidget {
  Q_OBJECT
 public:
  explicit ConnectPage(QWidget* parent = nullptr);
  Ui::ConnectPage ui;

  // Appends text as it is to the message box and scrolls to it.
  void AppendMessage(const QString& text);
  // The selected COM port number: the value of the chosen item, or the
  // leading digits of a number typed into the ring (0 when there are none).
  int SelectedComPort() const;
  // Selects port n, adding an item for it when the ring does not list it.
  void SelectComPort(int n);
};

}  // namespace trivolux
