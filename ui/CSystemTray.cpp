#include "CSystemTray.h"

namespace tervane {

int CSystemTray::availableOverride_ = -1;

CSystemTray::CSystemTray(QObject* parent) : QObject(parent) {}

CSystemTray::~CSystemTray() {
  if (icon_) icon_->hide();  // leaves the notification area with its owner
}

bool CSystemTray::AddIcon(const QString& tip, const QIcon& icon, QMenu* menu) {
  const bool available =
      availableOverride_ >= 0 ? availableOverride_ != 0 : QSystemTrayIcon::isSystemTrayAvailable();
  if (!available) {
    m_bEnabled = false;
    return false;
  }
  menu_ = menu;
  icon_ = std::make_unique<QSystemTrayIcon>(icon);
  icon_->setToolTip(tip);
  icon_->setContextMenu(menu);  // the desktop opens it on a right click
  connect(icon_.get(), &QSystemTrayIcon::activated, this, &CSystemTray::HandleNotify);
  ApplyDefault();
  icon_->show();
  m_bEnabled = true;
  return true;
}

bool CSystemTray::SetDefaultItem(int position) {
  if (m_bDefaultByPos && position == m_nDefaultItem && !defaultAction_) return true;
  m_nDefaultItem = position;
  m_bDefaultByPos = true;
  defaultAction_ = nullptr;
  ApplyDefault();
  return menu_ != nullptr;
}

bool CSystemTray::SetDefaultItem(QAction* action) {
  m_bDefaultByPos = false;
  defaultAction_ = action;
  ApplyDefault();
  return action != nullptr;
}

QAction* CSystemTray::DefaultAction() const {
  if (!m_bDefaultByPos) return defaultAction_;
  if (!menu_) return nullptr;
  const auto actions = menu_->actions();
  return m_nDefaultItem >= 0 && m_nDefaultItem < actions.size() ? actions[m_nDefaultItem] : nullptr;
}

void CSystemTray::ApplyDefault() {
  if (!menu_) return;
  QAction* chosen = DefaultAction();
  for (QAction* a : menu_->actions()) {
    QFont f = a->font();
    f.setBold(a == chosen);
    a->setFont(f);
  }
  menu_->setDefaultAction(chosen);
}

void CSystemTray::HandleNotify(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      if (QAction* a = DefaultAction()) a->trigger();
      break;
    case QSystemTrayIcon::Context:
      // The desktop shows the context menu itself; only the bold default is ours.
      ApplyDefault();
      break;
    default:
      break;  // a single click, the middle button and the rest do nothing
  }
}

}  // namespace tervane
