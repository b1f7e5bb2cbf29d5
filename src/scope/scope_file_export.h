#pragma once
// Files the scope writes at the user's choice: the target is chosen in the
// file popup (the suffix added when it was not typed, an existing file
// replaced only after a Yes), and the scan's CSV is written completely or
// not at all.
#include <QByteArray>
#include <QString>

namespace trivolux {

class Popups;

// The path chosen in a save dialog that starts in directory with
// defaultName; empty when the dialog was cancelled or the overwrite declined.
// suffix without the dot, e.g. "pdf".
QString ChooseFileToWrite(Popups& popups, const QString& directory, const QString& defaultName,
                          const QString& suffix, const QString& title);

// Asks for a file and writes csv into it, then says where it went or why it
// could not. *directory is where the dialog starts and becomes the chosen
// file's directory. Returns true when the file was written.
bool ExportScopeCsv(Popups& popups, const QByteArray& csv, const QString& defaultName, QString* directory);

}  // namespace trivolux
