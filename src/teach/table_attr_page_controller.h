#pragma once
// The table-attributes page: the row-colour mode (manual or automatic, with
// the data panel's swatch), SET ROW COLOR, DEFAULT COLORS, and SAVE and LOAD
// of the table-attributes file.
#include <QObject>
#include <QString>

namespace trivolux {

class Panels;
class Popups;
class TableAttrController;

class TableAttrPageController : public QObject {
  Q_OBJECT
 public:
  TableAttrPageController(Panels& panels, Popups& popups, TableAttrController& tableAttr,
                          QObject* parent = nullptr);

  void InitSrcPanel();
  void SetRowColor();
  void SaveTableSettings();
  void GetTableSettings();

 public slots:
  void CBF_ButtonTableAttrReset();

 private:
  Panels& panels_;
  Popups& popups_;
  TableAttrController& tableAttr_;
};

}  // namespace trivolux
