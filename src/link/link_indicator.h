#pragma once
// Keeps the connection line of the status strip true: its lamp and text
// follow every change of the link's state (attempt, identification, failure,
// offline), and a failure is named precisely (refused, no answer, closed by
// the server...) while the data panel's status line keeps its "TIMEOUT!".
#include <QObject>
#include <QString>

namespace trivolux {

class LinkController;
class Panels;
struct SharedState;

class LinkIndicator : public QObject {
  Q_OBJECT
 public:
  LinkIndicator(Panels& panels, const SharedState& state, LinkController& link, QObject* parent = nullptr);

  void Refresh();

 private:
  Panels& panels_;
  const SharedState& state_;
  LinkController& link_;
  // The last failure since the last attempt began, and the open result then.
  QString failure_;
  int failedConnectResult_ = 0;
};

}  // namespace trivolux
