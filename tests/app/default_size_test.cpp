// The assembled program at its default window size: every main page, every
// child panel (with each of the data panel's graph pages) and every popup
// panel shows all of its controls without scrolling, and no caption is cut:
// labels, buttons, check boxes, group titles, tab titles and ring items all
// fit the room their widget gives them.
#include <QtTest>

#include "app_fixture.h"
#include "ui/panels.h"

using trivolux::MainPanel;
using trivolux::Panels;
using trivolux::test::AppFixture;

namespace {

// A caption as drawn: a mnemonic "&" is not, "&&" draws one "&".
QString Drawn(QString text) {
  text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QChar(1), QLatin1Char('&'));
  return text;
}

int Widest(const QFontMetrics& fm, const QString& text) {
  int widest = 0;
  for (const QString& line : Drawn(text).split(QLatin1Char('\n')))
    widest = qMax(widest, fm.horizontalAdvance(line));
  return widest;
}

QString Name(const QWidget* w) {
  return QString::fromLatin1(w->metaObject()->className()) + " " + w->objectName();
}

// Compares the text a widget shows as its caption with the room its style
// gives that text. Data fields and editable rings hold values, not captions.
void CheckCaptions(QWidget* w, QStringList* problems) {
  const auto report = [&](const QString& text, int need, int room) {
    if (need > room)
      *problems << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(Name(w), text).arg(need).arg(room);
  };
  QStyle* style = w->style();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (!label->pixmap().isNull() || label->wordWrap() || label->text().isEmpty()) return;
    if (label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text())))
      return;
    const int indent = label->indent() > 0 ? label->indent() : 0;
    report(label->text(), Widest(label->fontMetrics(), label->text()),
           label->contentsRect().width() - 2 * label->margin() - indent);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    if (button->text().isEmpty()) return;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(w)) contents = QStyle::SE_CheckBoxContents;
    if (qobject_cast<QRadioButton*>(w)) contents = QStyle::SE_RadioButtonContents;
    if (auto* push = qobject_cast<QPushButton*>(w)) {
      if (push->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    report(button->text(), Widest(button->fontMetrics(), button->text()),
           style->subElementRect(contents, &option, button).width());
  } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
    if (box->title().isEmpty()) return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable()) option.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (box->isFlat()) option.features |= QStyleOptionFrame::Flat;
    const QRect title = style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    report(box->title(), title.right() + 1, box->width());
  } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
    const int space = style->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      report(bar->tabText(i), Widest(bar->fontMetrics(), bar->tabText(i)) + space, bar->tabRect(i).width());
    }
  } else if (auto* ring = qobject_cast<QComboBox*>(w)) {
    if (ring->isEditable()) return;
    QStyleOptionComboBox option;
    option.initFrom(ring);
    option.frame = ring->hasFrame();
    const int room =
        style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, ring).width();
    for (int i = 0; i < ring->count(); ++i)
      report(ring->itemText(i), ring->fontMetrics().horizontalAdvance(ring->itemText(i)), room);
  }
}

// Parts of composite widgets (a spin box's line edit, a table's headers, a
// tab bar's scroll buttons) are placed by their owner.
bool IsPart(const QWidget* w, const QWidget* root) {
  if (qobject_cast<const QScrollBar*>(w)) return true;
  for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
    if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) ||
        qobject_cast<const QTabBar*>(p) || qobject_cast<const QAbstractItemView*>(p) ||
        qobject_cast<const QPlainTextEdit*>(p) || qobject_cast<const QTextEdit*>(p))
      return true;
  }
  return false;
}

// True when every ancestor up to the window shows the whole widget: a
// control that needs scrolling, or lies beyond the window's edge, is not.
bool WhollyShown(const QWidget* w) {
  QRect r = w->rect();
  for (const QWidget* c = w; !c->isWindow(); c = c->parentWidget()) {
    r.translate(c->pos());
    if (!c->parentWidget()->rect().contains(r)) return false;
  }
  return true;
}

void Walk(QWidget* window, const QString& where, QStringList* problems) {
  QCoreApplication::processEvents();  // layouts settle
  QStringList found;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisible() || IsPart(w, window)) continue;
    CheckCaptions(w, &found);
    if (!WhollyShown(w)) found << Name(w) + ": not wholly in view";
  }
  for (const QString& p : found) *problems << where + ": " + p;
}

}  // namespace

class DefaultSizeTest : public QObject {
  Q_OBJECT
 private slots:
  void everythingFitsAtTheDefaultSize() {
    AppFixture fixture;
    fixture.StartOffline();
    Panels& panels = fixture.panels();
    MainPanel& main = panels.mainPanel();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    // The default size is the window's, and leaves a frame room within 1366 x 768.
    QCOMPARE(main.size(), QSize(MainPanel::kDefaultWidth, MainPanel::kDefaultHeight));
    QVERIFY(MainPanel::kDefaultWidth <= 1366 - 16 && MainPanel::kDefaultHeight <= 768 - 40);

    QStringList problems;
    QTabWidget* pages = main.ui.TabMain;
    pages->setTabVisible(MainPanel::kOffsetPage, true);
    QTabWidget* graphs = panels.dataPanel().ui.TabDataP1;
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      Walk(&main, pages->tabText(page), &problems);
    }
    // The connect page with the other protocol's controls.
    auto& connect = panels.connectPage().ui;
    pages->setCurrentIndex(MainPanel::kConnectPage);
    connect.RingProtocol->setCurrentIndex(connect.RingProtocol->findData(0));
    panels.InitConnectPanel();
    Walk(&main, "Connect RS-232", &problems);
    // The record page in each of its modes (each shows other controls).
    QComboBox* recordMode = panels.recordPage().ui.RingRecordMode;
    pages->setCurrentIndex(MainPanel::kRecordPage);
    for (int mode = 0; mode < recordMode->count(); ++mode) {
      recordMode->setCurrentIndex(mode);
      Walk(&main, "Record " + recordMode->currentText(), &problems);
    }
    for (int graph = 0; graph < graphs->count(); ++graph) {
      graphs->setCurrentIndex(graph);
      Walk(&main, "data panel " + graphs->tabText(graph), &problems);
    }
    // The teach panels relabel themselves for each CALCULATION MODE, chosen
    // as a user does with the arrow key.
    QComboBox* calcMode = panels.parameterPage().ui.RingCalcMode;
    const QList<QWidget*> children{&panels.graphPanel(), &panels.meanTeachPanel(), &panels.recTeachPanel(),
                                   &panels.scopeGraphPanel()};
    for (int mode = 0; mode < calcMode->count(); ++mode) {
      if (mode > 0) QTest::keyClick(calcMode, Qt::Key_Down);
      QCOMPARE(calcMode->currentIndex(), mode);
      for (QWidget* child : children) {
        panels.ShowChildPanelDisp(child);
        Walk(&main, child->objectName() + " " + calcMode->currentText(), &problems);
      }
    }
    for (QWidget* popup : std::initializer_list<QWidget*>{&panels.bigColourPanel(), &panels.bigGroupPanel(),
                                                          &panels.passwordPanel()}) {
      popup->show();
      QVERIFY(QTest::qWaitForWindowExposed(popup));
      Walk(popup, popup->objectName(), &problems);
      popup->hide();
    }
    problems.removeDuplicates();
    for (const QString& problem : problems) qWarning("%s", qPrintable(problem));
    QVERIFY2(problems.isEmpty(), qPrintable(QString::number(problems.size()) + " problems (listed above)"));
  }
};

QTEST_MAIN(DefaultSizeTest)
#include "default_size_test.moc"
