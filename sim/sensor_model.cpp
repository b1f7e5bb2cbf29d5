#include "sim/sensor_model.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <cstring>

namespace trivolux::sim {
namespace {

struct Rule {
  int word;
  std::uint16_t max;
  std::uint16_t min;
};
// DYNWIN LO/HI are checked together below.
constexpr Rule kRules[] = {
    {pw::kPower, 1000, 0},   {pw::kPowerMode, 1, 0},  {pw::kAverage, 1000, 0}, {pw::kEvalMode, 6, 0},
    {pw::kMaxVecNo, 64, 1},  {pw::kDigOutmode, 2, 0}, {pw::kTrigger, 6, 0},    {pw::kExtTeach, 3, 0},
    {pw::kCalcMode, 3, 0},   {pw::kColorGroup, 1, 0}, {pw::kLedMode, 3, 0},    {pw::kGain, 7, 0},
    {pw::kIntegral, 250, 0},
};

constexpr std::uint16_t kCfMax = 4096;
constexpr std::uint16_t kCfDefault = 1024;
constexpr std::uint16_t kOffsetMax = 1023;

TeachRows DefaultTeach(int set) {
  TeachRows rows{};
  for (int r = 0; r < kTeachRows; ++r) {
    rows[r] = {1, 1, 1, 1, 1, 0, 10, SensorModel::InitialReservedWord(set, r)};
  }
  return rows;
}

QString Hex(const std::uint8_t* data, std::size_t n) {
  return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(n)).toHex());
}

template <std::size_t N>
bool FromHex(const QString& text, std::array<std::uint8_t, N>& out) {
  const QByteArray bytes = QByteArray::fromHex(text.toLatin1());
  if (bytes.size() != static_cast<int>(N) || text.size() != static_cast<int>(2 * N)) return false;
  std::memcpy(out.data(), bytes.constData(), N);
  return true;
}

bool ReadTriple(const QSettings& ini, const QString& key, std::array<std::uint16_t, 3>& out) {
  const QStringList parts = ini.value(key).toString().split(' ', Qt::SkipEmptyParts);
  if (parts.size() != 3) return false;
  std::array<std::uint16_t, 3> v{};
  for (int i = 0; i < 3; ++i) {
    bool ok = false;
    const uint n = parts[i].trimmed().toUInt(&ok);
    if (!ok || n > 0xFFFF) return false;
    v[i] = static_cast<std::uint16_t>(n);
  }
  out = v;
  return true;
}

}  // namespace

ParamWords DefaultParams() {
  return {500, 0, 1, 1, 10, 0, 1, 0, 0, 0, 0, 3200, 3300, 0, 0, 5, 1};
}

int CheckParams(ParamWords& w) {
  const ParamWords d = DefaultParams();
  int count = 0;
  for (const Rule& r : kRules) {
    if (w[r.word] > r.max || w[r.word] < r.min) {
      w[r.word] = d[r.word];
      ++count;
    }
  }
  if (w[pw::kDynWinHi] > 4095) {
    w[pw::kDynWinHi] = d[pw::kDynWinHi];
    ++count;
  }
  if (w[pw::kDynWinLo] > w[pw::kDynWinHi]) {
    w[pw::kDynWinLo] = std::min(d[pw::kDynWinLo], w[pw::kDynWinHi]);
    ++count;
  }
  return count;
}

int CheckTeachRows(TeachRows& rows) {
  int count = 0;
  for (TeachRow& row : rows) {
    if (row[tw::kGroup] > 2) {
      row[tw::kGroup] = 0;
      ++count;
    }
  }
  return count;
}

SensorModel::SensorModel() {
  for (int s = 0; s < 2; ++s) {
    ram[s].params = PackParams(DefaultParams());
    ram[s].teach = PackTeach(DefaultTeach(s));
    eeprom[s] = ram[s];
  }
}

std::size_t SensorModel::BlockSize(int block) {
  if (block == 0 || block == 1) return kParamBytes;
  if (block >= 2 && block <= 5) return kTeachBytes / 2;
  return 0;
}

int SensorModel::WriteBlock(int block, const std::uint8_t* data) {
  if (block == 0 || block == 1) {
    std::array<std::uint8_t, kParamBytes> bytes{};
    std::memcpy(bytes.data(), data, kParamBytes);
    ParamWords w = UnpackParams(bytes);
    const int count = CheckParams(w);
    ram[block].params = PackParams(w);
    return count;
  }
  const int set = (block - 2) / 2;
  const int half = (block - 2) % 2;
  TeachRows rows = UnpackTeach(ram[set].teach);
  std::array<std::uint8_t, kTeachBytes> incoming = ram[set].teach;
  std::memcpy(incoming.data() + half * (kTeachBytes / 2), data, kTeachBytes / 2);
  TeachRows written = UnpackTeach(incoming);
  for (int r = half * 32; r < half * 32 + 32; ++r) {
    if (written[r][tw::kReserved] != rows[r][tw::kReserved]) {
      ++reservedMismatches;
      written[r][tw::kReserved] = rows[r][tw::kReserved];
    }
  }
  // Only the rows of this half are checked and counted.
  TeachRows half_rows{};
  for (int r = 0; r < 32; ++r) half_rows[r] = written[half * 32 + r];
  const int count = CheckTeachRows(half_rows);
  for (int r = 0; r < 32; ++r) written[half * 32 + r] = half_rows[r];
  ram[set].teach = PackTeach(written);
  return count;
}

void SensorModel::ReadBlock(int block, std::uint8_t* out) const {
  if (block == 0 || block == 1) {
    std::memcpy(out, ram[block].params.data(), kParamBytes);
    return;
  }
  const int set = (block - 2) / 2;
  const int half = (block - 2) % 2;
  std::memcpy(out, ram[set].teach.data() + half * (kTeachBytes / 2), kTeachBytes / 2);
}

void SensorModel::StoreEeprom() {
  eeprom[0] = ram[0];
  eeprom[1] = ram[1];
}

int SensorModel::LoadEeprom() {
  int count = 0;
  for (int s = 0; s < 2; ++s) {
    ParamWords w = UnpackParams(eeprom[s].params);
    TeachRows rows = UnpackTeach(eeprom[s].teach);
    count += CheckParams(w) + CheckTeachRows(rows);
    ram[s].params = PackParams(w);
    ram[s].teach = PackTeach(rows);
  }
  return count;
}

int SensorModel::WriteCalFactors(const std::array<std::uint16_t, 3>& cf) {
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    const bool ok = cf[i] <= kCfMax;
    calFactors[i] = ok ? cf[i] : kCfDefault;
    count += ok ? 0 : 1;
  }
  return count;
}

int SensorModel::WriteOffsets(const std::array<std::uint16_t, 3>& values) {
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    const bool ok = values[i] <= kOffsetMax;
    offsets[i] = ok ? values[i] : 0;
    count += ok ? 0 : 1;
  }
  return count;
}

bool SensorModel::Load(const QString& path, QString* message) {
  if (!QFile::exists(path)) return true;
  QSettings ini(path, QSettings::IniFormat);
  if (ini.status() != QSettings::NoError) {
    if (message) *message = QStringLiteral("EEPROM file %1 cannot be read; using defaults").arg(path);
    return false;
  }
  QStringList bad;
  for (int s = 0; s < 2; ++s) {
    const QString group = QStringLiteral("SET%1/").arg(s);
    if (!FromHex(ini.value(group + "PARAMS").toString(), eeprom[s].params)) bad << group + "PARAMS";
    std::array<std::uint8_t, kTeachBytes> teach{};
    if (FromHex(ini.value(group + "TEACH").toString(), teach)) {
      eeprom[s].teach = teach;
    } else {
      bad << group + "TEACH";
    }
  }
  if (!ReadTriple(ini, "CALIBRATION/FACTORS", calFactors)) bad << "CALIBRATION/FACTORS";
  if (!ReadTriple(ini, "CALIBRATION/OFFSETS", offsets)) bad << "CALIBRATION/OFFSETS";
  // The sensor starts from its EEPROM, checked like an order-4 load.
  LoadEeprom();
  WriteCalFactors(std::array<std::uint16_t, 3>(calFactors));
  WriteOffsets(std::array<std::uint16_t, 3>(offsets));
  if (!bad.isEmpty()) {
    if (message) *message = QStringLiteral("EEPROM file %1: defaults kept for %2").arg(path, bad.join(", "));
    return false;
  }
  return true;
}

bool SensorModel::Save(const QString& path) const {
  QSettings ini(path, QSettings::IniFormat);
  for (int s = 0; s < 2; ++s) {
    const QString group = QStringLiteral("SET%1/").arg(s);
    ini.setValue(group + "PARAMS", Hex(eeprom[s].params.data(), kParamBytes));
    ini.setValue(group + "TEACH", Hex(eeprom[s].teach.data(), kTeachBytes));
  }
  auto triple = [](const std::array<std::uint16_t, 3>& v) {
    return QStringLiteral("%1 %2 %3").arg(v[0]).arg(v[1]).arg(v[2]);
  };
  ini.setValue("CALIBRATION/FACTORS", triple(calFactors));
  ini.setValue("CALIBRATION/OFFSETS", triple(offsets));
  ini.sync();
  return ini.status() == QSettings::NoError;
}

}  // namespace trivolux::sim
