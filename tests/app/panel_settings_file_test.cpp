// The panel settings file layout, its defaults and the table-attribute
// sections it carries.
#include "app/panel_settings_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "ini/ini_text.h"
#include "teach/table_attributes.h"

namespace trivolux {
namespace {

IniText Parse(const std::string& text) {
  IniText ini;
  ini.ReadFromBytes(text);
  return ini;
}

const std::string kHeader = "[GENERAL INFO]\r\nFILE TYPE: = \"Panel Settings\"\r\n";

TEST(TableAttributes, DefaultListRepeatsFifteenColours) {
  const auto& list = DefaultRowColours();
  EXPECT_EQ(list[0], 0xFF0000);
  EXPECT_EQ(list[5], 0xFFFF00);
  EXPECT_EQ(list[14], 0x800000);
  EXPECT_EQ(list[15], 0xFF0000);
  EXPECT_EQ(list[63], list[63 % 15]);
  EXPECT_EQ(list[74], 0x800000);
}

TEST(TableAttributes, RoundTripAndUnreadableRows) {
  TableAttributes attrs;
  attrs.rowColours[0] = 0x123456;
  attrs.rowSpecs[0] = QStringLiteral("dark \"blue\"\nline two");
  attrs.rowSpecs[63] = QString(120, QLatin1Char('s'));
  IniText ini;
  AppendTableSetToIniHandle(ini, attrs);
  std::int32_t colour = 0;
  ASSERT_EQ(ini.GetInt("TABLE ATTR OF TEACH VECTOR 0", "Row color", &colour), 1);
  EXPECT_EQ(colour, 0x123456);

  // Row 5 loses its colour, row 6 holds garbage, row 7 is not a 24-bit colour.
  ini.PutString(TableAttrSection(6), "Row color", "red");
  ini.PutInt(TableAttrSection(7), "Row color", 0x1000000);
  std::string text = ini.ToText();
  const std::string row5 = "[TABLE ATTR OF TEACH VECTOR 5]\r\nRow color = 16776960\r\n";
  const auto at = text.find(row5);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, row5.size(), "[TABLE ATTR OF TEACH VECTOR 5]\r\n");
  const IniText rebuilt = Parse(text);

  TableAttributes read;
  read.rowColours.fill(0);
  QString missing;
  EXPECT_FALSE(AcquireTableSetFromIniHandle(rebuilt, read, &missing));
  EXPECT_EQ(read.rowColours[0], 0x123456);
  EXPECT_EQ(read.rowColours[5], 0xFFFF00);
  EXPECT_EQ(read.rowColours[6], DefaultRowColours()[6]);
  EXPECT_EQ(read.rowColours[7], DefaultRowColours()[7]);
  EXPECT_EQ(read.rowSpecs[0], attrs.rowSpecs[0]);
  EXPECT_EQ(read.rowSpecs[63], QString(99, QLatin1Char('s')));
  EXPECT_EQ(missing, QString(kTableAttrMissingHeading) +
                         "TABLE ATTR OF TEACH VECTOR 5\nTABLE ATTR OF TEACH VECTOR 6\n"
                         "TABLE ATTR OF TEACH VECTOR 7\n");
}

TEST(PanelSettingsFile, CompleteFileInDocumentedOrder) {
  PanelSettings s = DefaultPanelSettings("/opt/scope");
  s.addresses = QStringList{"10.0.0.2", "sensor-a"};
  IniText ini;
  WritePanelSettings(s, ini);
  std::vector<std::string> names;
  for (const auto& section : ini.Sections()) names.push_back(section.name);
  ASSERT_EQ(names.size(), 5u + 64u);
  EXPECT_EQ(names[0], "GENERAL INFO");
  EXPECT_EQ(names[1], "PANEL POSITION");
  EXPECT_EQ(names[2], "DIRECTORIES");
  EXPECT_EQ(names[3], "IP ADDRESSES");
  EXPECT_EQ(names[4], "COMMUNICATION SETTINGS");
  EXPECT_EQ(names[5], "TABLE ATTR OF TEACH VECTOR 0");
  EXPECT_EQ(names[68], "TABLE ATTR OF TEACH VECTOR 63");
  std::vector<std::string> general, comm, addresses;
  for (const auto& item : ini.Sections()[0].items) general.push_back(item.tag);
  for (const auto& item : ini.Sections()[3].items) addresses.push_back(item.tag);
  for (const auto& item : ini.Sections()[4].items) comm.push_back(item.tag);
  EXPECT_EQ(general, (std::vector<std::string>{"FILE TYPE:", "SCOPE VERSION:", "PANEL ID:"}));
  EXPECT_EQ(addresses, (std::vector<std::string>{"LIST ITEMS", "IP ADDR 1", "IP ADDR 2"}));
  EXPECT_EQ(comm,
            (std::vector<std::string>{"COMPROTOCOL", "COMPORT", "BAUDRATE", "IP ADRESS", "PORT NUMBER"}));
  EXPECT_TRUE(IsPanelSettings(ini));
}

TEST(PanelSettingsFile, ReadBackRestoresEverything) {
  PanelSettings s = DefaultPanelSettings("/opt/scope");
  s.panelId = QStringLiteral("LINE 4 SENSOR");
  s.placement = WindowPlacement{kMaximisedState, 5, 6, 1000, 700};
  s.parameterFile = "/data/p.ini";
  s.recorderFile = "/data/r.dat";
  s.hardwareFile = "/data/h.ini";
  s.tableAttributesFile = "/data/t.ini";
  s.addresses = QStringList{"a", "b", "c"};
  s.connection = ConnectionSettings{1, 1003, 2, "192.168.1.9", "10002"};
  s.tableAttributes.rowColours[42] = 0x0A0B0C;
  s.tableAttributes.rowSpecs[42] = QStringLiteral("teal");
  IniText ini;
  WritePanelSettings(s, ini);
  IniText back = Parse(ini.ToText());

  PanelSettings r = DefaultPanelSettings("/elsewhere");
  ReadPanelSettings(back, "/elsewhere", &r);
  ConnectionSettings c;
  ReadConnectionSettings(back, &c);
  EXPECT_EQ(r.panelId, s.panelId);
  ASSERT_TRUE(r.placement.has_value());
  EXPECT_EQ(r.placement->state, kMaximisedState);
  EXPECT_EQ(r.placement->width, 1000);
  EXPECT_EQ(r.parameterFile, s.parameterFile);
  EXPECT_EQ(r.recorderFile, s.recorderFile);
  EXPECT_EQ(r.hardwareFile, s.hardwareFile);
  EXPECT_EQ(r.tableAttributesFile, s.tableAttributesFile);
  EXPECT_EQ(r.addresses, s.addresses);
  EXPECT_EQ(c.comProtocol, 1);
  EXPECT_EQ(c.comPort, 1003);
  EXPECT_EQ(c.baudrateIndex, 2);
  EXPECT_EQ(c.ipAddress, "192.168.1.9");
  EXPECT_EQ(c.portNumber, "10002");
  EXPECT_EQ(r.tableAttributes.rowColours[42], 0x0A0B0C);
  EXPECT_EQ(r.tableAttributes.rowSpecs[42], "teal");
}

TEST(PanelSettingsFile, ForeignFileTypeIsNotAPanelSettingsFile) {
  EXPECT_FALSE(IsPanelSettings(Parse("[GENERAL INFO]\r\nFILE TYPE: = \"Parameter\"\r\n")));
  EXPECT_FALSE(IsPanelSettings(Parse("garbage \x01\x02 without sections")));
  EXPECT_FALSE(IsPanelSettings(Parse("")));
}

TEST(PanelSettingsFile, MissingKeysTakeTheirDefaults) {
  const IniText ini = Parse(kHeader +
                            "[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 0\r\nMAINPANEL LEFT = 33\r\n"
                            "[IP ADDRESSES]\r\nLIST ITEMS = 25\r\n"
                            "IP ADDR 1 = \"h1\"\r\nIP ADDR 2 = \"h2\"\r\nIP ADDR 4 = \"h4\"\r\n"
                            "IP ADDR 10 = \"h10\"\r\nIP ADDR 11 = \"h11\"\r\n");
  PanelSettings s = DefaultPanelSettings("/prog");
  ReadPanelSettings(ini, "/prog", &s);
  ASSERT_TRUE(s.placement.has_value());
  EXPECT_EQ(s.placement->left, 33);
  EXPECT_EQ(s.placement->top, 40);
  EXPECT_EQ(s.placement->width, WindowPlacement{}.width);
  EXPECT_EQ(s.placement->height, WindowPlacement{}.height);
  // Only the first ten keys count; the gap at 3 closes up.
  EXPECT_EQ(s.addresses, (QStringList{"h1", "h2", "h4", "h10"}));
  EXPECT_EQ(s.parameterFile, "/prog");
  EXPECT_EQ(s.recorderFile, "/prog/RecordFile.dat");
  EXPECT_EQ(s.hardwareFile, "/prog");
  EXPECT_EQ(s.tableAttributesFile, "/prog");
  EXPECT_EQ(s.tableAttributes.rowColours, DefaultRowColours());

  PanelSettings none = DefaultPanelSettings("/prog");
  ReadPanelSettings(Parse(kHeader), "/prog", &none);
  EXPECT_FALSE(none.placement.has_value());
  EXPECT_TRUE(none.addresses.isEmpty());
}

TEST(PanelSettingsFile, GarbageValuesFallBackAndLongTextsAreCut) {
  const std::string longPath(400, 'p');
  const IniText ini = Parse(kHeader + "PANEL ID: = \"" + std::string(150, 'i') + "\"\r\n" +
                            "[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = x\r\n"
                            "[DIRECTORIES]\r\nPARAMETER FILE = \"" +
                            longPath +
                            "\"\r\n"
                            "[IP ADDRESSES]\r\nLIST ITEMS = -4\r\n"
                            "[COMMUNICATION SETTINGS]\r\nCOMPROTOCOL = 9\r\nCOMPORT = -2\r\n"
                            "BAUDRATE = 12\r\nIP ADRESS = \"" +
                            std::string(300, 'a') +
                            "\"\r\n"
                            "PORT NUMBER = \"" +
                            std::string(40, '9') + "\"\r\n");
  PanelSettings s = DefaultPanelSettings("/prog");
  ReadPanelSettings(ini, "/prog", &s);
  EXPECT_EQ(s.panelId.size(), 99);
  EXPECT_FALSE(s.placement.has_value());  // FULLSCREEN is not an integer
  EXPECT_EQ(s.parameterFile.size(), 259);
  EXPECT_TRUE(s.addresses.isEmpty());
  ConnectionSettings c;
  ReadConnectionSettings(ini, &c);
  EXPECT_EQ(c.comProtocol, 0);
  EXPECT_EQ(c.comPort, 1);
  EXPECT_EQ(c.baudrateIndex, 4);
  EXPECT_EQ(c.ipAddress.size(), 255);
  EXPECT_EQ(c.portNumber.size(), 31);

  const IniText huge = Parse(kHeader +
                             "[PANEL POSITION]\r\nMAINPANEL FULLSCREEN = 1\r\nMAINPANEL WIDTH = -300\r\n"
                             "MAINPANEL HEIGHT = 2147483647\r\nMAINPANEL TOP = -99999\r\n");
  PanelSettings h = DefaultPanelSettings("/prog");
  ReadPanelSettings(huge, "/prog", &h);
  ASSERT_TRUE(h.placement.has_value());
  EXPECT_EQ(h.placement->width, WindowPlacement{}.width);
  EXPECT_EQ(h.placement->height, WindowPlacement{}.height);
  EXPECT_EQ(h.placement->top, 40);
}

// A long text is cut after whole characters: an emoji at the limit is kept
// whole, and a code-page path cut at the limit is saved back as the bytes kept.
TEST(PanelSettingsFile, LongTextsAreCutAfterWholeCharacters) {
  const std::string emoji = "\xF0\x9F\x98\x80";
  const std::string cp1252 = std::string(258, 'a') + "\xFC\xFCz";
  const IniText ini = Parse(kHeader + "[DIRECTORIES]\r\nPARAMETER FILE = \"" + std::string(258, 'a') + emoji +
                            "bc\"\r\nRECORDER FILE = \"" + cp1252 + "\"\r\n");
  PanelSettings s = DefaultPanelSettings("/prog");
  ReadPanelSettings(ini, "/prog", &s);
  EXPECT_EQ(s.parameterFile, QString(258, 'a') + QString::fromUtf8(emoji));
  EXPECT_EQ(s.codec.Encode(s.recorderFile), cp1252.substr(0, 259));
}

TEST(PanelSettingsFile, LocationFallsBackWhenTheProgramDirectoryIsNotWritable) {
  const auto portable = ResolveSettingsLocation("/prog", "/home/u/.config/x", "/home/u/Documents",
                                                [](const QString&) { return true; });
  EXPECT_EQ(portable.settingsPath, "/prog/PanelSettings.cfg");
  EXPECT_EQ(portable.defaultFilesDir, "/prog");
  const auto installed = ResolveSettingsLocation("/usr/bin", "/home/u/.config/x", "/home/u/Documents",
                                                 [](const QString& d) { return d != "/usr/bin"; });
  EXPECT_EQ(installed.settingsPath, "/home/u/.config/x/PanelSettings.cfg");
  EXPECT_EQ(installed.defaultFilesDir, "/home/u/Documents");

  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_TRUE(DirectoryWritable(dir.path()));
  EXPECT_FALSE(DirectoryWritable(dir.filePath("missing")));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());  // the probe cleans up
}

}  // namespace
}  // namespace trivolux
