// F1 opens the user guide: the source tree's guide in a build, the installed
// one in an install layout, each with every screenshot it shows; and an
// installed program keeps its settings out of its own directory.
#include "app/user_guide.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "app/install_paths.h"
#include "app/panel_settings.h"
#include "app/scope_app.h"
#include "app_fixture.h"
#include "ui/panels.h"

using trivolux::test::AppFixture;

namespace {

// The images the shown document refers to, and how many of them the window
// could not load.
int MissingImages(QTextBrowser* window, int* shown) {
  int missing = 0;
  *shown = 0;
  for (QTextBlock b = window->document()->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      ++*shown;
      const QVariant image =
          window->loadResource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
      if (image.toByteArray().isEmpty() && image.value<QImage>().isNull()) ++missing;
    }
  }
  return missing;
}

QTextBrowser* PressF1(trivolux::ScopeApp& app) {
  QWidget& main = app.panels().mainPanel();
  main.show();
  main.activateWindow();
  if (!QTest::qWaitForWindowActive(&main)) return nullptr;
  QTest::keyClick(&main, Qt::Key_F1);
  QTextBrowser* window = app.userGuide().window();
  return window && window->isVisible() ? window : nullptr;
}

}  // namespace

class UserGuideTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void f1ShowsTheSourceGuideWithItsScreenshots() {
    AppFixture fixture;
    fixture.StartOffline();
    QTextBrowser* window = PressF1(fixture.app());
    QVERIFY(window);
    QCOMPARE(window->source().toLocalFile(), QDir(trivolux::kSourceDocDir).filePath("user-guide.md"));
    QVERIFY(window->document()->toPlainText().contains("Connect to the sensor"));
    int shown = 0;
    QCOMPARE(MissingImages(window, &shown), 0);
    QVERIFY2(shown >= 10, qPrintable(QString::number(shown)));
    QVERIFY(fixture.popups.record.empty());
  }

  void installLayoutOpensTheInstalledGuideAndKeepsSettingsInTheUsersPlace() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString docs = QDir(bin).filePath(trivolux::kInstalledDocDirFromProgram);
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(docs + "/screenshots"));
    QFile guide(docs + "/user-guide.md");
    QVERIFY(guide.open(QIODevice::WriteOnly));
    guide.write("# Installed guide\n\n![Connect](screenshots/main_0_connect.png)\n");
    guide.close();
    QVERIFY(QFile::copy(QString(trivolux::kSourceDocDir) + "/screenshots/main_0_connect.png",
                        docs + "/screenshots/main_0_connect.png"));

    trivolux::test::ScriptedPopups popups;
    trivolux::ScopeApp app(popups, bin);
    // The directory is writable, yet an installation keeps nothing in it.
    QVERIFY(!app.panelSettings().Location().settingsPath.startsWith(prefix.path()));
    QTextBrowser* window = PressF1(app);
    QVERIFY(window);
    QCOMPARE(window->source().toLocalFile(), QDir::cleanPath(docs + "/user-guide.md"));
    int shown = 0;
    QCOMPARE(MissingImages(window, &shown), 0);
    QCOMPARE(shown, 1);
  }
};

QTEST_MAIN(UserGuideTest)
#include "user_guide_test.moc"
