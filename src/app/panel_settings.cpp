#include "app/panel_settings.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>

#include "calib/calib_controller.h"
#include "ini/ini_file.h"
#include "ini/ini_text.h"
#include "link/link_controller.h"
#include "params/param_controller.h"
#include "teach/table_attr_controller.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

static_assert(WindowPlacement{}.width == MainPanel::kDefaultWidth &&
                  WindowPlacement{}.height == MainPanel::kDefaultHeight,
              "a settings file without a placement opens the window at its default size");

namespace {
constexpr QRgb kGreyCell = 0xE0E0E0;
// A save writes its temporary for milliseconds; one older than this was left
// by a save that was killed. Younger ones may belong to a second instance.
constexpr std::chrono::seconds kStaleTemporaryAge{60};
}  // namespace

PanelSettingsStore::PanelSettingsStore(Panels& panels, Popups& popups, LinkController& link,
                                       ParamController& params, TableAttrController& tableAttr,
                                       CalibController& calib, const QString& programDir, QObject* parent)
    : QObject(parent),
      panels_(panels),
      popups_(popups),
      params_(params),
      tableAttr_(tableAttr),
      calib_(calib) {
  location_ = OwnSettingsLocation(programDir);
  current_ = DefaultPanelSettings(location_.defaultFilesDir);
  connect(&link, &LinkController::settingsAccepted, this, &PanelSettingsStore::StorePanelSettings);
}

void PanelSettingsStore::LoadPanelSettings() {
  current_ = DefaultPanelSettings(location_.defaultFilesDir);
  const QString path = location_.ReadPath();
  if (QFileInfo::exists(path)) {
    IniText ini;
    const int read = ini.ReadFromFile(path);
    // A file that cannot be read leaves the defaults; the user is told which
    // file and why (the store refuses absurdly large files unread).
    if (read < 0) popups_.Message(QStringLiteral("ATTENTION!"), IniReadErrorText(read, path));
    if (IsPanelSettings(ini)) ReadPanelSettings(ini, location_.defaultFilesDir, &current_);
  }
  if (current_.placement) ApplyPlacement(*current_.placement);
  QComboBox* addresses = panels_.connectPage().ui.StrIpAdress;
  const QString typed = addresses->currentText();
  addresses->clear();
  addresses->addItems(current_.addresses);
  addresses->setEditText(typed);
  params_.SetLastParameterFile(current_.parameterFile);

  panels_.recordPage().ui.DispRecFile->setText(current_.recorderFile);
  // The identification displays follow the field.
  panels_.connectPage().ui.StrID->setText(current_.panelId);

  tableAttr_.ApplyTableAttributes(current_.tableAttributes);
  tableAttr_.SetFile(current_.tableAttributesFile);
  calib_.HwInfoPath = current_.hardwareFile;
  // Rows 4..64 of the teach grid start grey (values columns).
  QTableWidget* teach = panels_.teachPage().ui.GridTeach;
  for (int row = 3; row < std::min(64, teach->rowCount()); ++row) {
    for (int col = 0; col < std::min(5, teach->columnCount()); ++col) {
      if (QTableWidgetItem* item = teach->item(row, col)) item->setBackground(QColor::fromRgb(kGreyCell));
    }
  }
}

void PanelSettingsStore::GetConnectionSettingsFromFile() {
  ConnectionSettings c;
  const QString path = location_.ReadPath();
  if (QFileInfo::exists(path)) {
    IniText ini;
    ini.ReadFromFile(path);
    if (IsPanelSettings(ini)) ReadConnectionSettings(ini, &c, &current_.codec);
  }
  current_.connection = c;
  ConnectPage& page = panels_.connectPage();
  Ui::ConnectPage& ui = page.ui;
  const auto select = [](QComboBox* ring, int value) {
    const int index = ring->findData(value);
    if (index >= 0) ring->setCurrentIndex(index);
  };
  select(ui.RingProtocol, c.comProtocol);
  page.SelectComPort(c.comPort);
  select(ui.RingBaudrate, c.baudrateIndex);
  ui.StrIpAdress->setEditText(c.ipAddress);
  ui.StrPortNumber->setText(c.portNumber);
}

void PanelSettingsStore::StorePanelSettings() {
  ConnectPage& page = panels_.connectPage();
  Ui::ConnectPage& ui = page.ui;
  current_.panelId = ui.StrID->text();
  current_.placement = CurrentPlacement();
  current_.parameterFile = params_.LastParameterFile();
  const QString recordFile = panels_.recordPage().ui.DispRecFile->text();
  if (!recordFile.isEmpty()) current_.recorderFile = recordFile;
  current_.addresses.clear();
  for (int i = 0; i < std::min(ui.StrIpAdress->count(), kMaxAddresses); ++i)
    current_.addresses << ui.StrIpAdress->itemText(i);
  current_.connection.comProtocol = ui.RingProtocol->currentData().toInt();
  current_.connection.comPort = page.SelectedComPort();
  current_.connection.baudrateIndex = ui.RingBaudrate->currentData().toInt();
  current_.connection.ipAddress = ui.StrIpAdress->currentText();
  current_.connection.portNumber = ui.StrPortNumber->text();
  current_.tableAttributes = tableAttr_.TableAttributesFromGrid(current_.tableAttributes);
  if (!tableAttr_.File().isEmpty()) current_.tableAttributesFile = tableAttr_.File();
  if (!calib_.HwInfoPath.isEmpty()) current_.hardwareFile = calib_.HwInfoPath;

  IniText ini;
  WritePanelSettings(current_, ini);
  QDir().mkpath(QFileInfo(location_.settingsPath).absolutePath());
  ini.WriteToFile(location_.settingsPath);  // a failed write is not reported
}

void PanelSettingsStore::RemoveStaleTemporaries() {
  // The directories this program writes INI files into.
  QStringList dirs;
  const auto add = [&dirs](const QString& path) {
    if (path.isEmpty()) return;
    const QFileInfo info(path);
    const QString dir = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    if (!dirs.contains(dir)) dirs << dir;
  };
  add(location_.settingsPath);
  add(params_.LastParameterFile());
  add(current_.tableAttributesFile);
  add(current_.hardwareFile);
  add(current_.recorderFile);  // the record header is written the same way
  for (const QString& dir : dirs) RemoveStaleIniTemporaries(dir, kStaleTemporaryAge);
}

void PanelSettingsStore::ApplyPlacement(const WindowPlacement& p) {
  QWidget& window = panels_.mainPanel();
  if (p.state == kMaximisedState) {
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return;
  }
  QRect rect(p.left, p.top, p.width, p.height);
  // A placement from another screen layout must not hide the window.
  bool visible = false;
  for (const QScreen* screen : QGuiApplication::screens())
    visible |= screen->availableGeometry().intersects(rect);
  if (!visible) rect.moveTo(WindowPlacement{}.left, WindowPlacement{}.top);
  window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
  window.setGeometry(rect);
}

WindowPlacement PanelSettingsStore::CurrentPlacement() const {
  const QWidget& window = panels_.mainPanel();
  WindowPlacement p;
  p.state = window.isMaximized() ? kMaximisedState : (window.isMinimized() ? 1 : 0);
  const QRect g = window.geometry();
  p.left = g.left();
  p.top = g.top();
  p.width = g.width();
  p.height = g.height();
  return p;
}

}  // namespace trivolux
