#pragma once
// The right-click help texts: one entry per control callback, with the title
// and the text of the message popup. Texts keep their blanks (also trailing
// ones) and their line breaks exactly.
#include <QString>
#include <cstddef>

namespace trivolux {

struct HelpEntry {
  const char* callback;  // e.g. "CBF_ButtonSend"
  const char* title;     // "INFO!", or "Info" on the table-attributes page
  const char* text;
};

// All entries, in the order of the panels and pages.
const HelpEntry* HelpEntries();
std::size_t HelpEntryCount();
// The entry of a callback name, or nullptr (panel callbacks, pure displays
// and the teach grid have none).
const HelpEntry* FindHelp(const QString& callback);

}  // namespace trivolux
