// Editing the AP grid: what a click opens, what a commit stores and marks,
// how the keys move between cells, and that editor keys stay in the editor.
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>

#include "CCheckBox.h"
#include "CInPlaceList.h"
#include "GridFixture.h"
#include "Latin1.h"
#include "gxEditCell.h"

namespace tervane::test {
namespace {

using EditTest = GridFixture;

enum class Opens { Nothing, Text, List, Check };

Opens WhatHasFocus() {
  QWidget* focus = QApplication::focusWidget();
  if (qobject_cast<gxEditCell*>(focus)) return Opens::Text;
  if (qobject_cast<CInPlaceList*>(focus)) return Opens::List;
  if (qobject_cast<CCheckBox*>(focus)) return Opens::Check;
  return Opens::Nothing;
}

struct ClickCase {
  int column;
  bool editLabels;
  Opens opens;
  bool togglesDhcp;
  bool togglesReboot;
};

class ClickTest : public GridFixture, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickTest, OpensTheColumnsEditorAndTogglesChecks) {
  const ClickCase& c = GetParam();
  grid->SetEditLabels(c.editLabels);
  // Row 1 first, so that the Ch click lands on the focused row.
  Click(0, 1);
  const std::string dhcp = Record(0).dhcp;
  const int reboot = Record(0).reboot;
  Click(0, c.column);
  EXPECT_EQ(WhatHasFocus(), c.opens);
  EXPECT_EQ(Record(0).dhcp != dhcp, c.togglesDhcp);
  EXPECT_EQ(Record(0).reboot != reboot, c.togglesReboot);
  EXPECT_EQ(Record(0).modified != 0, c.togglesDhcp || c.togglesReboot);
  EXPECT_EQ(grid->m_nCurRow, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, ClickTest,
    ::testing::Values(ClickCase{0, true, Opens::Nothing, false, false},
                      ClickCase{1, true, Opens::Nothing, false, false},
                      ClickCase{2, true, Opens::Text, false, false},
                      ClickCase{3, true, Opens::Text, false, false},
                      ClickCase{4, true, Opens::Text, false, false},
                      ClickCase{5, true, Opens::Text, false, false},
                      ClickCase{6, true, Opens::Text, false, false},
                      ClickCase{7, true, Opens::List, false, false},
                      ClickCase{8, true, Opens::Check, true, false},
                      ClickCase{9, true, Opens::Check, false, true},
                      ClickCase{2, false, Opens::Nothing, false, false},
                      ClickCase{7, false, Opens::Nothing, false, false},
                      ClickCase{8, false, Opens::Check, true, false}));

TEST_F(EditTest, CheckBoxShowsTheToggledStateAndCommitsItsOwnState) {
  ASSERT_EQ(Record(0).dhcp, "1");
  Click(0, 8);
  auto* box = Open<CCheckBox>();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(Record(0).dhcp, "0");
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_TRUE(box->isChecked());
  grid->setFocus();
  Settle();
  EXPECT_EQ(Record(0).dhcp, "1");
  EXPECT_EQ(Record(0).modified, 1);
  EXPECT_TRUE(grid->GetItemText(0, 8).isEmpty());
}

TEST_F(EditTest, CheckBoxIgnoresTypedCharacters) {
  Click(1, 9);
  auto* box = Open<CCheckBox>();
  ASSERT_NE(box, nullptr);
  const bool before = box->isChecked();
  QTest::keyClicks(box, "&(");
  EXPECT_EQ(box->isChecked(), before);
  EXPECT_EQ(Open<CCheckBox>(), box);
  EXPECT_TRUE(box->text().isEmpty());
}

// --- Channel list ---------------------------------------------------------

struct ChannelCase {
  int row;  // 0 is the 'A' row
  const char* cell;
  int itemCount;
  const char* preselected;  // nullptr: nothing
};

class ChannelItemsTest : public GridFixture,
                         public ::testing::WithParamInterface<ChannelCase> {};

TEST_P(ChannelItemsTest, ListsAndPreselectsPerRowType) {
  const ChannelCase& c = GetParam();
  grid->SetItemText(c.row, 7, QString::fromLatin1(c.cell));
  Click(c.row, 1);
  Click(c.row, 7);
  auto* list = Open<CInPlaceList>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), c.itemCount);
  EXPECT_EQ(list->itemText(0), c.itemCount == 12 ? "Auto" : "1");
  EXPECT_EQ(list->itemText(list->count() - 1), "11");
  if (c.preselected) {
    EXPECT_EQ(list->currentText(), c.preselected);
  } else {
    EXPECT_EQ(list->currentIndex(), -1);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ChannelItemsTest,
                         ::testing::Values(ChannelCase{0, "6", 11, "6"},
                                           ChannelCase{1, "6", 12, "6"},
                                           ChannelCase{2, "6", 12, "6"},
                                           ChannelCase{1, "Auto", 12, "Auto"},
                                           ChannelCase{1, "0", 12, "Auto"},
                                           ChannelCase{1, " 11x", 12, "11"},
                                           ChannelCase{0, "Auto", 11, nullptr},
                                           ChannelCase{1, "12", 12, nullptr}));

TEST_F(EditTest, EmptyChannelCellOpensNoList) {
  grid->SetItemText(1, 7, QString());
  Click(1, 1);
  Click(1, 7);
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
}

TEST_F(EditTest, ChannelListCommitsTheChosenEntryAndAlwaysMarks) {
  Click(1, 1);
  Click(1, 7);
  auto* list = Open<CInPlaceList>();
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(list->findText("3"));
  QTest::keyClick(list, Qt::Key_Return);
  Settle();
  EXPECT_EQ(Record(1).channel, "3");
  EXPECT_EQ(grid->GetItemText(1, 7), "3");
  EXPECT_EQ(Record(1).modified, 1);

  Record(2).modified = 0;
  Click(2, 1);
  Click(2, 7);
  ASSERT_NE(Open<CInPlaceList>(), nullptr);
  grid->setFocus();  // closed without a change
  Settle();
  EXPECT_EQ(Record(2).channel, "Auto");
  EXPECT_EQ(Record(2).modified, 1);
}

TEST_F(EditTest, ChoosingFromTheOpenDropDownEndsTheEdit) {
  Click(1, 1);
  Click(1, 7);
  auto* list = Open<CInPlaceList>();
  ASSERT_NE(list, nullptr);
  list->showPopup();
  list->setCurrentIndex(list->findText("9"));
  list->hidePopup();
  Settle();
  EXPECT_EQ(Record(1).channel, "9");
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
}

TEST_F(EditTest, ChannelListWithoutSelectionLeavesTheChannel) {
  // "Auto" is no entry of an access point's list.
  grid->SetItemText(0, 7, QStringLiteral("Auto"));
  Click(0, 1);
  Click(0, 7);
  ASSERT_NE(Open<CInPlaceList>(), nullptr);
  grid->setFocus();
  Settle();
  EXPECT_EQ(Record(0).channel, "6");
  EXPECT_EQ(grid->GetItemText(0, 7), "Auto");
  EXPECT_EQ(Record(0).modified, 0);
}

// --- Commit rules -----------------------------------------------------------

struct CommitCase {
  const char* name;
  int row;
  int column;
  QString typed;
  bool stored;      // cell and record field take the text
  bool modified;
  const char* message;  // nullptr: none
  const char* dhcpAfter;
};

std::string Field(const CAPinfo& r, int column) {
  switch (column) {
    case 2: return r.ip;
    case 3: return r.mask;
    case 4: return r.gateway;
    case 5: return r.devName;
    case 6: return r.ssid;
    case 7: return r.channel;
    default: return {};
  }
}

class CommitTest : public GridFixture, public ::testing::WithParamInterface<CommitCase> {};

TEST_P(CommitTest, StoresMarksOrRefuses) {
  const CommitCase& c = GetParam();
  const QString oldCell = grid->GetItemText(c.row, c.column);
  const std::string oldField = Field(Record(c.row), c.column);
  TypeInto(c.row, c.column, c.typed);
  if (c.stored) {
    EXPECT_EQ(grid->GetItemText(c.row, c.column), c.typed);
    EXPECT_EQ(Field(Record(c.row), c.column), ToLatin1(c.typed));
  } else {
    EXPECT_EQ(grid->GetItemText(c.row, c.column), oldCell);
    EXPECT_EQ(Field(Record(c.row), c.column), oldField);
  }
  EXPECT_EQ(Record(c.row).modified != 0, c.modified);
  EXPECT_EQ(messages, c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
  EXPECT_EQ(Record(c.row).dhcp, c.dhcpAfter);
}

const char* const kBadAddress = "The address not valid";
const char* const kBadSsid = "SSID must not be empty and not more than 32 chars";
const char* const kDollar = "The value must not contain '$'";

INSTANTIATE_TEST_SUITE_P(
    Cells, CommitTest,
    ::testing::Values(
        CommitCase{"NewIpSwitchesDhcpOff", 0, 2, "192.168.1.1", true, true, nullptr, "0"},
        CommitCase{"NewIpWithoutDhcp", 1, 2, "192.168.1.1", true, true, nullptr, "0"},
        CommitCase{"SameIpDoesNotMark", 0, 2, "10.0.0.9", true, false, nullptr, "1"},
        CommitCase{"PartAbove255", 0, 2, "192.168.1.300", false, false, kBadAddress, "1"},
        CommitCase{"ThreePartsSilently", 0, 2, "192.168.1", false, false, nullptr, "1"},
        CommitCase{"FiveParts", 0, 2, "1.2.3.4.5", false, false, nullptr, "1"},
        CommitCase{"Letter", 0, 2, "10.0.0.x", false, false, kBadAddress, "1"},
        CommitCase{"EmptyPart", 0, 2, "10..0.1", false, false, kBadAddress, "1"},
        CommitCase{"Negative", 0, 2, "10.0.-1.1", false, false, kBadAddress, "1"},
        CommitCase{"SuffixKeptAsTyped", 0, 2, "10.0.0.7/24", true, true, nullptr, "0"},
        CommitCase{"LongTextCheckedInFull", 0, 2,
                   "10.0.0.1" + QString(40, QLatin1Char('0')), false, false, kBadAddress, "1"},
        CommitCase{"LongValidTextStored", 0, 2,
                   QString(40, QLatin1Char(' ')) + "10.0.0.1", true, true, nullptr, "0"},
        CommitCase{"DollarInIp", 0, 2, "10.0.0.1$", false, false, kDollar, "1"},
        CommitCase{"NewMaskSwitchesDhcpOff", 0, 3, "255.255.0.0", true, true, nullptr, "0"},
        CommitCase{"NewGateway", 3, 4, "10.0.0.254", true, true, nullptr, "0"},
        CommitCase{"DollarInGateway", 3, 4, "$10.0.0.1", false, false, kDollar, "1"},
        CommitCase{"DevName", 0, 5, "Mast 2", true, true, nullptr, "1"},
        CommitCase{"EmptyDevNameSilently", 0, 5, "", false, false, nullptr, "1"},
        CommitCase{"LongDevNameSilently", 0, 5, QString(33, QLatin1Char('n')), false, false,
                   nullptr, "1"},
        CommitCase{"DevNameOf32", 0, 5, QString(32, QLatin1Char('n')), true, true, nullptr, "1"},
        CommitCase{"DollarInDevName", 0, 5, "Roof$2", false, false, kDollar, "1"},
        CommitCase{"Ssid", 0, 6, "guest", true, true, nullptr, "1"},
        CommitCase{"EmptySsid", 0, 6, "", false, false, kBadSsid, "1"},
        CommitCase{"LongSsid", 0, 6, QString(33, QLatin1Char('s')), false, false, kBadSsid,
                   "1"},
        CommitCase{"TypedChannel", 1, 7, "13", true, true, nullptr, "0"},
        CommitCase{"DollarInChannel", 1, 7, "1$", false, false, kDollar, "0"},
        CommitCase{"Latin1DevName", 0, 5, QString::fromLatin1("B\xE4ume"), true, true, nullptr,
                   "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, Latin1TextIsStoredAsOneBytePerCharacter) {
  TypeInto(0, 5, QString::fromLatin1("Gr\xFCn"));
  EXPECT_EQ(Record(0).devName, std::string("Gr\xFC" "n"));
}

TEST_F(EditTest, TextBoxRefusesCharactersLatin1CannotHold) {
  gxEditCell* editor = grid->OpenTextEditor(0, 5);
  ASSERT_NE(editor, nullptr);
  // Typed one by one as a keyboard would send them.
  for (QChar c : QString::fromUtf8("A\u20AC\u0141B")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(editor, &press);
  }
  EXPECT_EQ(editor->text(), "AB");
}

TEST_F(EditTest, EscapeCancelsInEveryEditor) {
  gxEditCell* editor = grid->OpenTextEditor(0, 6);
  ASSERT_NE(editor, nullptr);
  editor->setText(QString());  // would be refused with a message if committed
  QTest::keyClick(editor, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
  EXPECT_EQ(grid->GetItemText(0, 6), "office");

  Click(1, 1);
  Click(1, 7);
  auto* list = Open<CInPlaceList>();
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(list->findText("2"));
  QTest::keyClick(list, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(Record(1).channel, "6");

  Record(1).modified = 0;
  CCheckBox* box = grid->OpenCheckEditor(1, 9);
  ASSERT_NE(box, nullptr);
  QTest::keyClick(box, Qt::Key_Space);
  QTest::keyClick(box, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(Record(1).reboot, 0);
  EXPECT_EQ(Record(1).modified, 0);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EditTest, TextBoxIsGoneAtOnceListStaysUntilTheEventLoop) {
  QPointer<gxEditCell> editor = grid->OpenTextEditor(0, 2);
  ASSERT_TRUE(editor);
  grid->setFocus();
  EXPECT_FALSE(editor->isVisible());
  Click(1, 1);
  Click(1, 7);
  QPointer<CInPlaceList> list = Open<CInPlaceList>();
  ASSERT_TRUE(list);
  grid->setFocus();
  EXPECT_TRUE(list->isVisible());
  Settle();
  EXPECT_FALSE(list);
  EXPECT_FALSE(editor);
}

TEST_F(EditTest, RowsWithoutRecordSwitchNothing) {
  const int row = grid->InsertItem(grid->GetItemCount(), QStringLiteral("saved"));
  grid->SetItemText(row, 1, QStringLiteral("00:40:96:00:00:99"));
  grid->SetItemText(row, 7, QStringLiteral("6"));
  Click(row, 8);
  Click(row, 9);
  Click(row, 7);
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
  // A text edit finds no record under the row's MAC and changes nothing.
  TypeInto(row, 2, QStringLiteral("10.9.9.9"));
  EXPECT_TRUE(grid->GetItemText(row, 2).isEmpty());
}

// --- Replies while an editor is open ------------------------------------------

TEST_F(EditTest, RowsAppendedWhileEditingDoNotDisturbTheCommit) {
  gxEditCell* editor = grid->OpenTextEditor(1, 5);
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Lobby"));
  for (int i = 0; i < 50; ++i) AddRow('S', "00:40:96:00:01:" + std::to_string(10 + i));
  grid->setFocus();
  Settle();
  EXPECT_EQ(Record(1).devName, "Lobby");
  EXPECT_EQ(grid->GetItemText(1, 5), "Lobby");
}

TEST_F(EditTest, DeletingAllRowsEndsTheOpenEditorFirst) {
  gxEditCell* editor = grid->OpenTextEditor(2, 5);
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Barn"));
  CAPinfo* record = grid->GetItemData(2);
  grid->DeleteAllItems();
  Settle();
  EXPECT_EQ(grid->GetItemCount(), 0);
  EXPECT_EQ(record->devName, "Barn");
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
}

TEST_F(EditTest, ReportForARowThatIsGoneChangesNothing) {
  const QString text = QStringLiteral("10.3.3.3");
  EXPECT_EQ(grid->OnEndLabelEdit(7, 2, 1001, &text, 8), 0);
  EXPECT_EQ(grid->OnEndLabelEdit(-1, 2, 1001, &text, 8), 0);
  // A text report for a check column cannot switch it.
  const QString empty;
  grid->OnEndLabelEdit(0, 8, 1001, &empty, 0);
  EXPECT_EQ(Record(0).dhcp, "1");
  EXPECT_EQ(Record(0).modified, 0);
}

TEST_F(EditTest, HeaderClickEndsTheOpenEditorBeforeSwitchingAll) {
  Click(1, 8);  // "0" becomes "1", the box opens checked
  auto* box = Open<CCheckBox>();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isChecked());
  grid->OnColumnClick(8);  // first click: all off
  Settle();
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(Record(row).dhcp, "0") << row;
}

// --- Navigation ---------------------------------------------------------------

enum class Start { Text, List, Check, Grid };

struct NavCase {
  const char* name;
  Start start;
  int row;
  int column;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  Opens opens;
  int toRow;
  int toColumn;
};

class NavigationTest : public GridFixture, public ::testing::WithParamInterface<NavCase> {};

TEST_P(NavigationTest, KeyMovesToTheNextEditor) {
  const NavCase& c = GetParam();
  QWidget* first = nullptr;
  switch (c.start) {
    case Start::Text: first = grid->OpenTextEditor(c.row, c.column); break;
    case Start::List: {
      int selection = -1;
      const QStringList items = grid->ChannelItems(c.row, &selection);
      first = grid->OpenChannelList(c.row, c.column, items, selection);
      break;
    }
    case Start::Check: first = grid->OpenCheckEditor(c.row, c.column); break;
    case Start::Grid:
      grid->m_nCurRow = c.row;
      grid->m_nCurCol = c.column;
      grid->setFocus();
      first = grid;
      break;
  }
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(Focus(), first);
  QTest::keyClick(first, c.key, c.modifiers);
  Settle();
  EXPECT_EQ(WhatHasFocus(), c.opens);
  if (c.opens != Opens::Nothing) {
    EXPECT_EQ(grid->m_nCurRow, c.toRow);
    EXPECT_EQ(grid->m_nCurCol, c.toColumn);
    auto* link = dynamic_cast<gxEditorLink*>(Focus());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Row(), c.toRow);
    EXPECT_EQ(link->Column(), c.toColumn);
  }
}

constexpr auto kNone = Qt::NoModifier;
constexpr auto kShift = Qt::ShiftModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, NavigationTest,
    ::testing::Values(
        NavCase{"TabIpToMask", Start::Text, 0, 2, Qt::Key_Tab, kNone, Opens::Text, 0, 3},
        NavCase{"EnterIpToMask", Start::Text, 0, 2, Qt::Key_Return, kNone, Opens::Text, 0, 3},
        NavCase{"ShiftTabEnds", Start::Text, 0, 2, Qt::Key_Tab, kShift, Opens::Nothing, 0, 0},
        NavCase{"ShiftEnterEnds", Start::Text, 0, 2, Qt::Key_Return, kShift, Opens::Nothing, 0,
                0},
        NavCase{"TabDevNameToSsid", Start::Text, 1, 5, Qt::Key_Tab, kNone, Opens::Text, 1, 6},
        NavCase{"TabSsidToChannel", Start::Text, 1, 6, Qt::Key_Tab, kNone, Opens::List, 1, 7},
        NavCase{"TabChannelToDhcp", Start::List, 1, 7, Qt::Key_Tab, kNone, Opens::Check, 1, 8},
        NavCase{"EnterInListEnds", Start::List, 1, 7, Qt::Key_Return, kNone, Opens::Nothing, 0,
                0},
        NavCase{"TabDhcpToReboot", Start::Check, 1, 8, Qt::Key_Tab, kNone, Opens::Check, 1, 9},
        NavCase{"TabRebootToNextIp", Start::Check, 1, 9, Qt::Key_Tab, kNone, Opens::Text, 2, 2},
        NavCase{"TabRebootLastWraps", Start::Check, 3, 9, Qt::Key_Tab, kNone, Opens::Text, 0, 2},
        NavCase{"EnterInCheckEnds", Start::Check, 1, 8, Qt::Key_Return, kNone, Opens::Nothing, 0,
                0},
        NavCase{"TextUpOnRowZeroStays", Start::Text, 0, 3, Qt::Key_Up, kNone, Opens::Text, 0, 3},
        NavCase{"TextUp", Start::Text, 2, 3, Qt::Key_Up, kNone, Opens::Text, 1, 3},
        NavCase{"TextDown", Start::Text, 1, 4, Qt::Key_Down, kNone, Opens::Text, 2, 4},
        NavCase{"TextDownLastWraps", Start::Text, 3, 4, Qt::Key_Down, kNone, Opens::Text, 0, 4},
        NavCase{"CheckUpOnRowZeroStays", Start::Check, 0, 8, Qt::Key_Up, kNone, Opens::Check, 0,
                8},
        NavCase{"CheckDownOnLastStays", Start::Check, 3, 9, Qt::Key_Down, kNone, Opens::Check, 3,
                9},
        NavCase{"CheckDown", Start::Check, 1, 8, Qt::Key_Down, kNone, Opens::Check, 2, 8},
        NavCase{"CheckUp", Start::Check, 2, 9, Qt::Key_Up, kNone, Opens::Check, 1, 9},
        NavCase{"GridTabFromStartOpensIp", Start::Grid, 0, 1, Qt::Key_Tab, kNone, Opens::Text, 0,
                2},
        NavCase{"GridUpOnRowZeroWraps", Start::Grid, 0, 5, Qt::Key_Up, kNone, Opens::Text, 3, 5},
        NavCase{"GridDownOnLastWraps", Start::Grid, 3, 5, Qt::Key_Down, kNone, Opens::Text, 0, 5},
        NavCase{"GridDownOnChannelTypes", Start::Grid, 1, 7, Qt::Key_Down, kNone, Opens::Text, 2,
                7},
        NavCase{"GridDownOnDhcpKeepsCheck", Start::Grid, 1, 8, Qt::Key_Down, kNone, Opens::Check,
                2, 8},
        NavCase{"GridUpOnMacOpensNothing", Start::Grid, 1, 1, Qt::Key_Up, kNone, Opens::Nothing,
                0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, TabFromSsidWithEmptyChannelGoesOnToDhcp) {
  grid->SetItemText(2, 7, QString());
  gxEditCell* editor = grid->OpenTextEditor(2, 6);
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Tab);
  Settle();
  EXPECT_EQ(WhatHasFocus(), Opens::Check);
  EXPECT_EQ(grid->m_nCurCol, 8);
}

TEST_F(EditTest, TabCommitsTheCellItLeaves) {
  gxEditCell* editor = grid->OpenTextEditor(2, 3);
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("255.0.0.0"));
  QTest::keyClick(editor, Qt::Key_Tab);
  Settle();
  EXPECT_EQ(Record(2).mask, "255.0.0.0");
  EXPECT_EQ(WhatHasFocus(), Opens::Text);
}

// --- Keys that stay in the text box -------------------------------------------

TEST_F(EditTest, WindowShortcutsWorkFromTheGrid) {
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier);
  QTest::keyClick(grid, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(selectAllShortcut, 1);
  EXPECT_EQ(refreshShortcut, 1);
  EXPECT_EQ(updateShortcut, 1);
}

TEST_F(EditTest, CtrlKeysInATextBoxStayInTheTextBox) {
  gxEditCell* editor = grid->OpenTextEditor(1, 5);
  ASSERT_NE(editor, nullptr);
  editor->deselect();
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_R, Qt::ControlModifier);
  QTest::keyClick(editor, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(selectAllShortcut, 0);
  EXPECT_EQ(refreshShortcut, 0);
  EXPECT_EQ(updateShortcut, 0);
  EXPECT_EQ(Focus(), editor);
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(editor->selectedText(), "Hall");  // Ctrl+A selected the text
  EXPECT_FALSE(grid->GetItemSelected(0));
}

TEST_F(EditTest, EnterAndEscapeInListAndCheckBoxReachTheEditor) {
  auto* action = new QAction(window.get());
  int triggered = 0;
  action->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Escape)});
  QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
  window->addAction(action);
  CCheckBox* box = grid->OpenCheckEditor(1, 8);
  ASSERT_NE(box, nullptr);
  QTest::keyClick(box, Qt::Key_Escape);
  Settle();
  int selection = -1;
  const QStringList items = grid->ChannelItems(1, &selection);
  CInPlaceList* list = grid->OpenChannelList(1, 7, items, selection);
  ASSERT_NE(list, nullptr);
  QTest::keyClick(list, Qt::Key_Return);
  Settle();
  EXPECT_EQ(triggered, 0);
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
}

TEST_F(EditTest, DeleteInATextBoxDeletesTextNotAWindowCommand) {
  auto* action = new QAction(window.get());
  int triggered = 0;
  action->setShortcut(QKeySequence(Qt::Key_Delete));
  QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
  window->addAction(action);
  gxEditCell* editor = grid->OpenTextEditor(0, 5);
  ASSERT_NE(editor, nullptr);
  editor->setCursorPosition(0);
  QTest::keyClick(editor, Qt::Key_Delete);
  EXPECT_EQ(triggered, 0);
  EXPECT_EQ(editor->text(), "oof");
}

TEST_F(EditTest, ScrollingByTheOperatorEndsTheOpenEditor) {
  for (int i = 0; i < 100; ++i) AddRow('R', "00:40:96:00:03:" + std::to_string(i));
  Settle();
  gxEditCell* editor = grid->OpenTextEditor(1, 5);
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("Cellar"));
  grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  Settle();
  EXPECT_EQ(WhatHasFocus(), Opens::Nothing);
  EXPECT_EQ(Record(1).devName, "Cellar");
}

// --- Placement ------------------------------------------------------------------

TEST_F(EditTest, EditorSitsOverItsCell) {
  gxEditCell* editor = grid->OpenTextEditor(2, 3);
  ASSERT_NE(editor, nullptr);
  const QRect cell = grid->visualRect(grid->Model()->index(2, 3));
  EXPECT_EQ(editor->geometry().left(), cell.left() + 4);
  EXPECT_EQ(editor->geometry().width(), cell.width() - 3);
  EXPECT_EQ(editor->geometry().top(), cell.top());
  EXPECT_EQ(editor->geometry().height(), cell.height());
}

TEST_F(EditTest, TypingWidensTheTextBoxUpToTheGridsEdge) {
  gxEditCell* editor = grid->OpenTextEditor(0, 5);
  ASSERT_NE(editor, nullptr);
  const int startWidth = editor->width();
  const int edge = grid->viewport()->width();
  QTest::keyClicks(editor, "Rooftop mast 1");
  EXPECT_GT(editor->width(), startWidth);
  EXPECT_LT(editor->geometry().right() + 1, edge);
  QTest::keyClicks(editor, QString(120, QLatin1Char('x')));
  EXPECT_EQ(editor->geometry().right() + 1, edge);
}

TEST_F(EditTest, NarrowColumnsOpenNoEditor) {
  grid->setColumnWidth(3, 4);
  grid->setColumnWidth(7, 9);
  EXPECT_EQ(grid->OpenTextEditor(0, 3), nullptr);
  EXPECT_EQ(grid->OpenChannelList(0, 7, {"1"}, 0), nullptr);
  EXPECT_EQ(grid->OpenTextEditor(0, 1), nullptr);
  EXPECT_EQ(grid->OpenTextEditor(4, 2), nullptr);
}

TEST_F(EditTest, EditorOfAHiddenColumnScrollsItIntoView) {
  grid->FitToClient(300, 200);
  Settle();
  gxEditCell* editor = grid->OpenTextEditor(0, 6);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(grid->columnViewportPosition(6) + 4, editor->geometry().left());
  EXPECT_GE(editor->geometry().left(), 0);
  EXPECT_LE(editor->geometry().right(), grid->viewport()->width());
}

}  // namespace
}  // namespace tervane::test
