#pragma once
// The Option dialog: the user id and the device password, in clear.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace tervane {

class CConfig;

class CPrefDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CPrefDialog(CConfig& config, QWidget* parent = nullptr);

  // The file OK writes, relative to the working directory.
  static constexpr const char* kConfigFile = "config.xml";
  static QString SaveFailedText() { return QStringLiteral("config.xml could not be written"); }

  QLineEdit* PasswordEdit() const { return password_; }
  QLineEdit* UserIdEdit() const { return userId_; }
  QCheckBox* TrayCheck() const { return tray_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void OnInitDialog();
  void OnOK();

 private:
  CConfig& config_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QLineEdit* password_;
  QLineEdit* userId_;
  QCheckBox* tray_;
};

}  // namespace tervane
