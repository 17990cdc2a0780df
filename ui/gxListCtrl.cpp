#include "gxListCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QToolTip>
#include <algorithm>
#include <cctype>

#include "APList.h"
#include "CAPinfo.h"
#include "CCheckBox.h"
#include "CInPlaceList.h"
#include "Latin1.h"
#include "MessageBox.h"
#include "SettingsChecks.h"
#include "gxEditCell.h"
#include "gxGridDelegate.h"

// The row images live in the library's resource file, which a static
// library must register explicitly.
static void InitUiResources() { Q_INIT_RESOURCE(tervane_ui); }

namespace tervane {

namespace {

using M = gxGridModel;

QString Text(std::string_view message) { return QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())); }

// The sort memory of the whole program: the last sorted column and
// direction. Never reset, so it outlives a refresh and the grid itself.
struct SortMemory {
  int column = -1;
  bool ascending = true;
};
SortMemory& LastSort() {
  static SortMemory memory;
  return memory;
}

// Compares two byte texts ignoring the case of A to Z.
int CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

QPixmap RenderSvg(QSvgRenderer& renderer, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter, QRectF(0, 0, size, size));
  painter.end();
  return QPixmap::fromImage(image);
}

}  // namespace

gxListCtrl::gxListCtrl(QWidget* parent) : QTableView(parent) {
  InitUiResources();
  model_ = new gxGridModel(this);
  setModel(model_);
  delegate_ = new gxGridDelegate(this);
  setItemDelegate(delegate_);

  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(std::max(18, fontMetrics().height() + 4));
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(true);
  header->setHighlightSections(false);
  header->setSortIndicatorShown(false);
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(0);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(header, &QHeaderView::sectionClicked, this, &gxListCtrl::OnColumnClick);

  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);  // only the grid's own editors
  setTabKeyNavigation(false);
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setSortingEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setIconSize(QSize(16, 16));

  // Scrolling by the operator ends an open editor, which would otherwise
  // be left over a cell that has moved away.
  auto takeFocus = [this](int) { TakeFocus(); };
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, takeFocus);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, takeFocus);

  LoadImages();
}

gxListCtrl::~gxListCtrl() {
  // An editor that still has the focus would report to a grid in pieces.
  for (QWidget* child : viewport()->findChildren<QWidget*>()) {
    if (auto* editor = dynamic_cast<gxEditorLink*>(child)) editor->Detach();
  }
}

void gxListCtrl::LoadImages() {
  // Image order: the access point, the client, and both once updated.
  static const char* const kIcons[] = {":/tervane/icons/icon157.svg", ":/tervane/icons/icon156.svg",
                                       ":/tervane/icons/icon158.svg", ":/tervane/icons/icon159.svg"};
  std::vector<QIcon> icons;
  for (const char* path : kIcons) {
    QSvgRenderer renderer{QString::fromLatin1(path)};
    QPixmap large = RenderSvg(renderer, 32);
    QPixmap small = RenderSvg(renderer, 16);
    QIcon icon;
    icon.addPixmap(small);
    icon.addPixmap(large);
    icons.push_back(icon);
    m_largeImages.push_back(large);
    m_smallImages.push_back(small);
  }
  model_->SetIcons(std::move(icons));
}

// --- Operations of the owning view ---------------------------------------------

int gxListCtrl::InsertColumn(int index, const QString& header, int width) {
  const int at = model_->InsertColumn(index, header);
  setColumnWidth(at, width);
  return at;
}

int gxListCtrl::InsertItem(int index, int image, CAPinfo* record) {
  return model_->InsertRow(index, image, record);
}

int gxListCtrl::InsertItem(int index, const QString& text) {
  return model_->InsertRow(index, -1, nullptr, text);
}

bool gxListCtrl::SetItemText(int row, int column, const QString& text) {
  return model_->SetText(row, column, text);
}

bool gxListCtrl::SetItemText(int row, int column, const std::string& bytes) {
  return model_->SetText(row, column, FromLatin1(bytes));
}

QString gxListCtrl::GetItemText(int row, int column) const { return model_->Text(row, column); }

bool gxListCtrl::SetItemImage(int row, int image) { return model_->SetImage(row, image); }

int gxListCtrl::GetItemImage(int row) const { return model_->Image(row); }

CAPinfo* gxListCtrl::GetItemData(int row) const { return model_->Record(row); }

void gxListCtrl::DeleteAllItems() {
  EndOpenEditor();
  model_->Clear();
}

int gxListCtrl::GetItemCount() const { return model_->rowCount(); }

bool gxListCtrl::GetItemSelected(int row) const {
  return ValidRow(row) && selectionModel()->isRowSelected(row, {});
}

void gxListCtrl::SetItemSelected(int row, bool selected) {
  if (!ValidRow(row)) return;
  selectionModel()->select(model_->index(row, 0),
                           (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                               QItemSelectionModel::Rows);
}

int gxListCtrl::GetNextSelectedItem(int after) const {
  for (int row = std::max(after + 1, 0); row < GetItemCount(); ++row) {
    if (selectionModel()->isRowSelected(row, {})) return row;
  }
  return -1;
}

void gxListCtrl::SelectAll() {
  const int rows = GetItemCount();
  const int columns = model_->columnCount();
  if (rows == 0 || columns == 0) return;
  selectionModel()->select(
      QItemSelection(model_->index(0, 0), model_->index(rows - 1, columns - 1)),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool gxListCtrl::EnsureVisible(int row) {
  if (!ValidRow(row)) return false;
  executeDelayedItemsLayout();
  const int top = rowViewportPosition(row);
  const int height = rowHeight(row);
  const int visible = viewport()->height();
  if (top + height > 0 && top < visible) return true;
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->value() + (top < 0 ? top : top + height - visible));
  return true;
}

void gxListCtrl::FitToClient(int width, int height) {
  setGeometry(0, 0, width, height);
  viewport()->update();
}

void gxListCtrl::TakeFocus() {
  if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

void gxListCtrl::EndOpenEditor() {
  QWidget* focus = QApplication::focusWidget();
  if (focus && viewport()->isAncestorOf(focus)) setFocus(Qt::OtherFocusReason);
}

// --- Opening editors --------------------------------------------------------------

bool gxListCtrl::EditorRect(int row, int column, QRect* rect) {
  int left = columnViewportPosition(column);
  if (left < 0 || left > viewport()->width()) {
    // Bring the column to the left edge.
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() + left);
    left = columnViewportPosition(column);
  }
  left += 4;
  const int right = std::min(left + columnWidth(column) - 3, viewport()->width());
  *rect = QRect(left, rowViewportPosition(row), std::max(right - left, 1), rowHeight(row));
  return true;
}

gxEditCell* gxListCtrl::OpenTextEditor(int row, int column) {
  // The columns without a text box: Type and MAC are keys, DHCP and
  // Reboot are check boxes whose commit reads the box.
  if (row < 0 || row >= GetItemCount() || column < M::kColIp || column > M::kColReboot ||
      column == M::kColDhcp || column == M::kColReboot) {
    return nullptr;
  }
  EndOpenEditor();
  if (!EnsureVisible(row)) return nullptr;
  m_nCurRow = row;
  m_nCurCol = column;
  if (column >= model_->columnCount() || columnWidth(column) < 5) return nullptr;
  QRect rect;
  if (!EditorRect(row, column, &rect)) return nullptr;
  auto* editor = new gxEditCell(this, row, column, GetItemText(row, column), viewport());
  editor->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  editor->setGeometry(rect);
  editor->show();
  editor->setFocus(Qt::OtherFocusReason);
  return editor;
}

CInPlaceList* gxListCtrl::OpenChannelList(int row, int column, const QStringList& items,
                                          int selection) {
  EndOpenEditor();
  if (!EnsureVisible(row)) return nullptr;
  if (column < 0 || column >= model_->columnCount() || columnWidth(column) < 10) return nullptr;
  m_nCurRow = row;
  m_nCurCol = column;
  QRect rect;
  if (!EditorRect(row, column, &rect)) return nullptr;
  auto* list = new CInPlaceList(this, row, column, items, selection, viewport());
  list->setMaxVisibleItems(5);  // room for five entries below the cell
  list->setGeometry(rect);
  list->view()->setMinimumWidth(columnWidth(column));
  list->show();
  list->setFocus(Qt::OtherFocusReason);
  return list;
}

CCheckBox* gxListCtrl::OpenCheckEditor(int row, int column) {
  EndOpenEditor();
  if (!EnsureVisible(row)) return nullptr;
  if (column < 0 || column >= model_->columnCount()) return nullptr;
  m_nCurRow = row;
  m_nCurCol = column;
  const CAPinfo* record = GetItemData(row);
  if (!record) return nullptr;  // nothing to switch on a row without a device
  QRect rect;
  if (!EditorRect(row, column, &rect)) return nullptr;
  auto* box = new CCheckBox(this, row, column, viewport());
  QPalette palette = box->palette();
  palette.setColor(QPalette::Window, kCellBackground);
  palette.setColor(QPalette::Button, kCellBackground);
  box->setBackgroundRole(QPalette::Window);
  box->setPalette(palette);
  box->setGeometry(rect);
  box->setChecked(column == M::kColDhcp ? record->dhcp == "1" : record->reboot != 0);
  box->show();
  box->setFocus(Qt::OtherFocusReason);
  return box;
}

QStringList gxListCtrl::ChannelItems(int row, int* selection) const {
  QStringList items;
  const CAPinfo* record = GetItemData(row);
  const bool withAuto = !(record && record->type == 'A');
  if (withAuto) items << QStringLiteral("Auto");
  for (int channel = 1; channel <= 11; ++channel) items << QString::number(channel);
  const QString cell = GetItemText(row, M::kColChannel);
  const long number = LeadingNumber(ToLatin1(cell));
  int chosen = -1;
  if (cell == QLatin1String("Auto") || number == 0) {
    chosen = withAuto ? 0 : -1;
  } else if (number >= 1 && number <= 11) {
    chosen = static_cast<int>(number) - (withAuto ? 0 : 1);
  }
  if (selection) *selection = chosen;
  return items;
}

// --- Hit tests --------------------------------------------------------------------

int gxListCtrl::CellRectAtPoint(const QPoint& point, QRect* cell, int* column) const {
  const int row = rowAt(point.y());
  if (row < 0) return -1;
  int left = columnViewportPosition(0);
  for (int c = 0; c < model_->columnCount(); ++c) {
    const int width = columnWidth(c);
    // A point on the border between two columns belongs to the left one.
    if (point.x() >= left && point.x() <= left + width) {
      if (column) *column = c;
      if (cell) {
        const int right = std::min(left + width, viewport()->width());
        *cell = QRect(left, rowViewportPosition(row), right - left, rowHeight(row));
      }
      return row;
    }
    left += width;
  }
  return -1;
}

int gxListCtrl::CellFromPoint(const QPoint& point, int* column) const {
  return CellRectAtPoint(point, nullptr, column);
}

// --- Keys and mouse ---------------------------------------------------------------

bool gxListCtrl::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QTableView::event(event);
}

void gxListCtrl::keyPressEvent(QKeyEvent* event) {
  if (HandleKeyDown(event->key(), event->modifiers())) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool gxListCtrl::HandleKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  const int count = GetItemCount();
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      MoveToNextCell(!(modifiers & Qt::ShiftModifier) && key != Qt::Key_Backtab);
      return true;
    case Qt::Key_Escape:
      SetItemSelected(m_nCurRow, false);
      return true;
    case Qt::Key_Up:
      if (count > 0) {
        TakeFocus();
        OpenVertical(m_nCurRow - 1 < 0 ? count - 1 : m_nCurRow - 1);
      }
      return true;
    case Qt::Key_Down:
      TakeFocus();
      OpenVertical(m_nCurRow + 1 >= count ? 0 : m_nCurRow + 1);
      return true;
    case Qt::Key_F2:
      return true;
    default:
      return false;
  }
}

void gxListCtrl::OpenVertical(int row) {
  // The check columns keep their own editor when moving up or down.
  if (m_nCurCol == M::kColDhcp || m_nCurCol == M::kColReboot) {
    OpenCheckEditor(row, m_nCurCol);
  } else {
    OpenTextEditor(row, m_nCurCol);
  }
}

void gxListCtrl::MoveToNextCell(bool forward) {
  TakeFocus();
  if (!forward) return;
  const int count = GetItemCount();
  if (m_nCurCol >= M::kColReboot) {
    OpenTextEditor(m_nCurRow + 1 >= count ? 0 : m_nCurRow + 1, M::kColIp);
  } else if (m_nCurCol == M::kColSsid) {
    if (!editLabels_) return;
    if (GetItemText(m_nCurRow, M::kColChannel).isEmpty()) {
      // No channel to choose from: go on along the row.
      OpenCheckEditor(m_nCurRow, M::kColDhcp);
      return;
    }
    int selection = -1;
    const QStringList items = ChannelItems(m_nCurRow, &selection);
    OpenChannelList(m_nCurRow, M::kColChannel, items, selection);
  } else if (m_nCurCol == M::kColChannel || m_nCurCol == M::kColDhcp) {
    OpenCheckEditor(m_nCurRow, m_nCurCol + 1);
  } else {
    OpenTextEditor(m_nCurRow, m_nCurCol + 1);
  }
}

void gxListCtrl::mousePressEvent(QMouseEvent* event) {
  TakeFocus();
  QTableView::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  int column = -1;
  const int row = CellFromPoint(event->position().toPoint(), &column);
  if (row < 0) return;
  m_nCurRow = row;
  switch (column) {
    case M::kColIp:
    case M::kColMask:
    case M::kColGateway:
    case M::kColDevName:
    case M::kColSsid:
      if (editLabels_) OpenTextEditor(row, column);
      break;
    case M::kColChannel: {
      if (currentIndex().row() != row) {
        setCurrentIndex(model_->index(row, column));
        SetItemSelected(row, true);
        break;
      }
      if (!editLabels_ || !GetItemData(row)) break;
      if (GetItemText(row, column).isEmpty()) break;
      int selection = -1;
      const QStringList items = ChannelItems(row, &selection);
      OpenChannelList(row, column, items, selection);
      break;
    }
    case M::kColDhcp:
    case M::kColReboot:
      ClickCheckCell(row, column);
      break;
    default:
      break;
  }
}

void gxListCtrl::ClickCheckCell(int row, int column) {
  CAPinfo* record = GetItemData(row);
  if (!record) return;
  if (column == M::kColDhcp) {
    record->dhcp = record->dhcp == "1" ? "0" : "1";
  } else {
    record->reboot = record->reboot != 0 ? 0 : 1;
  }
  record->modified = 1;
  RedrawCell(row, column);
  OpenCheckEditor(row, column);
}

void gxListCtrl::RedrawCell(int row, int column) {
  if (!ValidRow(row)) return;
  if (column < 0) {
    viewport()->update(QRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row)));
  } else {
    viewport()->update(visualRect(model_->index(row, column)));
  }
}

// --- End of an edit ---------------------------------------------------------------

int gxListCtrl::OnEndLabelEdit(int row, int column, int editorId, const QString* text, int) {
  if (!text) return 0;  // cancelled with Escape
  QPointer<CCheckBox> check = std::exchange(m_pCommitCheck, nullptr);
  if (!ValidRow(row) || !apList_ || !IsLatin1(*text)) return 0;
  // Look the record up again: the row may show another device by now.
  CAPinfo* record = apList_->FindByMac(ToLatin1(GetItemText(row, M::kColMac)));
  if (!record) return 0;
  const QString cell = GetItemText(row, column);
  const std::string bytes = ToLatin1(*text);

  switch (column) {
    case M::kColIp:
    case M::kColMask:
    case M::kColGateway:
      if (text->contains(QLatin1Char('$'))) {
        ShowMessageBox(this, Text(kDollarNotAllowed));
        return 0;
      }
      if (!IsValidAddress(*text)) return 0;
      (column == M::kColIp ? record->ip : column == M::kColMask ? record->mask : record->gateway) =
          bytes;
      break;
    case M::kColDevName:
      if (text->isEmpty() || text->size() > static_cast<qsizetype>(kMaxNameLength)) return 0;
      if (text->contains(QLatin1Char('$'))) {
        ShowMessageBox(this, Text(kDollarNotAllowed));
        return 0;
      }
      record->devName = bytes;
      break;
    case M::kColSsid:
      if (text->isEmpty() || text->size() > static_cast<qsizetype>(kMaxNameLength)) {
        ShowMessageBox(this, Text(kSsidNotValid));
        return 0;
      }
      record->ssid = bytes;
      break;
    case M::kColChannel:
      // A list closed without an entry chosen leaves the channel alone.
      if (text->isEmpty()) return 0;
      if (text->contains(QLatin1Char('$'))) {
        ShowMessageBox(this, Text(kDollarNotAllowed));
        return 0;
      }
      record->channel = bytes;
      record->modified = 1;
      break;
    case M::kColDhcp:
    case M::kColReboot:
      // Only the check box knows the new state.
      if (editorId != gxEditorLink::kCheckBoxId || !check) return 0;
      if (column == M::kColDhcp) {
        record->dhcp = check->isChecked() ? "1" : "0";
      } else {
        record->reboot = check->isChecked() ? 1 : 0;
      }
      record->modified = 1;
      break;
    default:
      return 0;
  }

  if (*text != cell) {
    SetItemText(row, column, *text);
    record->modified = 1;
    // A fixed address means the device no longer asks for one.
    if (column >= M::kColIp && column <= M::kColGateway && record->dhcp == "1") {
      record->dhcp = "0";
      RedrawCell(row, M::kColDhcp);
    }
  }
  return 0;
}

bool gxListCtrl::IsValidAddress(const QString& text) {
  switch (CheckAddress(ToLatin1(text))) {
    case AddressVerdict::Valid:
      return true;
    case AddressVerdict::NotValid:
      ShowMessageBox(this, Text(kAddressNotValid));
      return false;
    case AddressVerdict::Refused:
      break;
  }
  return false;
}

// --- Painting -----------------------------------------------------------------------

void gxListCtrl::paintEvent(QPaintEvent* event) {
  {
    // Column stripes down the whole height, under the rows; the strip
    // right of the last column keeps the plain background.
    QPainter painter(viewport());
    int left = columnViewportPosition(0);
    const int height = viewport()->height();
    for (int c = 0; c < model_->columnCount(); ++c) {
      const int width = columnWidth(c);
      painter.fillRect(QRect(left, 0, width, height),
                       c <= M::kColMac ? kKeyColumnsBackground : kCellBackground);
      left += width;
    }
  }
  QTableView::paintEvent(event);
}

void gxListCtrl::PaintCheckCell(QPainter* painter, int row, int column, bool checked) const {
  const QRect cell = visualRect(model_->index(row, column));
  painter->save();
  painter->fillRect(cell, kCellBackground);
  // The box edges are exclusive on the right and at the bottom.
  int left = cell.left() + 2;
  const int top = cell.top();
  const int bottom = cell.top() + cell.height() - 3;
  const int right = left + (bottom - top);
  painter->fillRect(QRect(left, top, right - left, bottom - top), kCellBackground);
  left += 1;
  // Sunken edge: outer shadow and light, then the inner dark and face.
  const QColor outerShadow(160, 160, 160), outerLight(255, 255, 255);
  const QColor innerShadow(105, 105, 105), innerLight(227, 227, 227);
  auto hline = [&](int x0, int x1, int y, const QColor& c) {
    painter->fillRect(QRect(x0, y, x1 - x0, 1), c);
  };
  auto vline = [&](int x, int y0, int y1, const QColor& c) {
    painter->fillRect(QRect(x, y0, 1, y1 - y0), c);
  };
  hline(left, right - 1, top, outerShadow);
  vline(left, top, bottom - 1, outerShadow);
  hline(left, right, bottom - 1, outerLight);
  vline(right - 1, top, bottom, outerLight);
  hline(left + 1, right - 2, top + 1, innerShadow);
  vline(left + 1, top + 1, bottom - 2, innerShadow);
  hline(left + 1, right - 1, bottom - 2, innerLight);
  vline(right - 2, top + 1, bottom - 1, innerLight);
  if (checked) {
    const int x0 = left + 9;
    const int y0 = top + 3;
    static constexpr int kStrokes[7][2] = {{0, 0}, {-1, 1}, {-2, 2}, {-3, 3},
                                           {-4, 4}, {-5, 3}, {-6, 2}};
    for (const auto& stroke : kStrokes) {
      painter->fillRect(QRect(x0 + stroke[0], y0 + stroke[1], 1, 3), kCellText);
    }
  }
  painter->restore();
}

// --- Header clicks ------------------------------------------------------------------

int gxListCtrl::CompareRows(const CAPinfo* first, const CAPinfo* second, const gxListCtrl* grid) {
  int result = 0;
  switch (grid->m_nSortCol) {
    case M::kColType:
      result = first->type > second->type ? 1 : first->type == second->type ? 0 : -1;
      break;
    case M::kColMac:
      result = CompareNoCase(first->mac, second->mac);
      break;
    case M::kColIp:
      result = CompareNoCase(first->ip, second->ip);
      break;
    case M::kColDevName:
      result = CompareNoCase(first->devName, second->devName);
      break;
    default:
      result = 0;
  }
  return grid->m_bAscending ? result : -result;
}

void gxListCtrl::OnColumnClick(int column) {
  EndOpenEditor();
  const int count = GetItemCount();
  if (column == M::kColDhcp) {
    const char* value = m_nDhcpAll != 0 ? "1" : "0";
    for (int row = 0; row < count; ++row) {
      if (CAPinfo* record = GetItemData(row)) {
        record->dhcp = value;
        record->modified = 1;
        RedrawCell(row, M::kColDhcp);
      }
    }
    m_nDhcpAll = ~m_nDhcpAll;
  } else if (column == M::kColReboot) {
    const std::uint8_t value = m_nRebootAll != 0 ? 1 : 0;
    for (int row = 0; row < count; ++row) {
      if (CAPinfo* record = GetItemData(row)) {
        record->reboot = value;
        record->modified = 1;
        RedrawCell(row, M::kColReboot);
      }
    }
    m_nRebootAll = ~m_nRebootAll;
  } else {
    SortByColumn(column);
  }
}

void gxListCtrl::SortByColumn(int column) {
  SortMemory& memory = LastSort();
  const bool ascending = column != memory.column ? true : !memory.ascending;
  memory.column = column;
  memory.ascending = ascending;
  m_nSortCol = column;
  m_bAscending = ascending;
  // Rows without a device record stay below the others, in their order.
  model_->StableSortRows([this](const CAPinfo* a, const CAPinfo* b) {
    if (!a || !b) return a != nullptr && b == nullptr;
    return CompareRows(a, b, this) < 0;
  });
}

// --- Menu and tool tips -------------------------------------------------------------

QPoint gxListCtrl::ContextMenuPosition(const QContextMenuEvent* event) const {
  if (event->reason() == QContextMenuEvent::Keyboard) {
    return mapToGlobal(QPoint(5, 5));
  }
  return event->globalPos();
}

void gxListCtrl::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* ping = menu.addAction(QStringLiteral("Ping"));
  menu.addSeparator();
  QAction* selectAll = menu.addAction(QStringLiteral("Select All"));
  QAction* chosen = menu.exec(ContextMenuPosition(event));
  if (chosen == ping) {
    emit PingRequested();
  } else if (chosen == selectAll) {
    emit SelectAllRequested();
  }
  event->accept();
}

int gxListCtrl::OnToolHitTest(const QPoint& point, QRect* cell) const {
  int column = -1;
  const int row = CellRectAtPoint(point, cell, &column);
  if (row < 0) return -1;
  return row * 1024 + (column % 1024) + 1;
}

QString gxListCtrl::ToolTipText(int toolId) const {
  if (toolId <= 0) return {};
  return GetItemText((toolId - 1) / 1024, (toolId - 1) % 1024);
}

bool gxListCtrl::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    QRect cell;
    const QString text = ToolTipText(OnToolHitTest(help->pos(), &cell));
    if (text.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), text, viewport(), cell);
    }
    return true;
  }
  return QTableView::viewportEvent(event);
}

}  // namespace tervane
