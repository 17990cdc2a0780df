#include "Latin1.h"

namespace tervane {

QString FromLatin1(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToLatin1(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool IsLatin1(const QString& text) {
  for (QChar c : text) {
    if (c.unicode() > 0xFF) return false;
  }
  return true;
}

QValidator::State Latin1Validator::validate(QString& input, int&) const {
  return IsLatin1(input) ? Acceptable : Invalid;
}

}  // namespace tervane
