#pragma once
// The Qt side of the INI store next to IniText::ReadFromFile and WriteToFile
// (all in ini_file.cpp): the message for a failed read, the same atomic
// replacement for other files, and the clean-up of temporary files that a
// killed save left behind.
#include <QString>
#include <chrono>
#include <string>

namespace trivolux {

// A message for the user about a ReadFromFile result that names the file
// (kFileTooLarge, kCannotOpen, kOutOfMemory and any other code); "" for 0.
QString IniReadErrorText(int code, const QString& path);

// Replaces the file at path with bytes the way IniText::WriteToFile writes:
// a temporary "ini$$XXXXXX" beside it, synced and renamed over it, so the old
// file stays whole until the new one is, and a killed write leaves only a
// temporary that RemoveStaleIniTemporaries removes. 0 or the store's error code.
int ReplaceFileContents(const QString& path, const std::string& bytes);

// Removes the regular files in directory that are named exactly like the
// temporaries of WriteToFile ("ini$$" and six ASCII letters or digits) and
// were last modified at least minimumAge ago and that no live writer holds
// (RemoveAbandonedTemporaries); anything else stays. A save in progress keeps
// its temporary fresh, so one minute spares a second instance's save. Returns
// the number of files removed.
int RemoveStaleIniTemporaries(const QString& directory, std::chrono::seconds minimumAge);

}  // namespace trivolux
