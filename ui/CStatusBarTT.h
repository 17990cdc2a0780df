#pragma once
// A status bar whose indicator panes each carry a tool tip of their own.
// The first pane is the message pane: prompts and "Ready", no tip.

#include <QLabel>
#include <QList>
#include <QStatusBar>
#include <QString>
#include <map>

namespace tervane {

struct StatusPane {
  int id = 0;           // 0: the message pane
  QString widthText;    // the pane is at least as wide as this text
  QString tip;          // empty: no tool tip
};

class CStatusBarTT : public QStatusBar {
  Q_OBJECT

 public:
  explicit CStatusBarTT(QWidget* parent = nullptr);

  // Replaces the panes. A tip is given only to a pane that has both an id
  // and a tip text.
  bool SetIndicatorsWithTips(const QList<StatusPane>& panes);

  void SetPaneText(int id, const QString& text);
  QString PaneText(int id) const;
  QString PaneTip(int id) const;
  QLabel* Pane(int id) const;

  // The message pane's text; an empty text shows the idle prompt.
  void SetMessage(const QString& text);
  QString Message() const;
  static QString IdlePrompt() { return QStringLiteral("Ready"); }

 private:
  QLabel* message_;
  std::map<int, QLabel*> panes_;
};

}  // namespace tervane
