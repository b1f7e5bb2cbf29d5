#pragma once
// Editable combo box for the server address with a most-recently-used list
// (newest first). Typing never adds items by itself; the connection code
// calls AddRecent with the address it accepted.
#include <QComboBox>

namespace trivolux {

class AddressComboBox : public QComboBox {
  Q_OBJECT
 public:
  static constexpr int kDefaultMaxRecent = 10;

  explicit AddressComboBox(QWidget* parent = nullptr);

  void InsertAtTop(const QString& text);
  // Index of the item with exactly this text, or -1.
  int FindText(const QString& text) const;
  // Out-of-range indices are ignored.
  void DeleteItem(int index);
  // Deletes the items from index to the end (nothing when index >= Count()).
  void DeleteFrom(int index);
  int Count() const { return count(); }
  // The text in the edit field (not necessarily a list item).
  QString Text() const { return currentText(); }
  void SetText(const QString& text) { setEditText(text); }
  // Most-recently-used rule: remove text if listed, insert it at the top, cut
  // the list to maxItems. Empty texts are not listed. The edit field keeps
  // showing text.
  void AddRecent(const QString& text, int maxItems = kDefaultMaxRecent);
  QStringList Items() const;
};

}  // namespace trivolux
