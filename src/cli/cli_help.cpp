// The --help and --version texts. Kept plain (no terminal width, no colours)
// so a manual page can be generated from them.
#include "base/version.h"
#include "cli/cli_options.h"

namespace trivolux::cli {

QString HelpText() {
  return QStringLiteral(
      "Usage: trivolux-cli COMMAND [OPTIONS]\n"
      "\n"
      "The TRIVOLUX VR colour sensor from scripts: identification, parameter sets,\n"
      "measurements, calibration factors, hardware information and scope scans over\n"
      "TCP/IP or RS-232. Results go to standard output or to -o FILE; messages go to\n"
      "standard error, one line each, and progress too when it is a terminal.\n"
      "\n"
      "Commands:\n"
      "  identify            Print the sensor's identification and serial number.\n"
      "  get                 Read a parameter set and its teach table into a\n"
      "                      parameter file (the program's format).\n"
      "  send FILE           Write a parameter file into a parameter set. Items the\n"
      "                      file lacks get their defaults and are listed; the\n"
      "                      teach rows' reserved words stay as the sensor has them.\n"
      "  measure             Measurement frames, one line each.\n"
      "  cf get              Print the calibration factors: RED GREEN BLUE.\n"
      "  cf send R G B       Write the calibration factors (0..4096 each).\n"
      "  offset get          Print the offsets: RED GREEN BLUE.\n"
      "  hwinfo              Write the hardware information file.\n"
      "  scope               One scope scan; the 128 samples as CSV.\n"
      "\n"
      "Connection (every command that talks to the sensor):\n"
      "  --tcp HOST:PORT     TCP/IP (an IPv6 address as [ADDRESS]:PORT).\n"
      "  --serial DEVICE     RS-232: a device path or COMn.\n"
      "  --baud RATE         9600, 19200, 38400, 57600, 115200 (default), 230400,\n"
      "                      460800 or 921600 bit/s.\n"
      "  --timeout MS        Longest wait for an answer, in ms (default 3000).\n"
      "\n"
      "Options:\n"
      "  -o, --output FILE   get, measure, hwinfo, scope: write FILE through a\n"
      "                      temporary file that replaces it when complete; without\n"
      "                      it (or with -) standard output.\n"
      "  --set S             get, send, hwinfo: parameter set 0 (default) or 1.\n"
      "  --eeprom            get: load the EEPROM into RAM first; send: store RAM into\n"
      "                      the EEPROM afterwards. Without it: RAM only.\n"
      "  --dry-run           send: show the requests and values; send nothing.\n"
      "  --force             send: also a file that is not a parameter file of this\n"
      "                      version.\n"
      "  --count N           measure: frames to take, 0 = until interrupted (default 1).\n"
      "  --interval SEC      measure: seconds from one request to the next (default 0:\n"
      "                      as fast as the sensor answers).\n"
      "  --format FMT        measure: record (the recorder's file format, default), csv\n"
      "                      or jsonl.\n"
      "  --panel-id TEXT     measure --format record: the header's PANEL ID line.\n"
      "  --trigger MODE      scope: single (default), rising, falling, internal,\n"
      "                      external, or 0..4.\n"
      "  --level N           scope: trigger level 0..65535 (default 0).\n"
      "  --pretrigger N      scope: samples kept before the trigger (default 0).\n"
      "  --rate N            scope: a sample every N scans, 1..32767 (default 1).\n"
      "  --signal SIG        scope: rgb (RED GREEN BLUE, default), calc (X Y INT or\n"
      "                      s i M) or 0..65535.\n"
      "  -h, --help          Show this help.\n"
      "  --version           Show the version.\n"
      "\n"
      "An interrupt (Ctrl+C, SIGTERM) ends measure after the current line with the\n"
      "frames so far (status 0), lets send and cf send finish their transfer, and\n"
      "ends every other command at once. A second interrupt ends any command at once.\n"
      "\n"
      "Exit status:\n"
      "  0    success\n"
      "  2    usage error: unknown command or option, bad value\n"
      "  3    link failure: no connection, no answer, bad frame, error answer,\n"
      "       connection lost\n"
      "  4    the sensor's version is not the one this program works with\n"
      "  5    file error: input unreadable or not a parameter file, output not\n"
      "       writable\n"
      "  6    the sensor set implausible values to their defaults (send, cf send,\n"
      "       get --eeprom); the command completed\n"
      "  130  interrupted\n");
}

QString VersionText() {
  return QStringLiteral("trivolux-cli %1\nThe command-line front end of %2; it works with %3 sensors.\n")
      .arg(QLatin1String(kProgramVersion), QLatin1String(kProgramFullTitle),
           QLatin1String(kExpectedSensorVersion));
}

}  // namespace trivolux::cli
