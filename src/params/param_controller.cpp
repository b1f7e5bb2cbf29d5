#include "params/param_controller.h"

#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>

#include "app/scope_app.h"
#include "ini/ini_text.h"
#include "link/link_controller.h"
#include "params/param_panel_io.h"
#include "params/parameter_file.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
constexpr int kConnectTab = 0;
}

ParamController::ParamController(ScopeApp& app, SensorLink& link, QObject* parent)
    : QObject(parent), app_(app), transfer_(app.state(), link, para_), rules_(app, para_, this) {
  transfer_.getPanelValues = [this] { GetPanelValues(); };
  transfer_.refreshAfterRead = [this] { RefreshAfterRead(); };
  transfer_.eepromNotice = [this](const QString& text) { ShowEepromNotice(text); };
  rules_.initGraphs = [this] {
    if (initGraphs) initGraphs();
  };

  auto& m = app_.mainPanel().ui;
  connect(m.ButtonSend, &QPushButton::clicked, this, &ParamController::CBF_ButtonSend);
  connect(m.ButtonGet, &QPushButton::clicked, this, &ParamController::CBF_ButtonGet);
  connect(m.ButtonRam, &QPushButton::clicked, this, [this] { CBF_SelectMem(Memory::Ram); });
  connect(m.ButtonEeprom, &QPushButton::clicked, this, [this] { CBF_SelectMem(Memory::Eeprom); });
  connect(m.ButtonFile, &QPushButton::clicked, this, [this] { CBF_SelectMem(Memory::File); });
  connect(m.ButtonParaSet0, &QPushButton::clicked, this, [this] { CBF_SelectParaSet(0); });
  connect(m.ButtonParaSet1, &QPushButton::clicked, this, [this] { CBF_SelectParaSet(1); });
}

void ParamController::GetPanelValues() {
  trivolux::GetPanelValues(app_, &para_);
}

void ParamController::SetPanelValues() {
  trivolux::SetPanelValues(app_, para_);
}

void ParamController::RefreshAfterRead() {
  SetPanelValues();
  rules_.InitPanelCtrlAttr();
  if (initGraphs) initGraphs();
  if (showGraph) showGraph();
}

void ParamController::ShowEepromNotice(const QString& text) {
  app_.mainPanel().ui.TabMain->setCurrentIndex(kConnectTab);
  app_.linkController().AppendMessage(text);
}

void ParamController::CBF_ButtonSend() {
  SharedState& state = app_.state();
  if (state.MemorySelection == Memory::File) {
    SendParaToFile();
  } else if (state.RunFlag) {
    state.SendPending = 1;
  } else {
    app_.SetButtonsDimmed(0, 1);
    SendPara();
    app_.SetButtonsDimmed(0, 0);
  }
}

void ParamController::CBF_ButtonGet() {
  SharedState& state = app_.state();
  if (state.MemorySelection == Memory::File) {
    ReadParaFromFile();
  } else if (state.RunFlag) {
    state.GetPending = 1;
  } else {
    app_.SetButtonsDimmed(0, 1);
    GetPara();
    app_.SetButtonsDimmed(0, 0);
  }
}

void ParamController::CBF_SelectMem(Memory selection) {
  auto& m = app_.mainPanel().ui;
  m.ButtonRam->setChecked(selection == Memory::Ram);
  m.ButtonEeprom->setChecked(selection == Memory::Eeprom);
  m.ButtonFile->setChecked(selection == Memory::File);
  app_.state().MemorySelection = selection;
}

void ParamController::CBF_SelectParaSet(int set) {
  auto& m = app_.mainPanel().ui;
  m.ButtonParaSet0->setChecked(set == 0);
  m.ButtonParaSet1->setChecked(set == 1);
  app_.state().ParaSet = set == 1 ? 1 : 0;
}

QString ParamController::DialogDirectory() const {
  if (lastFile_.isEmpty()) return app_.programDir();
  return QFileInfo(lastFile_).absolutePath();
}

void ParamController::SendParaToFile() {
  Popups& popups = app_.popups();
  FileRequest request{DialogDirectory(), parafile::kDefaultName, "*.ini", "Parameter", true};
  QString path;
  if (popups.SelectFile(request, &path) == FileSelect::None || path.isEmpty()) {
    popups.Message("ATTENTION!", "No file was selected!");
    return;
  }
  lastFile_ = path;
  GetPanelValues();
  IniText ini;
  PutParameterFile(ini, para_);
  // The store writes through a temporary file, so a failed write leaves the
  // old file as it was; the user still has to know the set was not saved.
  if (ini.WriteToFile(path) < 0)
    popups.Message("ATTENTION!", "The parameter file could not be written:\n" +
                                     QFileInfo(path).absoluteFilePath() +
                                     "\n\nCheck that the directory exists, is writable and has free space.");
}

void ParamController::ReadParaFromFile() {
  Popups& popups = app_.popups();
  FileRequest request{DialogDirectory(), parafile::kDefaultName, "*.ini", "Parameter", false};
  QString path;
  if (popups.SelectFile(request, &path) != FileSelect::Existing || path.isEmpty()) {
    popups.Message("ATTENTION!", "No file was selected!");
    return;
  }
  lastFile_ = path;
  IniText ini;
  ini.ReadFromFile(path);  // an unreadable file leaves the store empty: it fails the type question
  const ParameterFileHeader header = ReadParameterFileHeader(ini);
  bool proceed =
      header.TypeMatches() ||
      popups.Confirm("ATTENTION!", "Selected file is not a parameter file! \nDo you want to proceed anyway?");
  if (proceed && !header.VersionMatches())
    proceed = popups.Confirm(
        "ATTENTION!", "Selected file and scope version do not match! \nDo you want to proceed anyway?");
  if (proceed) {
    const QString paraMessage = AcquireParaFromIniHandle(ini, &para_.block);
    const QString teachMessage = AcquireTechVecFromIniHandle(ini, &para_.table);
    if (!paraMessage.isEmpty()) popups.Message("Attention!", paraMessage);
    if (!teachMessage.isEmpty()) popups.Message("Attention!", teachMessage);
  } else {
    popups.Message("ATTENTION!", "No parameter where read!");
  }
  RefreshAfterRead();
}

}  // namespace trivolux
