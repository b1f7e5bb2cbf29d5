#include "teach/table_attr_page_controller.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QSpinBox>

#include "base/feedback_texts.h"
#include "base/version.h"
#include "ini/ini_file.h"
#include "ini/ini_text.h"
#include "params/file_popups.h"
#include "params/parameter_file.h"
#include "teach/table_attr_controller.h"
#include "teach/table_attributes.h"
#include "ui/panels.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
constexpr const char* kFileType = "Table Attributes";
constexpr const char* kDefaultName = "TableAttributes.ini";
}  // namespace

TableAttrPageController::TableAttrPageController(Panels& panels, Popups& popups,
                                                 TableAttrController& tableAttr, QObject* parent)
    : QObject(parent), panels_(panels), popups_(popups), tableAttr_(tableAttr) {
  auto& a = panels_.tableAttrPage().ui;
  // The mode follows its ring however it was changed.
  connect(a.RingSetColor, &QComboBox::currentIndexChanged, this, &TableAttrPageController::InitSrcPanel);
  connect(a.ButtonSetRowColor, &QPushButton::clicked, this, &TableAttrPageController::SetRowColor);
  connect(a.ButtonTableAttrReset, &QPushButton::clicked, this,
          &TableAttrPageController::CBF_ButtonTableAttrReset);
  connect(a.ButtonSaveArray, &QPushButton::clicked, this, &TableAttrPageController::SaveTableSettings);
  connect(a.ButtonGetArray, &QPushButton::clicked, this, &TableAttrPageController::GetTableSettings);
  InitSrcPanel();
}

void TableAttrPageController::InitSrcPanel() {
  auto& a = panels_.tableAttrPage().ui;
  const bool automatic = a.RingSetColor->currentIndex() == 1;
  for (QWidget* w : QWidgetList{a.NumRow, a.RingRowColor, a.ButtonSetRowColor}) w->setEnabled(!automatic);
  panels_.dataPanel().ui.SwatchColour->setVisible(automatic);
}

void TableAttrPageController::SetRowColor() {
  auto& a = panels_.tableAttrPage().ui;
  tableAttr_.ApplyRowColour(a.NumRow->value(), a.RingRowColor->currentData().toInt());
}

void TableAttrPageController::CBF_ButtonTableAttrReset() {
  if (!popups_.Confirm(QStringLiteral("ATTENTION!"),
                       QStringLiteral("Do you really want to reset the table?")))
    return;
  tableAttr_.ApplyTableAttributes(TableAttributes{});
}

void TableAttrPageController::SaveTableSettings() {
  const QString path = SelectFileOrSay(
      popups_, {QFileInfo(tableAttr_.File()).absolutePath(), kDefaultName, "*.ini", "TableAttributes", true});
  if (path.isEmpty()) return;
  tableAttr_.SetFile(path);
  QElapsedTimer clock;
  clock.start();
  IniText ini;
  ini.PutString(parafile::kInfoSection, parafile::kFileTypeTag, kFileType);
  ini.PutString(parafile::kInfoSection, parafile::kVersionTag, kProgramTitle);
  AppendTableSetToIniHandle(ini, tableAttr_.TableAttributesFromGrid(TableAttributes{}));
  SaveFileReported(panels_, popups_, ini, path, QStringLiteral("SAVE table attributes"), clock,
                   "table attributes");
}

void TableAttrPageController::GetTableSettings() {
  const QString path = SelectFileOrSay(popups_, {QFileInfo(tableAttr_.File()).absolutePath(), kDefaultName,
                                                 "*.ini", "TableAttributes", false});
  if (path.isEmpty()) return;
  tableAttr_.SetFile(path);
  QElapsedTimer clock;
  clock.start();
  IniText ini;
  if (const int read = ini.ReadFromFile(path); read == ini_error::kFileTooLarge) {
    popups_.Message("ATTENTION!", IniReadErrorText(read, path));
    return;
  }
  // The time of the transfer, not of the user's answers.
  qint64 ms = clock.elapsed();
  if (!ConfirmFileHeader(popups_, ini, kFileType, "table attributes")) return;
  clock.restart();
  TableAttributes attrs;
  QString missing = QString::fromLatin1(kTableAttrMissingHeading);
  const bool complete = AcquireTableSetFromIniHandle(ini, attrs, &missing);
  ms += clock.elapsed();
  if (!complete) popups_.Message("Attention!", missing);
  tableAttr_.ApplyTableAttributes(attrs);
  panels_.ShowNotice(FileTransferText(QStringLiteral("LOAD table attributes"), false, path, ms, true));
}

}  // namespace trivolux
