// trivolux-cli on bad input: each case its exit status and its one message
// line, no output file, and nothing sent where nothing may be.
#include <QDir>
#include <QFile>
#include <cctype>
#include <ostream>

#include "cli_fixture.h"
#include "link/orders.h"

namespace trivolux::cli::test {
namespace {

struct BadInput {
  const char* name;
  // {tcp} is the simulator's HOST:PORT, {dir} the test's directory.
  QStringList args;
  std::function<void(sim::Simulator&)> setUp;
  int exitCode;
  const char* message;  // part of the one line on standard error
  bool nothingSent;
};

// Switches a fault once the identification has been answered, so that it
// hits the command's own requests.
std::function<void(sim::Simulator&)> AfterIdentification(void (*fault)(sim::Faults&)) {
  return [fault](sim::Simulator& s) {
    QObject::connect(&s, &sim::Simulator::requestHandled, &s, [&s, fault](quint8 order, quint16) {
      if (order == order::kIdentify) fault(s.faults());
    });
  };
}

const BadInput kCases[] = {
    {"no listener",
     {"identify", "--tcp", "127.0.0.1:1"},
     {},
     3,
     "127.0.0.1:1: Could not establish connection! FailedToConnect",
     true},
    {"sensor never answers",
     {"get", "--tcp", "{tcp}", "--timeout", "200", "-o", "{dir}/kept.ini"},
     [](sim::Simulator& s) { s.faults().dropEveryNth = 1; },
     3,
     "Could not establish connection! TIMEOUT! NO DATA RECEIVED! COMMUNICATION ERROR! CHECK POWER SUPPLY AND "
     "COM "
     "SETTINGS. TRY TO CONNECT AGAIN!",
     false},
    {"bad data frame",
     {"get", "--tcp", "{tcp}", "-o", "{dir}/kept.ini"},
     AfterIdentification([](sim::Faults& f) { f.corruptDataCrc = 1; }),
     3,
     ": ATTENTION! RECEIVED DATA FRAME IS INCORRECT!",
     false},
    {"wrong version",
     {"identify", "--tcp", "{tcp}"},
     [](sim::Simulator& s) { s.options().ident = "TRIVOLUX VR V1.3.0  SIMULATOR"; },
     4,
     "Sensor firmware and scope version do not match! Firmware of connected sensor is: TRIVOLUX VR V1.3 The "
     "serial number is: 4711",
     false},
    {"unknown order",
     {"cf", "get", "--tcp", "{tcp}"},
     [](sim::Simulator& s) { s.faults().unknownOrderForAll = true; },
     3,
     "INVALIDE ORDER NUMBER! VERIFY PC AND SENSOR SOFTWARE!",
     false},
    {"server closes",
     {"measure", "--tcp", "{tcp}", "--count", "3"},
     AfterIdentification([](sim::Faults& f) { f.closeOnNextRequest = true; }),
     3,
     ": SERVER HAS CLOSED CONNECTION!",
     false},
    {"output directory missing",
     {"get", "--tcp", "{tcp}", "-o", "{dir}/missing/set.ini"},
     {},
     5,
     "/missing/set.ini: cannot write the file",
     true},
    {"output directory read-only",
     {"hwinfo", "--tcp", "{tcp}", "-o", "/proc/hw.ini"},
     {},
     5,
     "/proc/hw.ini: cannot write the file",
     true},
    {"input file missing",
     {"send", "{dir}/none.ini", "--tcp", "{tcp}"},
     {},
     5,
     "cannot be opened for reading",
     true},
    {"unknown command", {"frobnicate", "--tcp", "{tcp}"}, {}, 2, "unknown command 'frobnicate'", true},
    {"unknown option", {"identify", "--colour", "--tcp", "{tcp}"}, {}, 2, "Unknown option 'colour'", true},
    {"option of another command",
     {"identify", "--eeprom", "--tcp", "{tcp}"},
     {},
     2,
     "option --eeprom does not apply to identify",
     true},
    {"no connection", {"identify"}, {}, 2, "--tcp HOST:PORT or --serial DEVICE is needed", true},
    {"baud rate outside the table",
     {"identify", "--serial", "/dev/null", "--baud", "1234"},
     {},
     2,
     "--baud takes 9600",
     true},
    {"parameter set 2",
     {"get", "--set", "2", "--tcp", "{tcp}"},
     {},
     2,
     "--set takes a whole number 0..1",
     true},
    {"factor above 4096",
     {"cf", "send", "1024", "4097", "1024", "--tcp", "{tcp}"},
     {},
     2,
     "calibration factor '4097' is not a whole number 0..4096",
     true},
    {"count not a number",
     {"measure", "--count", "many", "--tcp", "{tcp}"},
     {},
     2,
     "--count takes a whole number",
     true},
};

// CTest shows the case by its name.
void PrintTo(const BadInput& c, std::ostream* os) {
  *os << c.name;
}

class CliBadInput : public CliTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(CliBadInput, FailsWithItsStatusAndOneLine) {
  const BadInput& c = GetParam();
  if (c.setUp) c.setUp(*sim_);
  WriteFile(Path("kept.ini"), "old");
  QStringList args;
  for (QString a : c.args)
    args << a.replace("{tcp}", QStringLiteral("127.0.0.1:%1").arg(port_)).replace("{dir}", dir_.path());
  const CliRun run = RunCli(args);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
  EXPECT_EQ(run.err.count('\n'), c.exitCode == 0 ? 0 : 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
  if (c.nothingSent) {
    EXPECT_TRUE(sim_->Requests().empty());
  }
  EXPECT_EQ(ReadFile(Path("kept.ini")), "old") << "a failure leaves the old file";
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.ini"})
      << "no temporary is left";
}

INSTANTIATE_TEST_SUITE_P(Table, CliBadInput, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

}  // namespace
}  // namespace trivolux::cli::test
