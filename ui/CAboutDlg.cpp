#include "CAboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "Artwork.h"
#include "DialogUnits.h"

namespace tervane {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Tervane"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  const DialogUnits du(font());
  setFixedSize(du.Size(235, 55));

  auto* icon = new QLabel(this);
  const QRect iconRect = du.Rect(11, 17, 20, 20);
  const int side = std::min(iconRect.width(), iconRect.height());
  icon->setGeometry(iconRect.x(), iconRect.y(), side, side);
  icon->setPixmap(ProgramIcon().pixmap(side, side));

  auto* text = new QLabel(QStringLiteral("Tervane Version 1.1"), this);
  du.Place(text, 40, 10, 119, 8);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  du.Place(ok, 178, 7, 50, 14);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tervane
