// Right-click help over the real panels: every catalogue entry has a control,
// a right click on it (or on a widget inside it) shows exactly its title and
// text, and no value changes and no button fires.
#include "app/help_filter.h"

#include <QtTest>

#include "base/help_catalogue.h"
#include "scripted_popups.h"
#include "ui/big_colour_panel.h"
#include "ui/big_group_panel.h"
#include "ui/data_panel.h"
#include "ui/graph_panel.h"
#include "ui/main_panel.h"
#include "ui/mean_teach_panel.h"
#include "ui/password_panel.h"
#include "ui/rec_teach_panel.h"
#include "ui/scope_graph_panel.h"

using namespace trivolux;

namespace {

// Everything a control could change: values, texts, check states, cells.
QStringList Snapshot(const QList<QWidget*>& roots) {
  QStringList s;
  for (QWidget* root : roots) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
      const QString n = w->objectName();
      if (auto* b = qobject_cast<QAbstractSpinBox*>(w)) s << n + "=" + b->text();
      if (auto* c = qobject_cast<QComboBox*>(w))
        s << n + "=" + QString::number(c->currentIndex()) + c->currentText();
      if (auto* e = qobject_cast<QLineEdit*>(w)) s << n + "=" + e->text();
      if (auto* t = qobject_cast<QPlainTextEdit*>(w)) s << n + "=" + t->toPlainText();
      if (auto* a = qobject_cast<QAbstractButton*>(w)) s << n + "=" + QString::number(a->isChecked());
      if (auto* sl = qobject_cast<QAbstractSlider*>(w)) s << n + "=" + QString::number(sl->value());
      if (auto* tab = qobject_cast<QTabWidget*>(w)) s << n + "=" + QString::number(tab->currentIndex());
      if (auto* g = qobject_cast<QTableWidget*>(w)) {
        for (int r = 0; r < g->rowCount(); ++r)
          for (int c = 0; c < g->columnCount(); ++c)
            if (g->item(r, c)) s << g->item(r, c)->data(Qt::DisplayRole).toString();
      }
    }
  }
  return s;
}

// Where a right click should land: inside the control where Qt puts an
// inner widget (spin box and combo edit fields, table viewports).
QWidget* ClickTarget(QWidget* control) {
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(control)) return spin->findChild<QLineEdit*>();
  if (auto* combo = qobject_cast<QComboBox*>(control))
    return combo->isEditable() ? static_cast<QWidget*>(combo->lineEdit()) : combo;
  if (auto* view = qobject_cast<QAbstractScrollArea*>(control)) return view->viewport();
  if (auto* tabs = qobject_cast<QTabWidget*>(control)) return tabs->tabBar();
  return control;
}

}  // namespace

class HelpFilterTest : public QObject {
  Q_OBJECT

  test::ScriptedPopups popups_;
  HelpFilter* filter_ = nullptr;
  MainPanel* main_ = nullptr;
  QList<QWidget*> roots_;
  int fired_ = 0;

 private slots:
  void initTestCase() {
    filter_ = new HelpFilter(popups_, this);
    qApp->installEventFilter(filter_);
    main_ = new MainPanel;
    roots_ = {main_,
              new DataPanel,
              new GraphPanel,
              new MeanTeachPanel,
              new RecTeachPanel,
              new ScopeGraphPanel,
              new BigColourPanel,
              new BigGroupPanel,
              new PasswordPanel};
    for (QWidget* root : roots_) {
      root->show();
      QVERIFY(QTest::qWaitForWindowExposed(root));
      for (auto* b : root->findChildren<QAbstractButton*>()) {
        connect(b, &QAbstractButton::pressed, this, [this] { ++fired_; });
        connect(b, &QAbstractButton::clicked, this, [this] { ++fired_; });
      }
    }
  }

  void cleanupTestCase() { qDeleteAll(roots_); }

  void everyEntryHasAControlAndShowsExactlyItsText() {
    QHash<QString, QList<QWidget*>> byCallback;
    for (QWidget* root : roots_)
      for (QWidget* w : root->findChildren<QWidget*>())
        if (!w->property("cbf").toString().isEmpty()) byCallback[w->property("cbf").toString()] << w;

    // The teach grid's text is shown by its context menu ("Help"), not by a
    // control of its own.
    QStringList missing;
    for (std::size_t i = 0; i < HelpEntryCount(); ++i) {
      const QString cb = QString::fromLatin1(HelpEntries()[i].callback);
      if (cb != "CBF_GridCttHelp" && !byCallback.contains(cb)) missing << cb;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));

    const QStringList before = Snapshot(roots_);
    for (auto it = byCallback.cbegin(); it != byCallback.cend(); ++it) {
      const HelpEntry* entry = FindHelp(it.key());
      for (QWidget* control : it.value()) {
        popups_.Clear();
        QWidget* target = ClickTarget(control);
        QTest::mouseClick(target, Qt::RightButton, {}, QPoint(3, 3));
        const auto shown = popups_.OfKind("message");
        if (!entry) {
          QVERIFY2(shown.empty(), qPrintable(control->objectName()));
          continue;
        }
        QVERIFY2(shown.size() == 1, qPrintable(control->objectName() + " " + it.key()));
        QCOMPARE(shown[0].title, QString::fromUtf8(entry->title));
        QCOMPARE(shown[0].text, QString::fromUtf8(entry->text));
      }
    }
    QCOMPARE(Snapshot(roots_), before);
    QCOMPARE(fired_, 0);
  }

  void rightDoubleClickShowsOneHelpAndLeftClicksPassThrough() {
    auto* go = main_->findChild<QPushButton*>("ButtonGo");
    QVERIFY(go);
    popups_.Clear();
    // A double click arrives as press, release, double-click press, release.
    QTest::mouseClick(go, Qt::RightButton);
    QTest::mouseDClick(go, Qt::RightButton);
    QTest::mouseRelease(go, Qt::RightButton);
    QCOMPARE(popups_.OfKind("message").size(), std::size_t(1));
    QCOMPARE(fired_, 0);
    popups_.Clear();
    QTest::mouseClick(go, Qt::LeftButton);
    QVERIFY(popups_.record.empty());
    QVERIFY(fired_ > 0);
    fired_ = 0;
  }

  void keyboardContextMenuShowsHelpOfTheFocusedControl() {
    auto* data = qobject_cast<DataPanel*>(roots_[1]);
    popups_.Clear();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(2, 2),
                           data->ui.ButtonShowGraph->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(data->ui.ButtonShowGraph, &menu);
    QCOMPARE(popups_.OfKind("message").size(), std::size_t(1));
    QCOMPARE(popups_.record[0].text, QString::fromUtf8(FindHelp("CBF_ButtonShowGraph")->text));
  }

  void tabControlsExplainThemselvesOnlyOnTheirTabBar() {
    auto* data = qobject_cast<DataPanel*>(roots_[1]);
    popups_.Clear();
    // Empty area of a graph page: belongs to the page, not to the tab control.
    QWidget* page = data->ui.TabDataP1->currentWidget();
    QTest::mouseClick(page, Qt::RightButton, {}, QPoint(1, 1));
    QTest::mouseClick(data->ui.TabDataP1, Qt::RightButton, {},
                      QPoint(data->ui.TabDataP1->width() - 2, data->ui.TabDataP1->height() - 2));
    QVERIFY(popups_.record.empty());
    QTest::mouseClick(data->ui.TabDataP1->tabBar(), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(popups_.OfKind("message").size(), std::size_t(1));
    QCOMPARE(popups_.record[0].text, QString("Select TAB-window."));
  }

  void widgetsWithoutHelpKeepTheirRightClicks() {
    auto* data = qobject_cast<DataPanel*>(roots_[1]);
    // The status line has a callback but no help: its right double click is its own.
    int seen = 0;
    struct Spy : QObject {
      int* count;
      explicit Spy(int* c) : count(c) {}
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonDblClick) ++*count;
        return false;
      }
    } spy(&seen);
    data->ui.DispStatus->installEventFilter(&spy);
    popups_.Clear();
    QTest::mouseDClick(data->ui.DispStatus, Qt::RightButton);
    QCOMPARE(seen, 1);
    QVERIFY(popups_.record.empty());
    data->ui.DispStatus->removeEventFilter(&spy);

    // The big displays close on a right click, with no help popup.
    auto* big = qobject_cast<BigColourPanel*>(roots_[6]);
    QTest::mouseClick(big->ui.DispBigColour, Qt::RightButton);
    QVERIFY(!big->isVisible());
    QVERIFY(popups_.record.empty());
  }
};

QTEST_MAIN(HelpFilterTest)
#include "help_filter_test.moc"
