#include "gxGridModel.h"

#include <QBrush>
#include <algorithm>
#include <numeric>

#include "CAPinfo.h"

namespace tervane {

gxGridModel::gxGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int gxGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int gxGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

bool gxGridModel::ValidCell(int row, int column) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) && column >= 0 &&
         column < static_cast<int>(headers_.size());
}

QVariant gxGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !ValidCell(index.row(), index.column())) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return row.texts[static_cast<std::size_t>(column)];
    case Qt::DecorationRole:
      if (column == kColType && row.image >= 0 &&
          row.image < static_cast<int>(icons_.size())) {
        return icons_[static_cast<std::size_t>(row.image)];
      }
      return {};
    case Qt::ForegroundRole:
      if (column == kColMac && row.record) {
        switch (row.record->type) {
          case 'A': return QBrush(kAccessPointMac);
          case 'S': return QBrush(kBridgeMac);
          default: return QBrush(kOtherMac);
        }
      }
      return QBrush(kCellText);
    case Qt::BackgroundRole:
      return QBrush(column <= kColMac ? kKeyColumnsBackground : kCellBackground);
    case CheckedRole:
      if (!row.record) return false;
      if (column == kColDhcp) return row.record->dhcp == "1";
      if (column == kColReboot) return row.record->reboot != 0;
      return {};
    default:
      return {};
  }
}

QVariant gxGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      section >= static_cast<int>(headers_.size())) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::DisplayRole) return headers_[static_cast<std::size_t>(section)];
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

int gxGridModel::InsertColumn(int index, const QString& header) {
  index = std::clamp(index, 0, static_cast<int>(headers_.size()));
  beginInsertColumns({}, index, index);
  headers_.insert(headers_.begin() + index, header);
  for (Row& row : rows_) row.texts.insert(row.texts.begin() + index, QString());
  endInsertColumns();
  return index;
}

int gxGridModel::InsertRow(int index, int image, CAPinfo* record, const QString& firstText) {
  index = std::clamp(index, 0, static_cast<int>(rows_.size()));
  Row row;
  row.texts.resize(headers_.size());
  if (!row.texts.empty()) row.texts[0] = firstText;
  row.image = image;
  row.record = record;
  beginInsertRows({}, index, index);
  rows_.insert(rows_.begin() + index, std::move(row));
  endInsertRows();
  return index;
}

void gxGridModel::Clear() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

bool gxGridModel::SetText(int row, int column, const QString& text) {
  if (!ValidCell(row, column)) return false;
  QString& cell = rows_[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)];
  if (cell == text) return true;
  cell = text;
  const QModelIndex at = index(row, column);
  emit dataChanged(at, at, {Qt::DisplayRole});
  return true;
}

QString gxGridModel::Text(int row, int column) const {
  if (!ValidCell(row, column)) return {};
  return rows_[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)];
}

bool gxGridModel::SetImage(int row, int image) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return false;
  rows_[static_cast<std::size_t>(row)].image = image;
  if (!headers_.empty()) {
    const QModelIndex at = index(row, kColType);
    emit dataChanged(at, at, {Qt::DecorationRole});
  }
  return true;
}

int gxGridModel::Image(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return -1;
  return rows_[static_cast<std::size_t>(row)].image;
}

CAPinfo* gxGridModel::Record(int row) const {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
  return rows_[static_cast<std::size_t>(row)].record;
}

void gxGridModel::SetIcons(std::vector<QIcon> icons) {
  icons_ = std::move(icons);
  if (!rows_.empty() && !headers_.empty()) {
    emit dataChanged(index(0, kColType), index(static_cast<int>(rows_.size()) - 1, kColType),
                     {Qt::DecorationRole});
  }
}

void gxGridModel::StableSortRows(
    const std::function<bool(const CAPinfo*, const CAPinfo*)>& less) {
  const int count = static_cast<int>(rows_.size());
  std::vector<int> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return less(rows_[static_cast<std::size_t>(a)].record,
                rows_[static_cast<std::size_t>(b)].record);
  });

  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> newRowOf(rows_.size());
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  for (int i = 0; i < count; ++i) {
    newRowOf[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i;
    sorted.push_back(std::move(rows_[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])]));
  }
  rows_ = std::move(sorted);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    after.append(index(newRowOf[static_cast<std::size_t>(old.row())], old.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace tervane
