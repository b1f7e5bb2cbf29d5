#pragma once
// The scope subsystem on the panels: the scope page coming to the front stops
// GO and shows the scope graph panel; CLOSE on that panel returns to the data
// panel.
#include <QObject>

namespace trivolux {

class Panels;
struct SharedState;

class ScopeController : public QObject {
  Q_OBJECT
 public:
  ScopeController(Panels& panels, SharedState& state, QObject* parent = nullptr);

 public slots:
  void CBF_ButtonCloseSP();

 private:
  void OnMainTabChanged(int index);

  Panels& panels_;
  SharedState& state_;
};

}  // namespace trivolux
