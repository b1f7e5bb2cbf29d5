#include "ini/ini_codec.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace trivolux {

namespace {

// Windows-1252 from 0x80 to 0x9F; the unassigned bytes keep their value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

// Every byte's character: ASCII and 0xA0..0xFF are Latin-1.
constexpr std::array<char16_t, 256> MakeWindows1252() {
  std::array<char16_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    table[static_cast<std::size_t>(byte)] =
        byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return table;
}

constexpr std::array<char16_t, 256> kWindows1252 = MakeWindows1252();

}  // namespace

QString IniTextCodec::Decode(std::string_view bytes) {
  return Decode(bytes, std::string_view::npos);
}

QString IniTextCodec::Decode(std::string_view bytes, std::size_t maxChars) {
  const auto utf8 = [](std::string_view part, bool* valid) {
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(QByteArrayView(part.data(), static_cast<qsizetype>(part.size())));
    *valid = !decoder.hasError();
    return text;
  };
  bool valid = false;
  QString text = utf8(bytes, &valid);
  if (valid) {
    // Every byte but a continuation byte (10xxxxxx) starts a code point.
    std::size_t chars = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80 && chars++ == maxChars) {
        text = utf8(bytes.substr(0, i), &valid);
        break;
      }
    }
    originals_.remove(text);
    return text;
  }
  bytes = bytes.substr(0, std::min(bytes.size(), maxChars));
  text.resize(static_cast<qsizetype>(bytes.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[static_cast<qsizetype>(i)] = QChar(kWindows1252[static_cast<unsigned char>(bytes[i])]);
  }
  originals_.insert(text, std::string(bytes));
  return text;
}

std::string IniTextCodec::Encode(const QString& text) const {
  const auto original = originals_.constFind(text);
  return original != originals_.constEnd() ? *original : text.toStdString();
}

}  // namespace trivolux
