#include "ui/connect_page.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

int ComPortNumberFromDevice(const QString& device) {
  struct Family {
    const char* pattern;
    int base;
  };
  static const Family families[] = {{R"(^COM(\d+)$)", 0},
                                    {R"(^(?:/dev/)?ttyS(\d+)$)", 1},
                                    {R"(^(?:/dev/)?ttyUSB(\d+)$)", 101},
                                    {R"(^(?:/dev/)?ttyACM(\d+)$)", 201},
                                    {R"(^(?:/dev/)?pts/(\d+)$)", 1000}};
  for (const Family& f : families) {
    const QRegularExpressionMatch m = QRegularExpression(QLatin1String(f.pattern)).match(device);
    if (!m.hasMatch()) continue;
    bool ok = false;
    const int k = m.captured(1).toInt(&ok);
    if (ok && k >= 0 && k < 100000) return f.base + k;
  }
  return 0;
}

ConnectPage::ConnectPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  AssignRingIndexValues(this);
  ui.RingComPort->setInsertPolicy(QComboBox::NoInsert);
  ui.StrIpAdress->setInsertPolicy(QComboBox::NoInsert);
  ui.TextMessages->setMaximumBlockCount(2000);
  RefreshComPorts();
}

void ConnectPage::RefreshComPorts() {
  const int keep = SelectedComPort();
  ui.RingComPort->clear();
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    const int n = ComPortNumberFromDevice(info.systemLocation());
    if (n > 0) ui.RingComPort->addItem(QString("%1  %2").arg(n).arg(info.systemLocation()), n);
  }
  if (keep > 0) SelectComPort(keep);
}

int ConnectPage::SelectedComPort() const {
  const int index = ui.RingComPort->currentIndex();
  if (index >= 0 && ui.RingComPort->itemText(index) == ui.RingComPort->currentText()) {
    const QVariant v = ui.RingComPort->itemData(index);
    if (v.isValid()) return v.toInt();
  }
  const QRegularExpressionMatch m =
      QRegularExpression(R"(^\s*(\d{1,6}))").match(ui.RingComPort->currentText());
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void ConnectPage::SelectComPort(int n) {
  int index = ui.RingComPort->findData(n);
  if (index < 0) {
    ui.RingComPort->addItem(QString::number(n), n);
    index = ui.RingComPort->count() - 1;
  }
  ui.RingComPort->setCurrentIndex(index);
}

}  // namespace trivolux
