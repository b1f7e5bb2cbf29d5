#include "params/param_controller.h"

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>

#include "base/feedback_texts.h"
#include "ini/ini_file.h"
#include "ini/ini_text.h"
#include "link/link_controller.h"
#include "params/file_popups.h"
#include "params/param_panel_io.h"
#include "params/parameter_file.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

ParamController::ParamController(Panels& panels, SharedState& state, Popups& popups, LinkController& link,
                                 QString programDir, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      programDir_(std::move(programDir)),
      transfer_(state, link.link(), para_),
      rules_(panels, state, popups, para_),
      unsent_(panels) {
  connect(&transfer_, &ParamTransfer::eepromNotice, this, &ParamController::ShowEepromNotice);
  connect(&rules_, &ModeRules::calculationModeChanged, this, &ParamController::calculationModeChanged);
  connect(&unsent_, &UnsentEdits::pendingChanged, &panels_.mainPanel(), &MainPanel::ShowUnsentEdits);
  // The connection check reads the set right after identifying the sensor;
  // unsent edits are replaced only when the user agrees (the sensor then
  // stays connected with the panels as they are).
  connect(&link, &LinkController::sensorIdentified, this, [this] {
    if (MayReplaceEdits()) GetPara();
  });

  auto& m = panels_.mainPanel().ui;
  connect(m.ButtonSend, &QPushButton::clicked, this, &ParamController::CBF_ButtonSend);
  connect(m.ButtonGet, &QPushButton::clicked, this, &ParamController::CBF_ButtonGet);
  // The selections follow the checked buttons, however they were checked
  // (mouse, keyboard, assistive technology or the program): what is shown
  // is what SEND and GET use.
  m.MemoryGroup->setId(m.ButtonRam, static_cast<int>(Memory::Ram));
  m.MemoryGroup->setId(m.ButtonEeprom, static_cast<int>(Memory::Eeprom));
  m.MemoryGroup->setId(m.ButtonFile, static_cast<int>(Memory::File));
  connect(m.MemoryGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) state_.MemorySelection = static_cast<Memory>(id);
  });
  m.ParaSetGroup->setId(m.ButtonParaSet0, 0);
  m.ParaSetGroup->setId(m.ButtonParaSet1, 1);
  connect(m.ParaSetGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) state_.ParaSet = id;
  });
  if (QAbstractButton* shown = m.MemoryGroup->checkedButton())
    state_.MemorySelection = static_cast<Memory>(m.MemoryGroup->id(shown));
  state_.ParaSet = qMax(0, m.ParaSetGroup->checkedId());
}

int ParamController::SendPara() {
  QElapsedTimer clock;
  clock.start();
  GetPanelValues();
  const int result = transfer_.SendPara();
  // Values the sensor replaced by its defaults are not what the panels show.
  if (result == 1 && transfer_.LastDefaulted() <= 0) unsent_.MarkInSync();
  NoticeSensorTransfer("SEND", true, clock.elapsed(), result);
  return result;
}

int ParamController::GetPara() {
  QElapsedTimer clock;
  clock.start();
  const int result = transfer_.GetPara();
  const qint64 ms = clock.elapsed();
  if (result == 1) {
    RefreshAfterRead();
    unsent_.MarkInSync();
  }
  NoticeSensorTransfer("GET", false, ms, result);
  return result;
}

void ParamController::NoticeSensorTransfer(const char* what, bool towards, qint64 ms, int result) {
  TransferNotice n;
  n.what = QLatin1String(what);
  n.paraSet = state_.ParaSet;
  n.towards = towards;
  n.where = state_.MemorySelection == Memory::Eeprom ? QStringLiteral("EEPROM") : QStringLiteral("RAM");
  n.ms = ms;
  n.ok = result == 1;
  n.defaulted = transfer_.LastDefaulted();
  panels_.ShowNotice(TransferNoticeText(n));
}

bool ParamController::MayReplaceEdits() {
  if (!unsent_.Pending()) return true;
  if (popups_.Confirm(QStringLiteral("ATTENTION!"),
                      QStringLiteral("The panels hold parameter or teach table changes "
                                     "that were not sent or saved! \nDo you want to replace them anyway?")))
    return true;
  panels_.ShowNotice(QStringLiteral("Nothing read: the panels keep their unsent changes"));
  return false;
}

void ParamController::GetPanelValues() {
  trivolux::GetPanelValues(panels_, &para_);
}

void ParamController::SetPanelValues() {
  const ModeRules::Quiet quiet(rules_);
  trivolux::SetPanelValues(panels_, para_);
}

void ParamController::RefreshAfterRead() {
  SetPanelValues();
  rules_.InitPanelCtrlAttr();
  emit parametersRead();
}

void ParamController::ShowEepromNotice(const QString& text) {
  panels_.ShowMainPage(MainPanel::kConnectPage);
  panels_.connectPage().AppendMessage(text);
}

void ParamController::CBF_ButtonSend() {
  if (state_.MemorySelection == Memory::File) {
    SendParaToFile();
  } else if (state_.RunFlag) {
    state_.SendPending = 1;
  } else {
    panels_.RunDimmed([this] { SendPara(); });
  }
}

void ParamController::CBF_ButtonGet() {
  if (state_.MemorySelection == Memory::File) {
    ReadParaFromFile();
  } else if (!MayReplaceEdits()) {
    return;
  } else if (state_.RunFlag) {
    state_.GetPending = 1;
  } else {
    panels_.RunDimmed([this] { GetPara(); });
  }
}

void ParamController::CBF_SelectMem(Memory selection) {
  auto& m = panels_.mainPanel().ui;
  if (QAbstractButton* button = m.MemoryGroup->button(static_cast<int>(selection))) button->setChecked(true);
}

void ParamController::CBF_SelectParaSet(int set) {
  auto& m = panels_.mainPanel().ui;
  if (QAbstractButton* button = m.ParaSetGroup->button(set == 1 ? 1 : 0)) button->setChecked(true);
}

QString ParamController::DialogDirectory() const {
  if (lastFile_.isEmpty()) return programDir_;
  return QFileInfo(lastFile_).absolutePath();
}

void ParamController::SendParaToFile() {
  const QString path =
      SelectFileOrSay(popups_, {DialogDirectory(), parafile::kDefaultName, "*.ini", "Parameter", true});
  if (path.isEmpty()) return;
  lastFile_ = path;
  QElapsedTimer clock;
  clock.start();
  GetPanelValues();
  IniText ini;
  PutParameterFile(ini, para_);
  if (SaveFileReported(panels_, popups_, ini, path, QStringLiteral("SEND"), clock, "parameter"))
    unsent_.MarkInSync();
}

void ParamController::ReadParaFromFile() {
  const QString path =
      SelectFileOrSay(popups_, {DialogDirectory(), parafile::kDefaultName, "*.ini", "Parameter", false});
  if (path.isEmpty()) return;
  lastFile_ = path;
  if (!MayReplaceEdits()) return;
  QElapsedTimer clock;
  clock.start();
  IniText ini;
  // An unreadable file leaves the store empty: it fails the type question. A
  // file beyond the store's size limit is refused unread; asking whether to
  // proceed would only offer to default the whole set.
  if (const int read = ini.ReadFromFile(path); read == ini_error::kFileTooLarge) {
    popups_.Message("ATTENTION!", IniReadErrorText(read, path));
    return;
  }
  // The time of the transfer, not of the user's answers.
  qint64 ms = clock.elapsed();
  if (!ConfirmFileHeader(popups_, ini, parafile::kFileType, "parameter")) {
    RefreshAfterRead();
    return;
  }
  clock.restart();
  const QString paraMessage = AcquireParaFromIniHandle(ini, &para_.block);
  const QString teachMessage = AcquireTechVecFromIniHandle(ini, &para_.table);
  ms += clock.elapsed();
  if (!paraMessage.isEmpty()) popups_.Message("Attention!", paraMessage);
  if (!teachMessage.isEmpty()) popups_.Message("Attention!", teachMessage);
  RefreshAfterRead();
  unsent_.MarkInSync();
  panels_.ShowNotice(FileTransferText(QStringLiteral("GET"), false, path, ms, true));
}

}  // namespace trivolux
