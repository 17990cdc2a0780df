#include "CTolvexDlg.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTreeWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "CHostCombo.h"
#include "CTolvexApp.h"
#include "TestNamespace.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace tervane {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::MatchesRegex;

constexpr const char* kUnresolvable = "no-such-host.invalid";
constexpr const char* kSilentAddress = "192.0.2.1";

QStringList ComboEntries(const CHostCombo* combo) {
  QStringList entries;
  for (int i = 0; i < combo->count(); ++i) entries << combo->itemText(i);
  return entries;
}

class DialogTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::InPrivateNetwork()) GTEST_SKIP() << "runs only in a private network namespace";
    QSettings().clear();
  }

  static void StoreHistory(const QStringList& hosts) {
    QSettings profile;
    profile.beginGroup("MRU");
    profile.setValue("Entries", static_cast<int>(hosts.size()));
    for (int i = 0; i < hosts.size(); ++i) profile.setValue(QString::asprintf("Host#%d", i), hosts[i]);
  }

  static QStringList StoredHistory() {
    QSettings profile;
    profile.beginGroup("MRU");
    QStringList hosts;
    const int n = profile.value("Entries", -1).toInt();
    for (int i = 0; i < n; ++i) hosts << profile.value(QString::asprintf("Host#%d", i)).toString();
    return hosts;
  }

  std::unique_ptr<CTolvexDlg> Open(const QString& commandLine) {
    auto dlg = std::make_unique<CTolvexDlg>(commandLine);
    dlg->show();
    return dlg;
  }

  // Lets the dialog take the lines of the run in progress until it is idle.
  static void WaitIdle(CTolvexDlg& dlg) {
    QDeadlineTimer limit(60000);  // only against a hang
    while (dlg.isBusy() && !limit.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_FALSE(dlg.isBusy());
  }

  static void PingAgain(CTolvexDlg& dlg, const QString& host, int count) {
    dlg.hostCombo()->lineEdit()->setText(host);
    dlg.retries()->setValue(count);
    dlg.pingButton()->click();
  }

  static QStringList Rows(const CTolvexDlg& dlg) {
    QStringList rows;
    QTreeWidget* list = dlg.resultList();
    for (int i = 0; i < list->topLevelItemCount(); ++i) rows << list->topLevelItem(i)->text(0);
    return rows;
  }

  static bool ControlsEnabled(const CTolvexDlg& dlg) {
    return dlg.hostCombo()->isEnabled() && dlg.retries()->isEnabled() && dlg.pingButton()->isEnabled();
  }
};

TEST_F(DialogTest, HistoryIsReadSortedWithTheCommandLineOnTop) {
  StoreHistory({"zeta.example", "Alpha.example", "beta.example"});
  auto dlg = Open(kUnresolvable);
  EXPECT_THAT(ComboEntries(dlg->hostCombo()),
              ElementsAre(kUnresolvable, "Alpha.example", "beta.example", "zeta.example"));
  EXPECT_EQ(dlg->hostCombo()->WindowText(), kUnresolvable);
  WaitIdle(*dlg);
}

TEST_F(DialogTest, WithoutHistoryOnlyTheCommandLineIsListed) {
  auto dlg = Open(QString());
  EXPECT_THAT(ComboEntries(dlg->hostCombo()), ElementsAre(""));
  EXPECT_EQ(dlg->hostCombo()->currentIndex(), 0);
  WaitIdle(*dlg);
  // The empty text goes to the resolver as it is, which finds no host.
  EXPECT_THAT(Rows(*dlg), ElementsAre("Host not found: "));
}

TEST_F(DialogTest, ADamagedEntryCountReadsOnlyTheStoredHosts) {
  StoreHistory({"beta.example", "alpha.example"});
  QSettings().setValue("MRU/Entries", 2000000000);
  auto dlg = Open(kUnresolvable);
  EXPECT_THAT(ComboEntries(dlg->hostCombo()), ElementsAre(kUnresolvable, "alpha.example", "beta.example"));
  WaitIdle(*dlg);
}

TEST_F(DialogTest, HistoryIsWrittenInListOrderWithDuplicates) {
  StoreHistory({"omega.invalid", kUnresolvable, "alpha.invalid"});
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  dlg->reject();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_THAT(StoredHistory(), ElementsAre(kUnresolvable, "alpha.invalid", kUnresolvable, "omega.invalid"));
}

TEST_F(DialogTest, FirstRunStartsAtOnceWithTheCommandLineAndFiveRequests) {
  auto dlg = Open(kUnresolvable);
  EXPECT_TRUE(dlg->isBusy());
  EXPECT_EQ(dlg->retries()->value(), 5);
  EXPECT_EQ(dlg->retries()->minimum(), 1);
  EXPECT_EQ(dlg->retries()->maximum(), 99);
  WaitIdle(*dlg);
  EXPECT_THAT(Rows(*dlg), ElementsAre("Host not found: no-such-host.invalid"));
}

TEST_F(DialogTest, ControlsAreDisabledDuringARunAndTheSecondRunIsSeparated) {
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  EXPECT_TRUE(ControlsEnabled(*dlg));

  PingAgain(*dlg, "127.0.0.1", 1);
  EXPECT_TRUE(dlg->isBusy());
  EXPECT_FALSE(dlg->hostCombo()->isEnabled());
  EXPECT_FALSE(dlg->retries()->isEnabled());
  EXPECT_FALSE(dlg->pingButton()->isEnabled());
  EXPECT_TRUE(dlg->closeButton()->isEnabled());
  EXPECT_TRUE(dlg->resultList()->isEnabled());
  WaitIdle(*dlg);
  EXPECT_TRUE(ControlsEnabled(*dlg));

  const auto rows = Rows(*dlg);
  ASSERT_EQ(rows.size(), 4);
  EXPECT_EQ(rows[0], "Host not found: no-such-host.invalid");
  EXPECT_EQ(rows[1], "");
  EXPECT_EQ(rows[2], "Pinging 127.0.0.1 [127.0.0.1] with 32 bytes of data:");
  EXPECT_THAT(rows[3].toStdString(),
              MatchesRegex("Reply\\[1\\] from: 127\\.0\\.0\\.1: bytes=32 time=[0-9]+ms TTL=64"));

  // Each line kind has its own picture, the separator included.
  QTreeWidget* list = dlg->resultList();
  const auto image = [list](int row) { return list->topLevelItem(row)->icon(0).pixmap(16).toImage(); };
  EXPECT_NE(image(0), image(1));
  EXPECT_NE(image(1), image(2));
  EXPECT_NE(image(2), image(3));
  EXPECT_NE(image(0), image(3));
  EXPECT_FALSE(image(1).isNull());

  const QString dir = qEnvironmentVariable("TOLVEX_GRAB_DIR");
  if (!dir.isEmpty()) dlg->grab().save(QDir(dir).filePath("tolvex-dialog.png"));
}

struct AddCase {
  const char* name;
  QStringList history;
  QString typed;
  QStringList expected;
};

class HostAddingTest : public DialogTest, public testing::WithParamInterface<AddCase> {};

TEST_P(HostAddingTest, HostIsAddedOnlyAfterAResolvedRun) {
  StoreHistory(GetParam().history);
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  PingAgain(*dlg, GetParam().typed, 1);
  WaitIdle(*dlg);
  EXPECT_THAT(ComboEntries(dlg->hostCombo()), ElementsAreArray(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostAddingTest,
    testing::Values(
        // Added in sorted place, which may be before the command-line entry.
        AddCase{"Resolved", {"zeta.invalid"}, "127.0.0.1", {"127.0.0.1", kUnresolvable, "zeta.invalid"}},
        // Every request timed out, but the name resolved.
        AddCase{"TimedOut", {}, kSilentAddress, {kSilentAddress, kUnresolvable}},
        AddCase{"NotResolved", {"zeta.invalid"}, "other.invalid", {kUnresolvable, "zeta.invalid"}},
        AddCase{"AlreadyListedIgnoringCase", {"LocalHost"}, "localhost", {kUnresolvable, "LocalHost"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, EnterRunsPingWhenIdle) {
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  dlg->hostCombo()->lineEdit()->setText("127.0.0.1");
  dlg->retries()->setValue(1);
  dlg->activateWindow();
  dlg->hostCombo()->setFocus();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dlg->hostCombo()->lineEdit(), &press);
  EXPECT_TRUE(dlg->isBusy());
  WaitIdle(*dlg);
  EXPECT_EQ(Rows(*dlg).size(), 4);
}

TEST_F(DialogTest, ClosingDuringARunHidesTheWindowAtOnce) {
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  PingAgain(*dlg, kSilentAddress, 1);
  const QString dir = qEnvironmentVariable("TOLVEX_GRAB_DIR");
  if (!dir.isEmpty()) {
    QDeadlineTimer ticks(350);
    while (!ticks.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    dlg->grab().save(QDir(dir).filePath("tolvex-busy.png"));
  }
  dlg->reject();
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(dlg->isBusy()) << "the run goes on after the window closed";
  EXPECT_THAT(StoredHistory(), ElementsAre(kUnresolvable));
  dlg.reset();  // waits for the run to end
}

// One keystroke into the host field and what it shows afterwards.
struct Keystroke {
  Qt::Key key;
  QString text;
  QString shown;
  QString selected;
};

TEST_F(DialogTest, TypeAheadCompletesFromTheListIgnoringCase) {
  StoreHistory({"beta2", "Beta.example", "alpha"});
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  QLineEdit* edit = dlg->hostCombo()->lineEdit();
  edit->clear();
  edit->setFocus();
  const Keystroke keys[] = {
      {Qt::Key_B, "b", "Beta.example", "eta.example"},
      {Qt::Key_E, "e", "Beta.example", "ta.example"},
      {Qt::Key_T, "t", "Beta.example", "a.example"},
      {Qt::Key_A, "a", "Beta.example", ".example"},
      {Qt::Key_2, "2", "beta2", ""},
      // Deleting does not complete, so the shorter text can be kept.
      {Qt::Key_Backspace, "", "beta", ""},
      {Qt::Key_Period, ".", "Beta.example", "example"},
      {Qt::Key_X, "x", "Beta.x", ""},
  };
  for (const Keystroke& k : keys) {
    QKeyEvent press(QEvent::KeyPress, k.key, Qt::NoModifier, k.text);
    QApplication::sendEvent(edit, &press);
    EXPECT_EQ(edit->text(), k.shown) << "after " << k.text.toStdString();
    EXPECT_EQ(edit->selectedText(), k.selected) << "after " << k.text.toStdString();
  }
}

TEST_F(DialogTest, TypingInTheMiddleKeepsTheCaret) {
  StoreHistory({"abc.example"});
  auto dlg = Open(kUnresolvable);
  WaitIdle(*dlg);
  QLineEdit* edit = dlg->hostCombo()->lineEdit();
  edit->setText("ac");
  edit->setCursorPosition(1);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
  QApplication::sendEvent(edit, &press);
  EXPECT_EQ(edit->text(), "abc.example");
  EXPECT_EQ(edit->cursorPosition(), 2);
  EXPECT_FALSE(edit->hasSelectedText());
}

struct ArgsCase {
  std::vector<const char*> argv;
  QString host;
  QString profile;
};

class CommandLineTest : public testing::TestWithParam<ArgsCase> {};

TEST_P(CommandLineTest, HostIsEverythingAfterTheProgramName) {
  std::vector<char*> argv;
  for (const char* a : GetParam().argv) argv.push_back(const_cast<char*>(a));
  EXPECT_EQ(CTolvexApp::CommandLineHost(static_cast<int>(argv.size()), argv.data()), GetParam().host);
  EXPECT_EQ(CTolvexApp::ProfileName(argv[0]), GetParam().profile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    testing::Values(ArgsCase{{"tolvex"}, "", "tolvex"},
                    ArgsCase{{"/opt/qelt/bin/tolvex", "192.168.1.20"}, "192.168.1.20", "tolvex"},
                    ArgsCase{{"Tolvex.exe", "my", "host"}, "my host", "Tolvex"},
                    // Qt's own options are host text here.
                    ArgsCase{{"./tolvex", "-platform", "xcb", "-style"}, "-platform xcb -style", "tolvex"}));

}  // namespace
}  // namespace tervane
