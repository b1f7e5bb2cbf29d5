#include "teach/rec_teach_controller.h"

#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "base/shared_state.h"
#include "link/link_controller.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "params/param_controller.h"
#include "qcustomplot.h"
#include "teach/colour_planes.h"
#include "teach/mean_teach_controller.h"
#include "teach/teach_table_controller.h"
#include "ui/panels.h"
#include "ui/point_cloud.h"
#include "ui/popups.h"

namespace trivolux {

namespace {
using W = MeasurementRecord;
constexpr int kValueWords[3] = {W::kX, W::kY, W::kInt};

// Display values are the point's coordinates truncated toward zero.
int Truncated(double v) {
  return static_cast<int>(std::trunc(v));
}
}  // namespace

RecTeachController::RecTeachController(Panels& panels, SharedState& state, Popups& popups,
                                       ParamController& params, LinkController& link, ColourPlanes& planes,
                                       TeachTableController& teachTable, MeanTeachController& meanTeach,
                                       QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      popups_(popups),
      params_(params),
      link_(link),
      planes_(planes),
      teachTable_(teachTable) {
  RecTeachPanel& panel = panels_.recTeachPanel();
  auto& rp = panel.ui;
  connect(panels_.teachPage().ui.ButtonTeachRecVal, &QPushButton::clicked, this,
          &RecTeachController::CBF_ButtonTeachRecVal);
  connect(rp.ButtonTP2Start, &QPushButton::clicked, this, &RecTeachController::CBF_ButtonTP2Start);
  connect(rp.ButtonTP2Reset, &QPushButton::clicked, this, &RecTeachController::CBF_ButtonTP2Reset);
  connect(rp.ButtonTP2Teach, &QPushButton::clicked, this, &RecTeachController::CBF_ButtonTP2Teach);
  connect(rp.ButtonCloseTeachPanel, &QPushButton::clicked, &meanTeach,
          &MeanTeachController::CBF_ButtonCloseTeachPanel);
  connect(&panel, &RecTeachPanel::cursorReleased, this, &RecTeachController::SetCursorTP2);
  for (int g = 0; g < RecordedPoints::kGraphs; ++g)
    panel.Points(g)->SetSource(points_.data(), 3, RecordedPoints::AcrossOf(g), RecordedPoints::UpOf(g));
  flushTimer_.setSingleShot(true);
  connect(&flushTimer_, &QTimer::timeout, this, &RecTeachController::Flush);
  connect(&link_.link(), &SensorLink::requestWritten, this, &RecTeachController::OnRequestWritten);
  sinceFlush_.start();
}

void RecTeachController::CBF_ButtonTeachRecVal() {
  panels_.ShowChildPanelDisp(&panels_.recTeachPanel());
  params_.rules().InitTeachPanel();
}

void RecTeachController::CBF_ButtonTP2Start() {
  panels_.SetButtonsDimmed(0, 1);
  params_.GetPanelValues();
  planes_.InitGraphs();
  GetDataTP2();
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void RecTeachController::GetDataTP2() {
  // A full store records nothing more: entry 59 999 stays the last one.
  if (points_.Full()) return;
  SensorLink& link = link_.link();
  state_.RunFlag = 1;
  while (state_.RunFlag == 1) {
    if (link.Exchange(order::kMeasure, 0) != 1) {
      // A refused exchange (another one still waiting) has not cleared it.
      state_.RunFlag = 0;
      break;
    }
    if (link.AnswerLength != W::kBytes) {
      link.Fail(QStringLiteral("ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"));
      break;
    }
    record_.Decode(link.AnswerData());
    SetTP2Data();
  }
  Flush();
  replots_.Flush();
}

void RecTeachController::SetTP2Data() {
  const double v[3] = {double(record_[W::kX]), double(record_[W::kY]), double(record_[W::kInt])};
  if (!points_.Append(v[0], v[1], v[2])) return;
  ++frames_;
  for (int c = 0; c < 3; ++c) rangesChanged_ |= ranges_[c].Take(v[c]);
  if (points_.Full()) state_.RunFlag = 0;
  stale_ = true;
  // A running loop flushes when it sends its next request; the timer is for
  // a frame that no further request follows.
  if (!flushTimer_.isActive())
    flushTimer_.start(static_cast<int>(
        std::max<qint64>(0, 2 * ReplotCoalescer::kDefaultIntervalMs - sinceFlush_.elapsed())));
}

void RecTeachController::OnRequestWritten() {
  if (stale_ && sinceFlush_.elapsed() >= ReplotCoalescer::kDefaultIntervalMs) Flush();
  replots_.FlushIfDue();
}

void RecTeachController::ApplyRanges() {
  RecTeachPanel& panel = panels_.recTeachPanel();
  for (int g = 0; g < RecordedPoints::kGraphs; ++g) {
    const GrowingRange& across = ranges_[RecordedPoints::AcrossOf(g)];
    const GrowingRange& up = ranges_[RecordedPoints::UpOf(g)];
    if (across.empty || up.empty) continue;
    panel.Graph(g)->xAxis->setRange(across.lower, across.upper);
    panel.Graph(g)->yAxis->setRange(up.lower, up.upper);
  }
  rangesChanged_ = false;
}

void RecTeachController::Flush() {
  flushTimer_.stop();
  sinceFlush_.restart();
  if (!std::exchange(stale_, false)) return;
  RecTeachPanel& panel = panels_.recTeachPanel();
  const int n = points_.Count();
  panel.ui.DispTP2Counter->setValue(n);
  if (rangesChanged_) ApplyRanges();
  for (int g = 0; g < RecordedPoints::kGraphs; ++g) panel.Points(g)->SetCount(n);
  // The displays and cursors follow the newest point.
  if (n > 0) ShowPoint(n - 1);
}

void RecTeachController::ShowPoint(int k) {
  RecTeachPanel& panel = panels_.recTeachPanel();
  const auto& v = points_[k].v;
  panel.ui.DispTP2X->setValue(Truncated(v[0]));
  panel.ui.DispTP2Y->setValue(Truncated(v[1]));
  panel.ui.DispTP2INT->setValue(Truncated(v[2]));
  for (int g = 0; g < RecordedPoints::kGraphs; ++g) {
    const auto across = static_cast<std::size_t>(RecordedPoints::AcrossOf(g));
    const auto up = static_cast<std::size_t>(RecordedPoints::UpOf(g));
    panel.SetCursor(g, k, QPointF(v[across], v[up]));
    replots_.Request(panel.Graph(g));
  }
}

void RecTeachController::CBF_ButtonTP2Reset() {
  if (!popups_.Confirm(QStringLiteral("ATTENTION!"),
                       QStringLiteral("Do you really want to reset the table?")))
    return;
  points_.Reset();
  for (GrowingRange& r : ranges_) r = GrowingRange{};
  RecTeachPanel& panel = panels_.recTeachPanel();
  panel.ui.DispTP2Counter->setValue(0);
  for (int g = 0; g < RecordedPoints::kGraphs; ++g) {
    panel.Points(g)->SetCount(0);
    replots_.Request(panel.Graph(g));
  }
  replots_.Flush();
}

void RecTeachController::SetCursorTP2(int graph) {
  if (graph < 0 || graph >= RecordedPoints::kGraphs || points_.Count() == 0) return;
  const QPointF at = panels_.recTeachPanel().CursorPosition(graph);
  const int k = points_.FirstMatch(graph, at.x(), at.y());
  ShowPoint(k);
  replots_.Flush();
}

void RecTeachController::CBF_ButtonTP2Teach() {
  auto& rp = panels_.recTeachPanel().ui;
  MeasurementRecord values = record_;
  const int shown[3] = {rp.DispTP2X->value(), rp.DispTP2Y->value(), rp.DispTP2INT->value()};
  for (int c = 0; c < 3; ++c)
    values.word[static_cast<std::size_t>(kValueWords[c])] = static_cast<std::int16_t>(shown[c]);
  teachTable_.TeachDataTo(values);
}

}  // namespace trivolux
