#pragma once
// Editable combo box for the server address with a most-recently-used list
// (newest first). Typing never adds items by itself; the connection code
// calls AddRecent with the address the user committed.
#include <QComboBox>

namespace trivolux {

class AddressComboBox : public QComboBox {
  Q_OBJECT
 public:
  static constexpr int kDefaultMaxRecent = 10;

  explicit AddressComboBox(QWidget* parent = nullptr);

  // Most-recently-used rule: remove text (trimmed) if listed, insert it at
  // the top, cut the list to maxItems. Blank texts are not listed. The edit
  // field shows the text afterwards.
  void AddRecent(const QString& text, int maxItems = kDefaultMaxRecent);
  QStringList Items() const;
};

}  // namespace trivolux
