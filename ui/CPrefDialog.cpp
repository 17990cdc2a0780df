#include "CPrefDialog.h"

#include <QLabel>

#include "BlowfishCipher.h"
#include "CConfig.h"
#include "DialogUnits.h"
#include "Latin1.h"
#include "MessageBox.h"

namespace tervane {

CPrefDialog::CPrefDialog(CConfig& config, QWidget* parent)
    : QDialog(parent), config_(config) {
  setWindowTitle(QStringLiteral("Option"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  const DialogUnits du(font());
  setFixedSize(du.Size(186, 95));

  // Created in tab order: OK, Cancel, the password, the user id.
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  du.Place(ok_, 129, 7, 50, 14);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  du.Place(cancel_, 129, 24, 50, 14);

  auto* passwordLabel = new QLabel(QStringLiteral("Password:"), this);
  du.Place(passwordLabel, 7, 24, 37, 8);
  password_ = new QLineEdit(this);
  du.Place(password_, 45, 24, 62, 13);
  auto* userLabel = new QLabel(QStringLiteral("User ID:"), this);
  du.Place(userLabel, 7, 7, 37, 8);
  userId_ = new QLineEdit(this);
  du.Place(userId_, 45, 7, 62, 13);
  for (QLineEdit* e : {password_, userId_}) e->setValidator(new Latin1Validator(e));

  // The tray flag travels through a check box the operator never sees.
  tray_ = new QCheckBox(this);
  du.Place(tray_, 14, 78, 9, 10);
  tray_->setEnabled(false);
  tray_->hide();
  auto* trayLabel = new QLabel(QStringLiteral("Minimized to System Tray"), this);
  du.Place(trayLabel, 26, 78, 136, 10);
  trayLabel->setEnabled(false);
  trayLabel->hide();

  setTabOrder(ok_, cancel_);
  setTabOrder(cancel_, password_);
  setTabOrder(password_, userId_);

  connect(ok_, &QPushButton::clicked, this, &CPrefDialog::OnOK);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  OnInitDialog();
}

void CPrefDialog::OnInitDialog() {
  password_->setText(FromLatin1(config_.password));
  userId_->setText(FromLatin1(config_.userId));
  tray_->setChecked(config_.sysTray != 0);
  ok_->setFocus();
}

void CPrefDialog::OnOK() {
  const std::string password = ToLatin1(password_->text());
  if (password != config_.password) {
    config_.password = password;
    config_.keyText = BuildKeyText(password);
  }
  config_.userId = ToLatin1(userId_->text());
  config_.sysTray = tray_->isChecked() ? 1 : 0;
  // The new values stay in effect even when the file cannot be written.
  if (!config_.Save(kConfigFile)) ShowMessageBox(this, SaveFailedText());
  accept();
}

}  // namespace tervane
