#include "platform/core/sorted_list_model.h"

#include "platform/core/cp1252.h"

#include <QMetaObject>

#include <algorithm>

namespace platform {

QByteArray sortKey(const QString& text) {
  QByteArray key(text.size(), Qt::Uninitialized);
  char* dst = key.data();
  const QChar* src = text.constData();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = src[i].unicode();
    unsigned char b;
    if (u < 0x80) b = (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : static_cast<unsigned char>(u);
    else b = cp1252::lowerByte(cp1252::toByte(src[i]));
    dst[i] = static_cast<char>(b);
  }
  return key;
}

SortedListModel::SortedListModel(bool sorted, QObject* parent) : QAbstractListModel(parent), sorted_(sorted) {}

void SortedListModel::normalize() const {
  if (!sorted_ || sortedPrefix_ == items_.size()) {
    sortedPrefix_ = items_.size();
    return;
  }
  auto less = [](const Item& a, const Item& b) { return a.key < b.key; };
  auto mid = items_.begin() + static_cast<std::ptrdiff_t>(sortedPrefix_);
  std::stable_sort(mid, items_.end(), less);
  std::inplace_merge(items_.begin(), mid, items_.end(), less);
  sortedPrefix_ = items_.size();
}

void SortedListModel::changed() {
  if (flushQueued_) return;
  flushQueued_ = true;
  QMetaObject::invokeMethod(this, &SortedListModel::flush, Qt::QueuedConnection);
}

void SortedListModel::flush() {
  flushQueued_ = false;
  normalize();
  beginResetModel();
  viewRows_ = static_cast<int>(items_.size());
  endResetModel();
  emit flushed();
}

int SortedListModel::count() const { return static_cast<int>(items_.size()); }

const QString& SortedListModel::text(int row) const {
  normalize();
  return items_.at(static_cast<std::size_t>(row)).text;
}

void SortedListModel::setText(int row, const QString& text) {
  normalize();
  Item& it = items_.at(static_cast<std::size_t>(row));
  it.text = text;
  it.key = sorted_ ? sortKey(text) : QByteArray();
  if (row < viewRows_) emit dataChanged(index(row), index(row));
}

void SortedListModel::transformTexts(const std::function<QString(const QString&)>& change) {
  normalize();
  for (auto& it : items_) {
    it.text = change(it.text);
    if (sorted_) it.key = sortKey(it.text);
  }
  changed();
}

bool SortedListModel::selected(int row) const {
  normalize();
  return items_.at(static_cast<std::size_t>(row)).selected;
}

void SortedListModel::setSelected(int row, bool on) {
  normalize();
  Item& it = items_.at(static_cast<std::size_t>(row));
  if (it.selected == on) return;
  it.selected = on;
  selCount_ += on ? 1 : -1;
  if (row < viewRows_) emit dataChanged(index(row), index(row));
}

void SortedListModel::setAllSelected(bool on) {
  for (auto& it : items_) it.selected = on;
  selCount_ = on ? count() : 0;
  changed();
}

void SortedListModel::add(const QString& text, qint64 payload) {
  items_.push_back(Item{text, sorted_ ? sortKey(text) : QByteArray(), false, payload});
  if (!sorted_) sortedPrefix_ = items_.size();
  changed();
}

void SortedListModel::addMany(const QStringList& lines, const std::vector<qint64>& payloads) {
  const bool carried = payloads.size() == static_cast<std::size_t>(lines.size());
  items_.reserve(items_.size() + static_cast<std::size_t>(lines.size()));
  for (qsizetype i = 0; i < lines.size(); ++i)
    items_.push_back(Item{lines[i], sorted_ ? sortKey(lines[i]) : QByteArray(), false,
                          carried ? payloads[static_cast<std::size_t>(i)] : 0});
  if (!sorted_) sortedPrefix_ = items_.size();
  changed();
}

void SortedListModel::removeAt(int row) {
  normalize();
  auto pos = items_.begin() + row;
  if (pos->selected) --selCount_;
  items_.erase(pos);
  sortedPrefix_ = items_.size();
  if (currentRow_ >= count()) currentRow_ = -1;
  changed();
}

void SortedListModel::clear() {
  items_.clear();
  sortedPrefix_ = 0;
  selCount_ = 0;
  currentRow_ = -1;
  changed();
}

void SortedListModel::takeAllFrom(SortedListModel& other) {
  if (&other == this) return;
  other.normalize();
  if (sorted_ != other.sorted_) {
    const QStringList lines = other.texts();
    const std::vector<qint64> payloads = other.payloads();
    other.clear();
    addMany(lines, payloads);
    return;
  }
  for (auto& it : other.items_) it.selected = false;
  if (items_.empty()) {
    items_.swap(other.items_);
    sortedPrefix_ = items_.size();
    selCount_ = 0;
  } else {
    items_.insert(items_.end(), std::make_move_iterator(other.items_.begin()),
                  std::make_move_iterator(other.items_.end()));
    if (!sorted_) sortedPrefix_ = items_.size();
  }
  other.clear();
  changed();
}

QStringList SortedListModel::texts() const {
  normalize();
  QStringList out;
  out.reserve(count());
  for (const auto& it : items_) out.append(it.text);
  return out;
}

qint64 SortedListModel::payload(int row) const {
  normalize();
  return items_.at(static_cast<std::size_t>(row)).payload;
}

std::vector<qint64> SortedListModel::payloads() const {
  normalize();
  std::vector<qint64> out;
  out.reserve(items_.size());
  for (const auto& it : items_) out.push_back(it.payload);
  return out;
}

int SortedListModel::findPrefix(const QString& prefix, int from) const {
  normalize();
  const int n = count();
  if (n == 0) return -1;
  const QByteArray key = sortKey(prefix);
  if (from < 0 || from >= n) from = 0;
  for (int k = 0; k < n; ++k) {
    const int row = (from + k) % n;
    const Item& it = items_[static_cast<std::size_t>(row)];
    const QByteArray itemKey = sorted_ ? it.key : sortKey(it.text);
    if (itemKey.startsWith(key)) return row;
  }
  return -1;
}

void SortedListModel::setCurrentRow(int row) {
  const int old = currentRow_;
  currentRow_ = row;
  if (old >= 0 && old < viewRows_) emit dataChanged(index(old), index(old));
  if (row >= 0 && row < viewRows_) emit dataChanged(index(row), index(row));
}

void SortedListModel::setColours(QColor highlightBack, QColor highlightText) {
  hiBack_ = highlightBack;
  hiText_ = highlightText;
}

int SortedListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : viewRows_; }

QVariant SortedListModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row < 0 || row >= count()) return {};
  normalize();
  const Item& it = items_[static_cast<std::size_t>(row)];
  const bool lit = (highlightSelected_ && it.selected) || (highlightCurrent_ && row == currentRow_);
  switch (role) {
    case Qt::DisplayRole: return it.text;
    case Qt::CheckStateRole:
      if (checkBoxes_) return it.selected ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::BackgroundRole:
      if (lit && hiBack_.isValid()) return hiBack_;
      return {};
    case Qt::ForegroundRole:
      if (lit && hiText_.isValid()) return hiText_;
      return {};
    default: return {};
  }
}

Qt::ItemFlags SortedListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled;
}

}  // namespace platform
