#include "ui/table_attr_page.h"

#include <QPixmap>

#include "ui/mnemonics.h"
#include "ui/panel_setup.h"

namespace trivolux {

namespace {

// Colours offered for setting a row colour by hand: the 15 colours of the
// default row-colour list, then white and grey. Values are 0xRRGGBB.
struct NamedColour {
  const char* name;
  int rgb;
};
const NamedColour kRowColours[] = {
    {"RED", 0xFF0000},        {"LIGHT GREEN", 0x80FF00}, {"BLUE", 0x0000FF},     {"BLACK", 0x000000},
    {"PINK", 0xFF80C0},       {"YELLOW", 0xFFFF00},      {"OLIVE", 0x808000},    {"PURPLE", 0x800080},
    {"LIGHT CYAN", 0x80FFFF}, {"ROSE", 0xFF0080},        {"INDIGO", 0x400080},   {"MAGENTA", 0xFF00FF},
    {"GREEN", 0x008000},      {"TEAL", 0x408080},        {"DARK RED", 0x800000}, {"WHITE", 0xFFFFFF},
    {"GREY", 0x808080},
};

}  // namespace

TableAttrPage::TableAttrPage(QWidget* parent) : QWidget(parent) {
  ui.setupUi(this);
  AssignMnemonics(this);
  for (const NamedColour& c : kRowColours) {
    QPixmap swatch(12, 12);
    swatch.fill(QColor::fromRgb(static_cast<QRgb>(c.rgb)));
    ui.RingRowColor->addItem(QIcon(swatch), QLatin1String(c.name), c.rgb);
  }
  AssignRingIndexValues(this);
  SetUpGrid(
      ui.GridTableAttr,
      {{"ROW SPECIFICATION", ""}, {GridColumn::Text, GridColumn::Colour}, NumberedRowLabels(64), 0, 99});
}

}  // namespace trivolux
