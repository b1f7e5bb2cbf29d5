#pragma once
// Popups for widget tests: answers come from a script, every request is
// recorded. An unscripted Confirm answers Yes, Generic answers button 0,
// Prompt answers nullopt and SelectFile answers None, so a test that forgets
// to script a popup sees the safe default and can assert on the record.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/popups.h"

namespace trivolux::test {

struct PopupRecord {
  QString kind;  // "message", "confirm", "prompt", "generic", "file", "printer"
  QString title;
  QString text;
  QStringList buttons;
};

class ScriptedPopups : public Popups {
 public:
  void Message(const QString& title, const QString& text) override;
  bool Confirm(const QString& title, const QString& text) override;
  std::optional<QString> Prompt(const QString& title, const QString& text, int maxLength) override;
  int Generic(const QString& title, const QString& text, const QStringList& buttons,
              int escapeIndex) override;
  FileSelect SelectFile(const FileRequest& request, QString* path) override;
  // Each scripted answer is a PDF file the chosen "printer" writes to; an
  // empty script cancels the dialog.
  bool ChoosePrinter(QPrinter& printer) override;

  std::deque<bool> confirms;
  std::deque<std::optional<QString>> prompts;
  std::deque<int> generics;
  struct FileAnswer {
    FileSelect result = FileSelect::None;
    QString path;
  };
  std::deque<FileAnswer> files;
  std::deque<QString> printerFiles;

  std::vector<PopupRecord> record;
  std::vector<FileRequest> fileRequests;
  // Runs while each popup is open, after it was recorded: a test keeps one
  // open for a while (a nested event loop, as a real modal popup runs one).
  std::function<void(const PopupRecord&)> whileOpen;

  // Records of one kind only; Clear forgets everything recorded.
  std::vector<PopupRecord> OfKind(const QString& kind) const;
  void Clear() {
    record.clear();
    fileRequests.clear();
  }

 private:
  void Show(PopupRecord popup);
};

}  // namespace trivolux::test
