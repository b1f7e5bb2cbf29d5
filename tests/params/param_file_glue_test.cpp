// SEND and GET with FILE selected: the dialog, the questions, the messages,
// write failures, and that the link is never used.
#include <QDir>
#include <QFile>
#include <QtTest>

#include "app_fixture.h"
#include "base/shared_state.h"
#include "ini/ini_text.h"
#include "params/panel_access.h"
#include "params/param_controller.h"
#include "params/parameter_file.h"
#include "ui/panels.h"

namespace trivolux {

class ParamFileGlueTest : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<test::AppFixture> fixture_;
  test::ScriptedPopups* popups_ = nullptr;
  ParamController& params() { return fixture_->params(); }

  QString Path(const QString& name) const { return fixture_->Path(name); }
  void Choose(FileSelect result, const QString& path) { popups_->files.push_back({result, path}); }

  void FillPanels() {
    ParameterSet& set = params().para();
    const std::uint16_t block[] = {650, 1, 3, 0, 20, 5, 2, 0, 0, 0, 1, 3100, 3500, 0, 1, 4, 9};
    for (int i = 0; i < kParamWordCount; ++i) set.block[i] = block[i];
    for (int r = 0; r < kTeachRows; ++r)
      for (int w = 0; w < kReserved; ++w) set.table[r][w] = static_cast<std::uint16_t>(r + w);
    params().SetPanelValues();
    // As if read: a GET would otherwise first ask before replacing them.
    params().unsent().MarkInSync();
  }

  void WriteText(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

 private slots:
  void init() {
    fixture_ = std::make_unique<test::AppFixture>();
    popups_ = &fixture_->popups;
    params().CBF_SelectMem(Memory::File);
  }
  void cleanup() { fixture_.reset(); }

  void writeThenReadGivesTheSameSetWithoutMessages() {
    FillPanels();
    const ParameterSet written = params().para();
    Choose(FileSelect::New, Path("Parameter.ini"));
    params().CBF_ButtonSend();
    QVERIFY(QFile::exists(Path("Parameter.ini")));
    QCOMPARE(popups_->fileRequests[0].defaultName, QString("Parameter.ini"));
    QCOMPARE(popups_->fileRequests[0].filter, QString("*.ini"));
    QCOMPARE(popups_->fileRequests[0].title, QString("Parameter"));
    QCOMPARE(params().LastParameterFile(), Path("Parameter.ini"));

    params().para() = ParameterSet();
    params().SetPanelValues();
    params().unsent().MarkInSync();
    for (int r = 0; r < kTeachRows; ++r) params().para().table[r][kReserved] = 0x1234;
    Choose(FileSelect::Existing, Path("Parameter.ini"));
    params().CBF_ButtonGet();
    QCOMPARE(popups_->fileRequests[1].directory, fixture_->ProgramDir());
    QCOMPARE(popups_->OfKind("message").size(), size_t(0));
    QCOMPARE(popups_->OfKind("confirm").size(), size_t(0));
    const ParameterSet& read = params().para();
    QCOMPARE(read.block, written.block);
    for (int r = 0; r < kTeachRows; ++r) {
      for (int w = 0; w < kReserved; ++w) QCOMPARE(read.table[r][w], written.table[r][w]);
      QCOMPARE(read.table[r][kReserved], std::uint16_t(0x1234));
    }
    QCOMPARE(fixture_->panels().parameterPage().ui.NumDynWinHi->value(), 3500);
    QVERIFY(fixture_->state().SensorConnected == 0);
  }

  void cancelledDialogsChangeNothing() {
    FillPanels();
    const ParameterSet before = params().para();
    Choose(FileSelect::None, "");
    params().CBF_ButtonSend();
    Choose(FileSelect::New, Path("new.ini"));  // GET needs an existing file
    params().CBF_ButtonGet();
    const auto messages = popups_->OfKind("message");
    QCOMPARE(int(messages.size()), 2);
    for (const auto& m : messages) {
      QCOMPARE(m.title, QString("ATTENTION!"));
      QCOMPARE(m.text, QString("No file was selected!"));
    }
    QCOMPARE(params().para().block, before.block);
    QVERIFY(!QFile::exists(Path("new.ini")));
  }

  void otherVersionAsksOnlyTheVersionQuestion() {
    IniText ini;
    PutParameterFile(ini, ParameterSet());
    ini.PutString("GENERAL INFO", "SCOPE VERSION:", "TRIVOLUX VR Scope V1.1");
    QCOMPARE(ini.WriteToFile(Path("old.ini")), 0);
    FillPanels();
    const ParameterSet before = params().para();
    popups_->confirms = {false};
    Choose(FileSelect::Existing, Path("old.ini"));
    params().CBF_ButtonGet();
    const auto confirms = popups_->OfKind("confirm");
    QCOMPARE(int(confirms.size()), 1);
    QCOMPARE(confirms[0].text,
             QString("Selected file and scope version do not match! \nDo you want to proceed anyway?"));
    QCOMPARE(popups_->OfKind("message").back().text, QString("No parameter where read!"));
    QCOMPARE(params().para().block, before.block);
  }

  void garbageFileAnsweredYesDefaultsEverythingWithTwoMessages() {
    WriteText(Path("junk.ini"), QByteArray("\x00\xff[[garbage\r\nPOWER=70000\r\n", 26));
    popups_->confirms = {true, true};
    Choose(FileSelect::Existing, Path("junk.ini"));
    params().CBF_ButtonGet();
    QCOMPARE(popups_->OfKind("confirm")[0].text,
             QString("Selected file is not a parameter file! \nDo you want to proceed anyway?"));
    const auto messages = popups_->OfKind("message");
    QCOMPARE(int(messages.size()), 2);
    QCOMPARE(messages[0].title, QString("Attention!"));
    QVERIFY(messages[0].text.endsWith(
        "EXTEACH\nCALCULATION MODE\nDYNWIN LO\nDYNWIN HI\nCOLOR GROUP\nLED MODE\nGAIN\nINTEGRAL\n"));
    QVERIFY(messages[1].text.endsWith("TEACH VECTOR 62\nTEACH VECTOR 63\n"));
    QCOMPARE(params().para().block[kPower], 500);
    QCOMPARE(params().para().table[63][kHold], 10);
  }

  void unwritableTargetIsReportedAndTheOldFileStays() {
    // The target name is taken by a directory: the final rename must fail.
    QVERIFY(QDir(fixture_->ProgramDir()).mkpath("Taken.ini/inside"));
    Choose(FileSelect::New, Path("Taken.ini"));
    params().CBF_ButtonSend();
    Choose(FileSelect::New, Path("missing/dir/Parameter.ini"));
    params().CBF_ButtonSend();
    const auto messages = popups_->OfKind("message");
    QCOMPARE(int(messages.size()), 2);
    QCOMPARE(messages[0].title, QString("ATTENTION!"));
    QVERIFY(messages[0].text.contains(Path("Taken.ini")));
    QVERIFY(messages[1].text.contains("missing/dir/Parameter.ini"));
    QVERIFY(QDir(Path("Taken.ini/inside")).exists());
    const QStringList leftovers =
        QDir(fixture_->ProgramDir()).entryList({"ini$$*"}, QDir::Files | QDir::Hidden);
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers.join(',')));
  }
  void hugeFileIsRefusedUnreadAndChangesNothing() {
    FillPanels();
    const ParameterSet before = params().para();
    QFile file(Path("huge.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(kIniMaxFileSize + 1));
    file.close();
    Choose(FileSelect::Existing, Path("huge.ini"));
    params().CBF_ButtonGet();
    QVERIFY(popups_->OfKind("confirm").empty());
    const auto messages = popups_->OfKind("message");
    QCOMPARE(messages.size(), size_t(1));
    QVERIFY(messages[0].text.contains(Path("huge.ini")));
    QCOMPARE(params().para().block, before.block);
    QCOMPARE(params().para().table, before.table);
  }
};

}  // namespace trivolux

QTEST_MAIN(trivolux::ParamFileGlueTest)
#include "param_file_glue_test.moc"
