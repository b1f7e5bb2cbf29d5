#pragma once
// IniTextCodec: converts the byte values of IniText to and from QString
// without losing bytes that are not UTF-8. Files written by the Windows
// program hold text in a Windows code page (PANEL ID "M\xFC" "ller" with 0xFC
// for u-umlaut); decoding those bytes as UTF-8 would turn them into U+FFFD.
//
// Use one codec for the values of one file, kept from reading to writing:
//   IniTextCodec codec;
//   ini.GetString(section, tag, maxChars, &bytes);
//   edit->setText(codec.Decode(bytes));
//   ...
//   ini.PutString(section, tag, codec.Encode(edit->text()));
// An unchanged text is written back as the bytes it was read from; a text
// typed by the user is written as UTF-8.
#include <QHash>
#include <QString>
#include <string>
#include <string_view>

namespace trivolux {

class IniTextCodec {
 public:
  // Valid UTF-8 is decoded as UTF-8 (a leading byte order mark stays as
  // U+FEFF). Anything else is decoded as Windows-1252 and its bytes are
  // remembered for Encode; the five bytes the code page leaves unassigned
  // (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same value.
  QString Decode(std::string_view bytes);
  // The same for a value limited to maxChars characters: UTF-8 is cut after
  // whole code points (never inside a surrogate pair), code-page text after
  // maxChars bytes, and Encode gives back exactly the bytes kept.
  QString Decode(std::string_view bytes, std::size_t maxChars);
  // The bytes that the latest Decode producing this text was given, when they
  // were not UTF-8; the UTF-8 form of the text otherwise.
  std::string Encode(const QString& text) const;

 private:
  QHash<QString, std::string> originals_;
};

}  // namespace trivolux
