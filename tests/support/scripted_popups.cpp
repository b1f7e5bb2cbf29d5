#include "scripted_popups.h"

#include <QPrinter>

namespace trivolux::test {

void ScriptedPopups::Show(PopupRecord popup) {
  record.push_back(popup);
  if (whileOpen) whileOpen(popup);
}

void ScriptedPopups::Message(const QString& title, const QString& text) {
  Show({"message", title, text, {}});
}

bool ScriptedPopups::Confirm(const QString& title, const QString& text) {
  Show({"confirm", title, text, {}});
  if (confirms.empty()) return true;
  const bool answer = confirms.front();
  confirms.pop_front();
  return answer;
}

std::optional<QString> ScriptedPopups::Prompt(const QString& title, const QString& text, int maxLength) {
  Show({"prompt", title, text, {}});
  if (prompts.empty()) return std::nullopt;
  auto answer = prompts.front();
  prompts.pop_front();
  if (answer) answer = answer->left(maxLength);
  return answer;
}

int ScriptedPopups::Generic(const QString& title, const QString& text, const QStringList& buttons, int) {
  Show({"generic", title, text, buttons});
  if (generics.empty()) return 0;
  const int answer = generics.front();
  generics.pop_front();
  return answer;
}

FileSelect ScriptedPopups::SelectFile(const FileRequest& request, QString* path) {
  Show({"file", request.title, request.defaultName, {}});
  fileRequests.push_back(request);
  if (files.empty()) return FileSelect::None;
  const FileAnswer answer = files.front();
  files.pop_front();
  if (answer.result != FileSelect::None) *path = answer.path;
  return answer.result;
}

bool ScriptedPopups::ChoosePrinter(QPrinter& printer) {
  Show({"printer", {}, {}, {}});
  if (printerFiles.empty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(printerFiles.front());
  printerFiles.pop_front();
  return true;
}

std::vector<PopupRecord> ScriptedPopups::OfKind(const QString& kind) const {
  std::vector<PopupRecord> out;
  for (const auto& r : record)
    if (r.kind == kind) out.push_back(r);
  return out;
}

}  // namespace trivolux::test
