#pragma once
// The popups around a file in the parameter file's format (parameter, table
// attributes): choosing it, agreeing to an unexpected header, and the outcome
// of a save. kind names the file in the texts ("parameter").
#include <QString>

class QElapsedTimer;

namespace trivolux {

class IniText;
class Panels;
class Popups;
struct FileRequest;

// The file chosen (an existing one unless request.save); "" after "No file was selected!".
QString SelectFileOrSay(Popups& popups, const FileRequest& request);
// True when the file read into ini is of fileType and this version, or the
// user agreed to each that is not; "No parameter where read!" after a No.
bool ConfirmFileHeader(Popups& popups, const IniText& ini, const char* fileType, const char* kind);
// Writes ini to path (through a temporary: a failed write leaves the old file),
// leaves the line of what, timed from clock, in the status strip and tells
// the user when the file could not be written.
bool SaveFileReported(Panels& panels, Popups& popups, const IniText& ini, const QString& path,
                      const QString& what, const QElapsedTimer& clock, const char* kind);

}  // namespace trivolux
