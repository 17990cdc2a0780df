#pragma once
// Dialog layouts are given in dialog units: a quarter of the font's average
// character width across, an eighth of its height down.

#include <QFontMetrics>
#include <QRect>
#include <QWidget>

namespace tervane {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    QFontMetrics fm(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    baseY_ = fm.height();
  }
  int X(int du) const { return du * baseX_ / 4; }
  int Y(int du) const { return du * baseY_ / 8; }
  QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }
  QSize Size(int w, int h) const { return QSize(X(w), Y(h)); }
  void Place(QWidget* w, int x, int y, int cx, int cy) const { w->setGeometry(Rect(x, y, cx, cy)); }

 private:
  int baseX_ = 6;
  int baseY_ = 13;
};

}  // namespace tervane
