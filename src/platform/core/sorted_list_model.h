// The item store behind every list box: a vector of lines with a selection flag each,
// optionally kept in ascending case-insensitive order of the whole text (equal texts keep the
// order they were added in). Additions are sorted in bulk the next time the list is read, so
// adding tens of thousands of lines costs one sort, not one shift per line. Each line may carry
// a number of the caller's beside it (as the old lists' ItemData), which goes wherever the line
// goes: through sorting, rewrites of its text and removals.
#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace platform {

// The sort key of a line: its Windows-1252 bytes folded to lower case.
QByteArray sortKey(const QString& text);

class SortedListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  explicit SortedListModel(bool sorted, QObject* parent = nullptr);

  bool isSorted() const { return sorted_; }

  int count() const;
  const QString& text(int row) const;
  void setText(int row, const QString& text);  // stays in place, as the old lists did
  // Rewrites every line in place with a change that keeps the order (a change of case).
  void transformTexts(const std::function<QString(const QString&)>& change);
  bool selected(int row) const;
  void setSelected(int row, bool on);
  int selectedCount() const { return selCount_; }
  void setAllSelected(bool on);

  void add(const QString& text, qint64 payload = 0);
  // `payloads` is empty (every line carries 0) or holds one number a line.
  void addMany(const QStringList& lines, const std::vector<qint64>& payloads = {});
  void removeAt(int row);
  void clear();
  // Moves every line of another list here, sort keys and all, unselected; the other list is
  // left empty.
  void takeAllFrom(SortedListModel& other);
  QStringList texts() const;
  qint64 payload(int row) const;
  std::vector<qint64> payloads() const;

  // First row at or after `from` (wrapping) whose text starts with `prefix`, ignoring case.
  int findPrefix(const QString& prefix, int from = 0) const;

  // Display: whether rows carry a check box, which row is current, the colours.
  void setCheckBoxes(bool on) { checkBoxes_ = on; }
  void setCurrentRow(int row);
  void setHighlightSelected(bool on) { highlightSelected_ = on; }
  void setHighlightCurrent(bool on) { highlightCurrent_ = on; }
  void setColours(QColor highlightBack, QColor highlightText);

  // Brings the attached views up to date; runs on its own shortly after any change.
  void flush();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  void flushed();

 private:
  struct Item {
    QString text;
    QByteArray key;
    bool selected = false;
    qint64 payload = 0;
  };
  void normalize() const;
  void changed();

  bool sorted_;
  mutable std::vector<Item> items_;
  mutable std::size_t sortedPrefix_ = 0;  // items_[0, sortedPrefix_) are in order
  int selCount_ = 0;
  int viewRows_ = 0;  // the row count the views were last told
  bool flushQueued_ = false;
  bool checkBoxes_ = false;
  bool highlightSelected_ = false;
  bool highlightCurrent_ = false;
  int currentRow_ = -1;
  QColor hiBack_, hiText_;
};

}  // namespace platform
