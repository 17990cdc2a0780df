#pragma once
// The icon in the desktop's notification area: a right click opens its
// menu at the cursor, a double click runs the menu's default entry.

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

namespace tervane {

class CSystemTray : public QObject {
  Q_OBJECT

 public:
  explicit CSystemTray(QObject* parent = nullptr);
  ~CSystemTray() override;

  // Shows the icon with its tip and menu. False when the desktop has no
  // notification area; nothing is shown then.
  bool AddIcon(const QString& tip, const QIcon& icon, QMenu* menu);
  bool IsEnabled() const { return m_bEnabled; }

  // The default entry, by position in the menu or by its action: drawn bold,
  // run by a double click.
  bool SetDefaultItem(int position);
  bool SetDefaultItem(QAction* action);
  QAction* DefaultAction() const;

  // What the icon does for a mouse action on it.
  void HandleNotify(QSystemTrayIcon::ActivationReason reason);

  QSystemTrayIcon* Icon() const { return icon_.get(); }
  QMenu* Menu() const { return menu_; }

  // Stands in for the desktop's answer in tests.
  static void SetAvailabilityForTesting(int available) { availableOverride_ = available; }

 private:
  void ApplyDefault();

  bool m_bEnabled = false;
  int m_nDefaultItem = 0;
  bool m_bDefaultByPos = true;
  QPointer<QAction> defaultAction_;
  QPointer<QMenu> menu_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  static int availableOverride_;  // -1: ask the desktop
};

}  // namespace tervane
