#include "ui/data_panel.h"

#include <QLabel>
#include <QSpinBox>
#include <utility>

#include "qcustomplot.h"
#include "ui/mnemonics.h"
#include "ui/panel_setup.h"
#include "ui/plot_style.h"

namespace trivolux {

namespace {
const QVector<QColor> kRgb{QColor(0xFF, 0x00, 0x00), QColor(0x00, 0xC0, 0x00), QColor(0x00, 0x00, 0xFF)};
// Full scale of the colour channels and of X, Y, INT in the X/Y/INT modes.
constexpr double kChannelMax = 4096;
// Default axis extent of the colour planes before any row is taught.
constexpr double kPlaneMax = 10000;
}  // namespace

DataPanel::DataPanel(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);

  SetupStripChart(ui.ChartRGB, kRgb, kChannelMax, "RGB");
  SetupStripChart(ui.ChartX, {kRgb[0]}, kChannelMax, "X");
  SetupStripChart(ui.ChartY, {kRgb[1]}, kChannelMax, "Y");
  SetupStripChart(ui.ChartINT, {QColor(0x00, 0x80, 0x80)}, kChannelMax, "INT");
  SetupStripChart(ui.ChartRGB3D, kRgb, kChannelMax, "RGB");

  // The intensity bar spans 0..100 vertically; the live cursor sits at 50.
  SetupPlane(ui.GraphXY2D, "X", "Y", kPlaneMax, kPlaneMax);
  SetupPlane(ui.GraphINT2D, "INT", QString(), kPlaneMax, 100);
  ui.GraphINT2D->yAxis->setTickLabels(false);
  SetupPlane(ui.GraphXY3D, "X", "Y", kPlaneMax, kPlaneMax);
  SetupPlane(ui.GraphXINT3D, "X", "INT", kPlaneMax, kPlaneMax);
  SetupPlane(ui.GraphYINT3D, "Y", "INT", kPlaneMax, kPlaneMax);

  const QColor cursorColour(0x40, 0x40, 0x40);
  cursorXY2D = AddCursor(ui.GraphXY2D, cursorColour);
  cursorINT2D = AddCursor(ui.GraphINT2D, cursorColour);
  cursorXY3D = AddCursor(ui.GraphXY3D, cursorColour);
  cursorXINT3D = AddCursor(ui.GraphXINT3D, cursorColour);
  cursorYINT3D = AddCursor(ui.GraphYINT3D, cursorColour);

  const std::pair<QWidget*, QWidget*> captions[] = {{ui.LabelX, ui.DispX},
                                                    {ui.LabelY, ui.DispY},
                                                    {ui.LabelINT, ui.DispINT},
                                                    {ui.LabelDeltaC, ui.DispDeltaC},
                                                    {ui.LabelCOL, ui.DispCOL},
                                                    {ui.LabelGroup, ui.DispGroup},
                                                    {ui.LabelTrig, ui.LedTrig},
                                                    {ui.LabelOut0, ui.LedOut0},
                                                    {ui.LabelOut1, ui.LedOut1},
                                                    {ui.LabelComPort, ui.DispComPort},
                                                    {ui.LabelIpAddress, ui.DispIpAddress}};
  for (const auto& [caption, control] : captions) CaptionFollowsControl(caption, control);

  ui.LedTrig->setOnColor(QColor(0x00, 0xC0, 0x00));
  ui.LedOut0->setOnColor(QColor(0xFF, 0xC0, 0x00));
  ui.LedOut1->setOnColor(QColor(0xFF, 0xC0, 0x00));

  // The stale marker sits in the lamp row, after the colour swatch.
  staleMarker_ = new QLabel(this);
  staleMarker_->setObjectName(QStringLiteral("LabelStale"));
  staleMarker_->setStyleSheet(QStringLiteral("color: #B04000; font-weight: bold;"));
  staleMarker_->hide();
  ui.layout15->insertWidget(ui.layout15->indexOf(ui.SwatchColour) + 1, staleMarker_);
}

void DataPanel::ShowStale(const QString& marker) {
  const bool stale = !marker.isEmpty();
  staleMarker_->setText(marker);
  staleMarker_->setVisible(stale);
  for (QSpinBox* display : findChildren<QSpinBox*>()) GreyText(display, stale);
}

QString DataPanel::StaleMarker() const {
  return staleMarker_->isHidden() ? QString() : staleMarker_->text();
}

void GreyText(QWidget* display, bool grey) {
  // The display's own palette is kept while it is grey: the mode rules colour
  // some displays, and a stale display gets its colour back. The own and the
  // grey palette are built once (FullPalette) and set in turn: a palette built
  // anew at every link loss would add faces to the pixmap cache each time.
  const char* kOwn = "ownPalette";
  const char* kGrey = "greyPalette";
  const bool isGrey = display->property("isGrey").toBool();
  if (grey == isGrey) return;
  if (grey) {
    const QPalette current = display->palette();
    if (!display->property(kGrey).isValid() || display->property(kOwn).value<QPalette>() != current) {
      const QPalette own = FullPalette(current);
      QPalette greyed = own;
      greyed.setColor(QPalette::Text, QColor(0x98, 0x98, 0x98));
      display->setProperty(kOwn, own);
      display->setProperty(kGrey, greyed);
    }
    display->setPalette(display->property(kGrey).value<QPalette>());
  } else {
    display->setPalette(display->property(kOwn).value<QPalette>());
  }
  display->setProperty("isGrey", grey);
}

}  // namespace trivolux
