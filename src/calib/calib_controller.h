#pragma once
// The calibration and offset pages and the hardware information file: the
// calibration factors and offsets read from and written to the sensor, the
// factors computed from 100 raw samples of a white target or by the sensor
// itself, the sensor's offset detection, and the file for the supplier.
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>

namespace trivolux {

class LinkController;
class LiveController;
class Panels;
class ParamController;
class Popups;
struct SharedState;

class CalibController : public QObject {
  Q_OBJECT
 public:
  CalibController(Panels& panels, SharedState& state, Popups& popups, LinkController& link,
                  ParamController& params, LiveController& live, QObject* parent = nullptr);

  // 1 on success, -1 after a failure (reported by the link; nothing changed).
  int GetCF();
  int SendCF();
  // Samples and computes; true when the factors passed and are in the controls.
  bool CalcCF();
  int StartSelfCalibration();
  int SendOffset();
  int CalcOffset();
  void GenerateHWInfoFile();

  std::array<std::uint16_t, 3> CalFactor{1024, 1024, 1024};
  std::array<std::uint16_t, 3> OffsetValue{};
  std::uint16_t CalSetValue = 0;
  std::uint16_t CalMaxDelta = 0;
  // Path of the hardware information file (the panel settings keep it).
  QString HwInfoPath;

 public slots:
  void CBF_ButtonGetCF();
  void CBF_ButtonSendCF();
  void CBF_ButtonCalcCF();
  void CBF_ButtonStartSelfCalibration();
  void CBF_ButtonSendOffset();
  void CBF_ButtonGetOffset();
  void CBF_ButtonCalcOffset();

 private:
  bool ConfirmSendPower();

  Panels& panels_;
  SharedState& state_;
  Popups& popups_;
  LinkController& link_;
  ParamController& params_;
  LiveController& live_;
};

}  // namespace trivolux
