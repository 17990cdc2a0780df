// The AP grid apart from editing: colours and check cells as painted,
// header toggles and sorting, tool tips, the context menu and row images.
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "GridFixture.h"

namespace tervane::test {
namespace {

using ViewTest = GridFixture;

// --- Painting -----------------------------------------------------------------

class PaintTest : public GridFixture {
 protected:
  QImage Shot() {
    grid->clearSelection();
    grid->setCurrentIndex({});
    window->setFocus();  // no focus frame over a cell
    return grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  QRect Cell(int row, int column) const {
    return grid->visualRect(grid->Model()->index(row, column));
  }
  static int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  }
  // Pixels of a text colour, also blended ones: strongly tinted towards it.
  static int CountNear(const QImage& image, const QRect& area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        n += std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
             std::abs(c.blue() - colour.blue()) < 40;
      }
    }
    return n;
  }
};

TEST_F(PaintTest, MacTextColourFollowsTheRowType) {
  const QImage image = Shot();
  struct Case {
    int row;
    QColor colour;
  };
  for (const Case& c : {Case{0, QColor(255, 0, 0)}, Case{1, QColor(0, 0, 0)},
                        Case{2, QColor(255, 255, 0)}, Case{3, QColor(0, 0, 0)}}) {
    SCOPED_TRACE(c.row);
    EXPECT_GT(CountNear(image, Cell(c.row, 1), c.colour), 10);
  }
  // Neither red nor yellow text where it does not belong.
  EXPECT_EQ(CountNear(image, Cell(1, 1), QColor(255, 0, 0)), 0);
  EXPECT_EQ(CountNear(image, Cell(0, 1), QColor(255, 255, 0)), 0);
  EXPECT_EQ(CountNear(image, Cell(0, 2), QColor(255, 0, 0)), 0);
}

TEST_F(PaintTest, KeyColumnsAreCyanOtherCellsWhiteDownToTheBottom) {
  const QImage image = Shot();
  const QRgb cyan = qRgb(128, 255, 255);
  const QRgb white = qRgb(255, 255, 255);
  for (int row = 0; row < grid->GetItemCount(); ++row) {
    EXPECT_EQ(image.pixel(Cell(row, 0).topRight() + QPoint(-1, 1)), cyan);
    EXPECT_EQ(image.pixel(Cell(row, 1).topRight() + QPoint(-1, 1)), cyan);
    EXPECT_EQ(image.pixel(Cell(row, 4).topRight() + QPoint(-1, 1)), white);
  }
  // Below the last row: the column stripes.
  const int y = grid->viewport()->height() - 2;
  ASSERT_GT(y, Cell(3, 0).bottom());
  EXPECT_EQ(image.pixel(Cell(3, 0).center().x(), y), cyan);
  EXPECT_EQ(image.pixel(Cell(3, 1).center().x(), y), cyan);
  EXPECT_EQ(image.pixel(Cell(3, 5).center().x(), y), white);
}

TEST_F(PaintTest, DhcpOneShowsATickedBoxOtherValuesAnEmptyOne) {
  const QImage image = Shot();
  const QRgb black = qRgb(0, 0, 0);
  auto tickPixels = [&](int row, int column) {
    const QRect cell = Cell(row, column);
    // The tick's strokes, relative to the moved box edge.
    const int x0 = cell.left() + 3 + 9;
    const int y0 = cell.top() + 3;
    int n = 0;
    const int strokes[7][2] = {{0, 0}, {-1, 1}, {-2, 2}, {-3, 3}, {-4, 4}, {-5, 3}, {-6, 2}};
    for (const auto& s : strokes) {
      for (int dy = 0; dy < 3; ++dy) n += image.pixel(x0 + s[0], y0 + s[1] + dy) == black;
    }
    return n;
  };
  EXPECT_EQ(tickPixels(0, 8), 21);  // dhcp "1"
  EXPECT_EQ(tickPixels(1, 8), 0);   // "0"
  EXPECT_EQ(tickPixels(2, 8), 0);   // empty
  EXPECT_EQ(tickPixels(0, 9), 21);  // reboot set
  EXPECT_EQ(tickPixels(1, 9), 0);
  // The box has its sunken edge; the cell around it is white.
  const QRect cell = Cell(1, 8);
  EXPECT_NE(image.pixel(cell.left() + 3, cell.top() + 5), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(cell.right() - 1, cell.top() + 5), qRgb(255, 255, 255));
}

TEST_F(PaintTest, HeaderToggleRepaintsTheChecks) {
  grid->OnColumnClick(8);
  const QImage image = Shot();
  const QRect cell = Cell(0, 8);
  EXPECT_EQ(CountColour(image, cell, qRgb(0, 0, 0)), 0);
}

// --- Header clicks -------------------------------------------------------------

std::vector<std::string> Macs(gxListCtrl* grid) {
  std::vector<std::string> macs;
  for (int row = 0; row < grid->GetItemCount(); ++row) macs.push_back(grid->GetItemData(row)->mac);
  return macs;
}

std::vector<std::string> Ips(gxListCtrl* grid) {
  std::vector<std::string> ips;
  for (int row = 0; row < grid->GetItemCount(); ++row) {
    ips.push_back(grid->GetItemText(row, 2).toStdString());
  }
  return ips;
}

TEST_F(ViewTest, DhcpAndRebootHeadersSwitchAllRowsOffThenOn) {
  struct Case {
    int column;
  };
  for (int column : {8, 9}) {
    SCOPED_TRACE(column);
    for (int row = 0; row < 4; ++row) Record(row).modified = 0;
    auto value = [&](int row) {
      return column == 8 ? Record(row).dhcp : std::to_string(Record(row).reboot);
    };
    const int before = column == 8 ? grid->m_nDhcpAll : grid->m_nRebootAll;
    grid->OnColumnClick(column);
    for (int row = 0; row < 4; ++row) {
      EXPECT_EQ(value(row), before ? "1" : "0");
      EXPECT_EQ(Record(row).modified, 1);
    }
    grid->OnColumnClick(column);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(value(row), before ? "0" : "1");
  }
  EXPECT_EQ(grid->m_nDhcpAll, 0);
  EXPECT_EQ(grid->m_nRebootAll, 0);
}

TEST_F(ViewTest, FirstDhcpClickOfAGridSwitchesOff) {
  grid->OnColumnClick(8);
  EXPECT_EQ(Record(0).dhcp, "0");
  EXPECT_EQ(Record(3).dhcp, "0");
  EXPECT_EQ(grid->m_nDhcpAll, ~0);
}

TEST_F(ViewTest, HeaderClicksSortAscendingThenDescending) {
  grid->OnColumnClick(1);  // another column first: the memory is program-wide
  EXPECT_TRUE(grid->m_bAscending);
  grid->OnColumnClick(2);
  EXPECT_EQ(Ips(grid), (std::vector<std::string>{"10.0.0.10", "10.0.0.2", "10.0.0.200",
                                                 "10.0.0.9"}));
  EXPECT_TRUE(grid->m_bAscending);
  grid->OnColumnClick(2);
  EXPECT_EQ(Ips(grid), (std::vector<std::string>{"10.0.0.9", "10.0.0.200", "10.0.0.2",
                                                 "10.0.0.10"}));
  EXPECT_FALSE(grid->m_bAscending);
  grid->OnColumnClick(1);
  EXPECT_TRUE(grid->m_bAscending);
  EXPECT_EQ(Macs(grid).front(), "00:40:96:00:00:01");
}

TEST_F(ViewTest, CheckHeaderClicksLeaveTheSortDirectionAlone) {
  grid->OnColumnClick(1);
  grid->OnColumnClick(2);
  grid->OnColumnClick(8);
  grid->OnColumnClick(9);
  grid->OnColumnClick(2);
  EXPECT_FALSE(grid->m_bAscending);
  EXPECT_EQ(grid->m_nSortCol, 2);
  EXPECT_EQ(Ips(grid).front(), "10.0.0.9");
}

TEST_F(ViewTest, SortByTypeAndNameAndColumnsThatCompareEqual) {
  grid->OnColumnClick(1);
  grid->OnColumnClick(0);  // 'A' < 'R' < 'S', the two 'S' rows keep their order
  EXPECT_EQ(Macs(grid), (std::vector<std::string>{"00:40:96:00:00:01", "00:40:96:00:00:03",
                                                  "00:40:96:00:00:02", "00:40:96:00:00:04"}));
  grid->OnColumnClick(5);  // Gate, Hall, Roof, Yard
  EXPECT_EQ(grid->GetItemText(0, 5), "Gate");
  EXPECT_EQ(grid->GetItemText(3, 5), "Yard");
  const auto before = Macs(grid);
  for (int column : {3, 4, 6, 7}) {
    grid->OnColumnClick(column);
    EXPECT_EQ(Macs(grid), before) << column;
  }
}

TEST_F(ViewTest, SortIgnoresLetterCase) {
  Record(0).devName = "beta";
  Record(1).devName = "Alpha";
  Record(2).devName = "ALPHA";
  Record(3).devName = "Gamma";
  grid->OnColumnClick(1);
  grid->OnColumnClick(5);
  EXPECT_EQ(Macs(grid), (std::vector<std::string>{"00:40:96:00:00:02", "00:40:96:00:00:03",
                                                  "00:40:96:00:00:01", "00:40:96:00:00:04"}));
}

TEST_F(ViewTest, SelectionAndRecordsFollowTheSortedRows) {
  grid->SetItemSelected(0, true);  // 10.0.0.9
  grid->OnColumnClick(1);
  grid->OnColumnClick(2);
  const int row = 3;
  EXPECT_EQ(grid->GetItemText(row, 2), "10.0.0.9");
  EXPECT_EQ(grid->GetItemData(row)->ip, "10.0.0.9");
  EXPECT_TRUE(grid->GetItemSelected(row));
  EXPECT_EQ(grid->GetNextSelectedItem(-1), row);
  EXPECT_EQ(grid->GetNextSelectedItem(row), -1);
}

TEST_F(ViewTest, RowsWithoutRecordStayBelowInEitherDirection) {
  grid->InsertItem(0, QStringLiteral("saved"));
  grid->OnColumnClick(1);
  grid->OnColumnClick(2);
  EXPECT_EQ(grid->GetItemData(4), nullptr);
  grid->OnColumnClick(2);
  EXPECT_EQ(grid->GetItemData(4), nullptr);
  EXPECT_EQ(grid->GetItemText(4, 0), "saved");
  grid->OnColumnClick(8);  // toggles skip it
  EXPECT_EQ(grid->GetItemData(4), nullptr);
}

TEST_F(ViewTest, ClickingTheHeaderSorts) {
  grid->OnColumnClick(1);
  QHeaderView* header = grid->horizontalHeader();
  const QPoint ip(header->sectionViewportPosition(2) + 10, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, ip);
  EXPECT_EQ(grid->m_nSortCol, 2);
  EXPECT_EQ(Ips(grid).front(), "10.0.0.10");
}

// --- Tool tips -------------------------------------------------------------------

TEST_F(ViewTest, ToolTipShowsTheCellText) {
  struct Case {
    int row;
    int column;
    const char* text;
  };
  for (const Case& c : {Case{0, 1, "00:40:96:00:00:01"}, Case{1, 2, "10.0.0.10"},
                        Case{3, 5, "Gate"}, Case{2, 7, "Auto"}}) {
    QRect cell;
    const int id = grid->OnToolHitTest(CellCenter(c.row, c.column), &cell);
    EXPECT_EQ(id, c.row * 1024 + c.column + 1);
    EXPECT_EQ(cell, grid->visualRect(grid->Model()->index(c.row, c.column)));
    EXPECT_EQ(grid->ToolTipText(id), c.text);
  }
  EXPECT_TRUE(grid->ToolTipText(0).isEmpty());
}

TEST_F(ViewTest, NoToolOutsideTheCells) {
  const QRect last = grid->visualRect(grid->Model()->index(3, 9));
  EXPECT_EQ(grid->OnToolHitTest(QPoint(20, last.bottom() + 10), nullptr), -1);
  EXPECT_EQ(grid->OnToolHitTest(QPoint(last.right() + 10, last.center().y()), nullptr), -1);
}

TEST_F(ViewTest, HoveringShowsTheToolTip) {
  const QPoint at = CellCenter(1, 5);
  QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
  QApplication::sendEvent(grid->viewport(), &help);
  EXPECT_EQ(QToolTip::text(), "Hall");
  const QPoint outside(20, grid->viewport()->height() - 3);
  QHelpEvent away(QEvent::ToolTip, outside, grid->viewport()->mapToGlobal(outside));
  QApplication::sendEvent(grid->viewport(), &away);
  EXPECT_FALSE(away.isAccepted());  // no tool there
}

TEST_F(ViewTest, BorderBetweenColumnsBelongsToTheLeftOne) {
  const int border = grid->columnViewportPosition(3);
  int column = -1;
  EXPECT_EQ(grid->CellFromPoint(QPoint(border, CellCenter(1, 3).y()), &column), 1);
  EXPECT_EQ(column, 2);
  EXPECT_EQ(grid->CellFromPoint(QPoint(border + 1, CellCenter(1, 3).y()), &column), 1);
  EXPECT_EQ(column, 3);
}

// --- Context menu --------------------------------------------------------------------

TEST_F(ViewTest, ContextMenuOpensAtTheMouseOrBesideTheCorner) {
  const QPoint mouse(200, 60);
  QContextMenuEvent byMouse(QContextMenuEvent::Mouse, mouse, grid->mapToGlobal(mouse));
  EXPECT_EQ(grid->ContextMenuPosition(&byMouse), grid->mapToGlobal(mouse));
  QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(0, 0), grid->mapToGlobal(QPoint()));
  EXPECT_EQ(grid->ContextMenuPosition(&byKey), grid->mapToGlobal(QPoint(5, 5)));
}

TEST_F(ViewTest, ContextMenuEntriesIssueTheirCommands) {
  QSignalSpy ping(grid, &gxListCtrl::PingRequested);
  QSignalSpy selectAll(grid, &gxListCtrl::SelectAllRequested);
  struct Case {
    const char* entry;
    QSignalSpy* spy;
  };
  for (const Case& c : {Case{"Ping", &ping}, Case{"Select All", &selectAll}}) {
    QStringList entries;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) {
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
      }
      for (QAction* action : menu->actions()) {
        if (action->text() == QLatin1String(c.entry)) {
          menu->setActiveAction(action);
          QTest::keyClick(menu, Qt::Key_Return);
          return;
        }
      }
      menu->close();
    });
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(0, 0), grid->mapToGlobal(QPoint()));
    QApplication::sendEvent(grid, &byKey);
    EXPECT_EQ(entries, (QStringList{"Ping", "-", "Select All"}));
    EXPECT_EQ(c.spy->count(), 1) << c.entry;
  }
  EXPECT_EQ(ping.count(), 1);
  EXPECT_EQ(selectAll.count(), 1);
}

// --- Operations of the view -----------------------------------------------------------

TEST_F(ViewTest, SelectionOperations) {
  grid->SelectAll();
  for (int row = 0; row < 4; ++row) EXPECT_TRUE(grid->GetItemSelected(row));
  grid->SetItemSelected(2, false);
  EXPECT_FALSE(grid->GetItemSelected(2));
  EXPECT_EQ(grid->GetNextSelectedItem(1), 3);
  grid->setFocus();
  grid->m_nCurRow = 3;
  QTest::keyClick(grid, Qt::Key_Escape);  // clears the current row's selection
  EXPECT_FALSE(grid->GetItemSelected(3));
  EXPECT_TRUE(grid->GetItemSelected(0));
}

TEST_F(ViewTest, ItemOperations) {
  EXPECT_EQ(grid->GetItemCount(), 4);
  EXPECT_EQ(grid->GetItemImage(0), 0);
  EXPECT_TRUE(grid->SetItemImage(0, 2));
  EXPECT_EQ(grid->GetItemImage(0), 2);
  EXPECT_FALSE(grid->SetItemText(4, 1, QStringLiteral("x")));
  EXPECT_FALSE(grid->SetItemText(0, 10, QStringLiteral("x")));
  EXPECT_EQ(grid->GetItemData(4), nullptr);
  // Inserting in the middle moves the rows below.
  const int at = grid->InsertItem(1, 1, &list.GetAt(3));
  EXPECT_EQ(at, 1);
  EXPECT_EQ(grid->GetItemData(2), &list.GetAt(1));
  grid->DeleteAllItems();
  EXPECT_EQ(grid->GetItemCount(), 0);
  EXPECT_EQ(grid->apCount, 0);
}

TEST_F(ViewTest, EnsureVisibleScrollsToARowFarDown) {
  for (int i = 0; i < 200; ++i) AddRow('R', "00:40:96:00:02:" + std::to_string(i));
  const int row = grid->GetItemCount() - 1;
  ASSERT_TRUE(grid->EnsureVisible(row));
  const int top = grid->rowViewportPosition(row);
  EXPECT_GE(top, 0);
  EXPECT_LE(top + grid->rowHeight(row), grid->viewport()->height());
  EXPECT_FALSE(grid->EnsureVisible(row + 1));
  // Down on the last row wraps to row 0 and brings it back.
  grid->m_nCurRow = row;
  grid->m_nCurCol = 2;
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Down);
  Settle();
  EXPECT_EQ(grid->m_nCurRow, 0);
  EXPECT_EQ(grid->rowViewportPosition(0), 0);
}

TEST_F(ViewTest, RowImagesAtBothSizes) {
  ASSERT_EQ(grid->LargeImages().size(), 4u);
  ASSERT_EQ(grid->SmallImages().size(), 4u);
  std::vector<QImage> small;
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(grid->LargeImages()[i].size(), QSize(32, 32));
    EXPECT_EQ(grid->SmallImages()[i].size(), QSize(16, 16));
    const QImage image = grid->SmallImages()[i].toImage();
    int opaque = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    }
    EXPECT_GT(opaque, 20) << i;
    small.push_back(image);
  }
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t j = i + 1; j < 4; ++j) EXPECT_NE(small[i], small[j]) << i << " " << j;
  }
}

}  // namespace
}  // namespace tervane::test
