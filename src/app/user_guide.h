#pragma once
// The user guide on F1: docs/user-guide.md rendered as Markdown in a window
// of its own (with its screenshots and its links to the other guides). F1 is
// an application-wide shortcut, so it works on every panel and page; the
// right click stays the help of a single control.
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QTextBrowser;
class QWidget;

namespace trivolux {

class Popups;

// The places the guide is looked for, in order: the installed documents
// relative to the program's directory, then the source tree's docs/.
QStringList UserGuideCandidates(const QString& programDir);

// True when the program runs from an installation (its documents lie where
// the install rules put them, relative to programDir), writable or not: an
// installed program run by root must still not keep files in /usr/bin.
bool RunsInstalled(const QString& programDir);

class UserGuide : public QObject {
  Q_OBJECT
 public:
  UserGuide(QWidget& mainPanel, Popups& popups, QString programDir, QObject* parent = nullptr);
  ~UserGuide() override;

  // Shows (or raises) the guide's window. When no guide is found, a message
  // names the places looked in.
  void Open();
  // The window, once opened (nullptr before).
  QTextBrowser* window() const { return window_.get(); }

 private:
  Popups& popups_;
  QString programDir_;
  std::unique_ptr<QTextBrowser> window_;
};

}  // namespace trivolux
