#include "live/live_controller.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTime>
#include <algorithm>
#include <tuple>
#include <utility>

#include "base/shared_state.h"
#include "link/link_controller.h"
#include "link/orders.h"
#include "params/param_controller.h"
#include "ui/panels.h"

namespace trivolux {

namespace {
using W = MeasurementRecord;
// The frame rate is sampled four times a second: steady to read, and
// nothing per frame but a count.
constexpr int kFrameRateIntervalMs = 250;

void Show(QSpinBox* display, int value) {
  display->setValue(value);
}

// Bars span 0..4096; a value outside would be ignored by the bar and leave
// an old level standing.
void ShowBar(QProgressBar* bar, int value) {
  bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

// The display widget and the line edit inside it both see mouse and key events.
void WatchDisplay(QSpinBox* display, QObject* filter) {
  display->installEventFilter(filter);
  if (auto* edit = display->findChild<QLineEdit*>()) edit->installEventFilter(filter);
}

bool IsPartOf(QObject* watched, QWidget* display) {
  return watched == display || watched->parent() == display;
}
}  // namespace

LiveController::LiveController(Panels& panels, SharedState& state, LinkController& link,
                               ParamController& params, QObject* parent)
    : QObject(parent),
      panels_(panels),
      state_(state),
      link_(link),
      params_(params),
      graphs_(panels),
      graphPanel_(panels, graphs_.replots()) {
  auto& m = panels_.mainPanel().ui;
  connect(m.ButtonGo, &QPushButton::clicked, this, &LiveController::CBF_ButtonGo);
  connect(m.ButtonStop, &QPushButton::clicked, this, &LiveController::CBF_ButtonStop);
  connect(&params_, &ParamController::parametersRead, this, &LiveController::ShowGraph);
  InstallDataPanelCallbacks();
  displayTimer_.setSingleShot(true);
  connect(&displayTimer_, &QTimer::timeout, this, &LiveController::FlushDisplays);
  connect(&link_.link(), &SensorLink::requestWritten, this, &LiveController::OnRequestWritten);
  sinceDisplay_.start();
  // Values on screen are stale once the link failed, unless none was ever shown.
  connect(&link_.link(), &SensorLink::linkFailed, this, [this] {
    if (frames_ > 0) ShowDisplaysStale(true);
  });
  frameRateTimer_.setInterval(kFrameRateIntervalMs);
  connect(&frameRateTimer_, &QTimer::timeout, this, &LiveController::ShowFrameRate);
  frameRateClock_.start();
}

void LiveController::MarkStale(unsigned what) {
  stale_ |= what;
  // A running loop flushes when it sends its next request; the timer is for
  // frames shown outside such a loop.
  if (!displayTimer_.isActive())
    displayTimer_.start(static_cast<int>(
        std::max<qint64>(0, 2 * ReplotCoalescer::kDefaultIntervalMs - sinceDisplay_.elapsed())));
}

void LiveController::OnRequestWritten() {
  if (stale_ != 0 && sinceDisplay_.elapsed() >= ReplotCoalescer::kDefaultIntervalMs) FlushDisplays();
  graphs_.replots().FlushIfDue();
}

void LiveController::FlushDisplays() {
  displayTimer_.stop();
  sinceDisplay_.restart();
  const unsigned stale = std::exchange(stale_, 0u);
  if (stale & kCalibData) WriteCalibData();
  if (stale & kPanelData) WritePanelData();
}

void LiveController::InstallDataPanelCallbacks() {
  auto& d = panels_.dataPanel().ui;
  // COLOR and GROUP open their big displays on a double click, or on Enter or
  // Space when they have the keyboard focus.
  for (QSpinBox* display : {d.DispCOL, d.DispGroup}) {
    display->setFocusPolicy(Qt::StrongFocus);
    display->setAccessibleDescription(QStringLiteral("Enter opens a big display."));
    WatchDisplay(display, this);
  }
  // A right double click on the status line clears the connect page's messages.
  d.DispStatus->setContextMenuPolicy(Qt::NoContextMenu);
  d.DispStatus->installEventFilter(this);
  // Shown in the automatic row-colour mode only (the table-attributes page decides).
  d.SwatchColour->setAutoFillBackground(true);
}

bool LiveController::eventFilter(QObject* watched, QEvent* event) {
  auto& d = panels_.dataPanel().ui;
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonDblClick) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (button == Qt::LeftButton && IsPartOf(watched, d.DispCOL)) {
      ShowBigColour();
      return true;
    }
    if (button == Qt::LeftButton && IsPartOf(watched, d.DispGroup)) {
      ShowBigGroup();
      return true;
    }
    if (button == Qt::RightButton && watched == d.DispStatus) {
      panels_.connectPage().ui.TextMessages->clear();
      return true;
    }
  } else if (type == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      if (IsPartOf(watched, d.DispCOL)) {
        ShowBigColour();
        return true;
      }
      if (IsPartOf(watched, d.DispGroup)) {
        ShowBigGroup();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void LiveController::ShowBigColour() {
  BigColourPanel& big = panels_.bigColourPanel();
  big.show();
  big.raise();
  big.activateWindow();
}

void LiveController::ShowBigGroup() {
  BigGroupPanel& big = panels_.bigGroupPanel();
  big.show();
  big.raise();
  big.activateWindow();
}

void LiveController::CBF_ButtonGo() {
  // GO, a recorder or a capture already runs.
  if (state_.RunFlag) return;
  panels_.SetButtonsDimmed(1, 1);
  params_.GetPanelValues();
  if (panels_.CurrentChildPanel() != &panels_.meanTeachPanel())
    panels_.ShowChildPanelDisp(&panels_.dataPanel());
  emit goStarting();
  GetData();
  FlushDisplays();
  if (!state_.QuitRequested) panels_.SetButtonsDimmed(0, 0);
}

void LiveController::CBF_ButtonStop() {
  state_.RunFlag = 0;
}

void LiveController::GetData() {
  frameRate_.Start(frames_, frameRateClock_.elapsed());
  frameRateTimer_.start();
  RunGoLoop();
  frameRateTimer_.stop();
  panels_.statusStrip().SetFrameRate(QString());
}

void LiveController::ShowFrameRate() {
  const double rate = frameRate_.Sample(frames_, frameRateClock_.elapsed());
  if (rate >= 0) panels_.statusStrip().SetFrameRate(QStringLiteral("GO ") + FrameRateText(rate));
}

void LiveController::RunGoLoop() {
  SensorLink& link = link_.link();
  state_.RunFlag = 1;
  for (;;) {
    if (state_.SendPending) {
      params_.SendPara();
      if (state_.RunFlag == 0) return;
    }
    if (state_.GetPending) params_.GetPara();
    if (state_.RunFlag == 0) return;
    if (link.Exchange(order::kMeasure, 0) != 1) {
      // A failure has cleared RunFlag already; an exchange refused because
      // another one is still waiting has not, and must not be retried at once.
      state_.RunFlag = 0;
      return;
    }
    // A well-framed answer of another length is no measurement: showing it
    // would put whatever lies behind it in the buffer on the displays.
    if (link.AnswerLength != W::kBytes) {
      link.Fail(QStringLiteral("ATTENTION! \nRECEIVED DATA FRAME IS INCORRECT!"));
    } else {
      TakeFrame(link.AnswerData());
      SetPanelCalibData();
      SetPanelData();
      ShowGraph();
    }
    if (state_.RunFlag != 1) return;
  }
}

void LiveController::TakeFrame(const std::uint8_t* data) {
  record_.Decode(data);
  ++frames_;
  if (displaysStale_) ShowDisplaysStale(false);
}

void LiveController::ShowDisplaysStale(bool stale) {
  displaysStale_ = stale;
  panels_.dataPanel().ShowStale(stale ? QStringLiteral("STALE: link lost at %1")
                                            .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")))
                                      : QString());
  // The other pages and panels that show frame values.
  auto& cal = panels_.calibrationPage().ui;
  auto& tp1 = panels_.meanTeachPanel().ui;
  for (QWidget* display :
       QWidgetList{cal.DispRawRed, cal.DispRawGreen, cal.DispRawBlue, cal.DispRawDelta, tp1.DispTP1Red,
                   tp1.DispTP1Green, tp1.DispTP1Blue, panels_.tableAttrPage().ui.DispTemp,
                   panels_.bigColourPanel().ui.DispBigColour, panels_.bigGroupPanel().ui.DispBigGroup})
    GreyText(display, stale);
}

void LiveController::SetPanelData() {
  histories_.Push(record_);
  MarkStale(kPanelData);
}

void LiveController::SetPanelCalibData() {
  MarkStale(kCalibData);
}

void LiveController::WritePanelData() {
  const MeasurementRecord& r = record_;
  auto& d = panels_.dataPanel().ui;
  Show(d.DispRED, r[W::kRed]);
  Show(d.DispGREEN, r[W::kGreen]);
  Show(d.DispBLUE, r[W::kBlue]);
  Show(d.DispX, r[W::kX]);
  Show(d.DispY, r[W::kY]);
  Show(d.DispINT, r[W::kInt]);
  Show(d.DispDeltaC, r[W::kDeltaC]);
  Show(d.DispCOL, r[W::kColor]);
  Show(d.DispGroup, r[W::kGroup]);
  d.LedTrig->setOn(r[W::kTrigger] != 0);
  for (auto [red, green, blue] : {std::tuple{d.DispRed0, d.DispGreen0, d.DispBlue0},
                                  {d.DispRed1, d.DispGreen1, d.DispBlue1},
                                  {d.DispRed2, d.DispGreen2, d.DispBlue2}}) {
    Show(red, r[W::kRed]);
    Show(green, r[W::kGreen]);
    Show(blue, r[W::kBlue]);
  }
  Show(d.DispMinMaxRed1, r[W::kExtremeA]);
  Show(d.DispMinMaxGreen1, r[W::kExtremeA + 1]);
  Show(d.DispMinMaxBlue1, r[W::kExtremeA + 2]);
  Show(d.DispMinMaxRed2, r[W::kExtremeB]);
  Show(d.DispMinMaxGreen2, r[W::kExtremeB + 1]);
  Show(d.DispMinMaxBlue2, r[W::kExtremeB + 2]);
  Show(panels_.tableAttrPage().ui.DispTemp, r[W::kTemp]);
  Show(panels_.bigColourPanel().ui.DispBigColour, r[W::kColor]);
  Show(panels_.bigGroupPanel().ui.DispBigGroup, r[W::kGroup]);
  auto& tp1 = panels_.meanTeachPanel().ui;
  Show(tp1.DispTP1Red, r[W::kRed]);
  Show(tp1.DispTP1Green, r[W::kGreen]);
  Show(tp1.DispTP1Blue, r[W::kBlue]);
  auto& cal = panels_.calibrationPage().ui;
  ShowBar(cal.BarCalRed, r[W::kRed]);
  ShowBar(cal.BarCalGreen, r[W::kGreen]);
  ShowBar(cal.BarCalBlue, r[W::kBlue]);

  if (const std::uint32_t colour = CurrentMeasuredColour(r); colour != swatchColour_) {
    swatchColour_ = colour;
    QPalette pal = d.SwatchColour->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(colour));
    d.SwatchColour->setPalette(pal);
  }
  if (const OutputLamps lamps = OutputIndicators(params_.para().block[kEvalMode], r[W::kColor]);
      lamps.driven) {
    d.LedOut0->setOn(lamps.out0);
    d.LedOut1->setOn(lamps.out1);
  }
}

void LiveController::WriteCalibData() {
  const MeasurementRecord& r = record_;
  auto& cal = panels_.calibrationPage().ui;
  Show(cal.DispRawRed, r[W::kRawRed]);
  Show(cal.DispRawGreen, r[W::kRawGreen]);
  Show(cal.DispRawBlue, r[W::kRawBlue]);
  ShowBar(cal.BarRawRed, r[W::kRawRed]);
  ShowBar(cal.BarRawGreen, r[W::kRawGreen]);
  ShowBar(cal.BarRawBlue, r[W::kRawBlue]);
  Show(cal.DispRawDelta, RawSpread(r));
}

void LiveController::ShowGraph() {
  graphs_.ShowGraph(record_, histories_, bounds_);
}

void LiveController::SetTaughtBounds(const TaughtBounds& bounds) {
  bounds_ = bounds;
  ShowGraph();
}

}  // namespace trivolux
