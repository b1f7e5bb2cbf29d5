#pragma once
// Every popup of the program goes through this interface: the Qt
// implementation shows dialogs, the test implementation answers from a script
// and records what it was asked to show. No handler calls QMessageBox or
// QFileDialog directly.
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

namespace trivolux {

// Result of a file selection, as the file dialogs report it.
enum class FileSelect { None = 0, Existing = 1, New = 2 };

struct FileRequest {
  QString directory;    // starting directory
  QString defaultName;  // e.g. "Parameter.ini"
  QString filter;       // e.g. "*.ini"
  QString title;        // e.g. "Parameter"
  bool save = true;     // true: a new name may be typed; false: an existing file only
};

class Popups {
 public:
  virtual ~Popups() = default;
  // Message popup with one OK button.
  virtual void Message(const QString& title, const QString& text) = 0;
  // Yes/No popup; true for Yes.
  virtual bool Confirm(const QString& title, const QString& text) = 0;
  // Text prompt; nullopt when cancelled. The answer holds at most maxLength characters.
  virtual std::optional<QString> Prompt(const QString& title, const QString& text, int maxLength) = 0;
  // Popup with custom buttons; returns the index of the button pressed. The
  // first button is the default (Enter); Escape and the close box answer
  // escapeIndex, so a popup whose default is drastic can let Escape mean the
  // harmless choice.
  virtual int Generic(const QString& title, const QString& text, const QStringList& buttons,
                      int escapeIndex) = 0;
  // File selection; the chosen path goes into *path.
  virtual FileSelect SelectFile(const FileRequest& request, QString* path) = 0;
  // Printer selection; true when the user chose a printer (set up in
  // printer), false when the dialog was cancelled.
  virtual bool ChoosePrinter(QPrinter& printer) = 0;
};

}  // namespace trivolux
