#pragma once
// Service access: a right double click on the calibration page's decoration
// asks for the service password; the right one shows and activates the
// hidden offset page, whose CLOSE button hides it again.
#include <QObject>

namespace trivolux {

class Panels;
class Popups;

class ServiceAccess : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* kPassword = "quartz";

  ServiceAccess(Panels& panels, Popups& popups, QObject* parent = nullptr);

  // Empties the password entry and shows the password panel as a modal popup.
  void OpenPasswordPopup();
  // The password entry was committed.
  void CBF_StringEnterPW();
  // CLOSE on the offset page.
  void CBF_ButtonCloseOffsetCompensation();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Panels& panels_;
  Popups& popups_;
};

}  // namespace trivolux
