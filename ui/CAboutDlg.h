#pragma once
// The About box.

#include <QDialog>

namespace tervane {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace tervane
