#pragma once
// Alt+letter access to the captioned controls of a page or panel.
class QWidget;

namespace trivolux {

// Gives every caption below root (a QLabel with a buddy) whose control takes
// keyboard focus and is not read-only a mnemonic letter that no other caption
// or button below root uses: the first free initial of one of its words, else
// its first free letter; a caption without a free letter gets none. The letter
// is marked by an "&" inserted into the caption's text, which Qt shows as an
// underline and leaves out of accessible names. A later setText drops the mark.
void AssignMnemonics(QWidget* root);

}  // namespace trivolux
