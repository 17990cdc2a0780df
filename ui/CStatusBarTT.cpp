#include "CStatusBarTT.h"

#include <QFontMetrics>

namespace tervane {

CStatusBarTT::CStatusBarTT(QWidget* parent) : QStatusBar(parent), message_(new QLabel(this)) {
  setSizeGripEnabled(true);
  message_->setText(IdlePrompt());
  message_->setMinimumWidth(1);
  addWidget(message_, 1);
}

bool CStatusBarTT::SetIndicatorsWithTips(const QList<StatusPane>& panes) {
  for (auto& [id, label] : panes_) {
    removeWidget(label);
    delete label;
  }
  panes_.clear();
  for (const StatusPane& pane : panes) {
    if (pane.id == 0) continue;  // the message pane exists already and never has a tip
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    // Sized for the width text, but a longer count still shows whole.
    const int margin = 2 * label->frameWidth() + 8;
    label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(pane.widthText) + margin);
    if (!pane.tip.isEmpty()) label->setToolTip(pane.tip);
    addPermanentWidget(label);
    panes_[pane.id] = label;
  }
  return true;
}

QLabel* CStatusBarTT::Pane(int id) const {
  auto it = panes_.find(id);
  return it == panes_.end() ? nullptr : it->second;
}

void CStatusBarTT::SetPaneText(int id, const QString& text) {
  if (QLabel* label = Pane(id)) label->setText(text);
}

QString CStatusBarTT::PaneText(int id) const {
  QLabel* label = Pane(id);
  return label ? label->text() : QString();
}

QString CStatusBarTT::PaneTip(int id) const {
  if (id == 0) return {};
  QLabel* label = Pane(id);
  return label ? label->toolTip() : QString();
}

void CStatusBarTT::SetMessage(const QString& text) { message_->setText(text.isEmpty() ? IdlePrompt() : text); }

QString CStatusBarTT::Message() const { return message_->text(); }

}  // namespace tervane
