#pragma once
// The teach grid's context menu: "Help", "Set selection to", "Increment
// selection with", "Reset selection", "Teach tolerance off" and "Teach
// tolerance on" (the last starts dimmed: the teach tolerance starts on).
#include <QObject>

class QAction;
class QMenu;

namespace trivolux {

class Panels;
class Popups;

class TeachGridMenu : public QObject {
  Q_OBJECT
 public:
  TeachGridMenu(Panels& panels, Popups& popups, QObject* parent = nullptr);

  // Appends the entries and makes a right click on the grid open the menu.
  // Safe to call again: the menu is built once.
  void Build();

  QMenu* menu() const { return menu_; }
  QAction* helpAction() const { return help_; }
  QAction* setSelectionToAction() const { return setSelectionTo_; }
  QAction* incrementSelectionWithAction() const { return incrementSelectionWith_; }
  QAction* resetSelectionAction() const { return resetSelection_; }
  QAction* teachTolOffAction() const { return teachTolOff_; }
  QAction* teachTolOnAction() const { return teachTolOn_; }

 signals:
  // The menu's commands; the teach-table controller carries them out.
  void setSelectionToRequested();
  void incrementSelectionWithRequested();
  void resetSelectionRequested();
  void teachToleranceOffRequested();
  void teachToleranceOnRequested();

 public slots:
  // "Help": the grid's help text.
  void CBF_GridCttHelp();

 private:
  Panels& panels_;
  Popups& popups_;
  QMenu* menu_ = nullptr;
  QAction* help_ = nullptr;
  QAction* setSelectionTo_ = nullptr;
  QAction* incrementSelectionWith_ = nullptr;
  QAction* resetSelection_ = nullptr;
  QAction* teachTolOff_ = nullptr;
  QAction* teachTolOn_ = nullptr;
};

}  // namespace trivolux
