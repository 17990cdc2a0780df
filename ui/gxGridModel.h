#pragma once
// The rows behind the AP grid: per row the cell texts, the index of the
// type image and the AP record the row shows (none for rows read from a
// saved document). The record's own values only decide colours and the
// DHCP and Reboot boxes; every text shown is the row's cell text.

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QString>
#include <functional>
#include <vector>

namespace tervane {

class CAPinfo;

inline const QColor kKeyColumnsBackground{128, 255, 255};
inline const QColor kAccessPointMac{255, 0, 0};
inline const QColor kBridgeMac{0, 0, 0};
inline const QColor kOtherMac{255, 255, 0};
inline const QColor kCellBackground{255, 255, 255};
inline const QColor kCellText{0, 0, 0};

class gxGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Checked state of a DHCP or Reboot cell, read from the row's record.
  static constexpr int CheckedRole = Qt::UserRole + 1;

  static constexpr int kColType = 0;
  static constexpr int kColMac = 1;
  static constexpr int kColIp = 2;
  static constexpr int kColMask = 3;
  static constexpr int kColGateway = 4;
  static constexpr int kColDevName = 5;
  static constexpr int kColSsid = 6;
  static constexpr int kColChannel = 7;
  static constexpr int kColDhcp = 8;
  static constexpr int kColReboot = 9;

  explicit gxGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Index clamped into 0..count; returns the index used.
  int InsertColumn(int index, const QString& header);
  int InsertRow(int index, int image, CAPinfo* record, const QString& firstText = {});
  void Clear();

  bool SetText(int row, int column, const QString& text);
  QString Text(int row, int column) const;
  bool SetImage(int row, int image);
  int Image(int row) const;
  CAPinfo* Record(int row) const;

  void SetIcons(std::vector<QIcon> icons);

  // Reorders the rows by `less` keeping equal rows in their order; views
  // and selections follow the rows.
  void StableSortRows(const std::function<bool(const CAPinfo*, const CAPinfo*)>& less);

 private:
  struct Row {
    std::vector<QString> texts;
    int image = -1;
    CAPinfo* record = nullptr;
  };

  bool ValidCell(int row, int column) const;

  std::vector<QString> headers_;
  std::vector<Row> rows_;
  std::vector<QIcon> icons_;
};

}  // namespace tervane
