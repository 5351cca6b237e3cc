#pragma once
#include <QVector>

#include "skinui/MListBase.h"

namespace DUI {

// One macro event as the list holds it: the shown text, the event type
// (1 delay, 2 key down, 3 key up, 4 button down, 5 button up), its value and
// the timestamp that pairs a press with its release.
struct RecordItem {
  QString text;
  int type = 0;
  int value = 0;
  int timestamp = 0;
};

// The macro event list. Safe from any thread. Events are MListBase's
// (param = row index): 2 selected, 5 right click, 30 arrow keys.
class CRecordList : public MListBase {
  Q_OBJECT

 public:
  CRecordList(QWidget* parent, int id);

  void SetItemImage(const QString& name);  // icon at the start of each row

  int AddItem(const RecordItem& item);              // returns the index
  int InsertItem(int index, const RecordItem& item);  // -1 (or past the end) appends
  bool DeleteItem(int index);
  void DeleteAllItems();
  bool SwapItem(int first, int second);  // the selection follows neither
  int MoveToTop(int index);     // returns the new index, -1 when missing
  int MoveToBottom(int index);  // returns the new index, -1 when missing
  bool GetItem(int index, RecordItem* item) const;
  int GetItemTimestamp(int index) const;  // -1 when missing
  bool SetItem(int index, const RecordItem& item);
  // Changes text and value of the item with this timestamp and type.
  bool SetItemByTimestamp(int timestamp, int type, const QString& text, int value);
  QVector<RecordItem> GetAllItems() const;
  // Key and button events, delays not counted (the recording limit).
  int GetEventCount() const;

 protected:
  int RowCount() const override;
  void PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) override;

 private:
  QVector<RecordItem> items_;
  QString itemImage_;
};

}  // namespace DUI
