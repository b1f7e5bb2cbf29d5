#pragma once
// Hover help: every control that explains itself on a right click shows the
// same text, from the same catalogue, as its tool tip (a tab control on its
// tab bar, where its right click counts too). A dimmed operation button adds
// why it is dimmed ("GO is running", "not connected"), worked out when the
// tool tip is about to show, so it is never out of date. The right-click
// help stays as it is.
#include <QObject>
#include <QSet>
#include <QString>

class QWidget;

namespace trivolux {

class LinkController;
class Panels;
struct SharedState;

class HelpTooltips : public QObject {
  Q_OBJECT
 public:
  HelpTooltips(Panels& panels, const SharedState& state, const LinkController& link,
               QObject* parent = nullptr);

  // Gives every control below root that has a help text its tool tip.
  static void Install(QWidget* root);
  // The tool tip of a control as it would show now.
  QString ToolTipFor(QWidget* control) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Panels& panels_;
  const SharedState& state_;
  const LinkController& link_;
  QSet<QWidget*> operations_;   // buttons that start sensor operations
  QSet<QWidget*> connectPage_;  // those of them on the connect page
};

}  // namespace trivolux
