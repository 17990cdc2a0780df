#pragma once
// Records hold bytes; the windows show them as Latin-1, one byte for one
// character, so a text makes the round trip between record and screen
// unchanged.

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

namespace tervane {

QString FromLatin1(std::string_view bytes);
// Only meaningful for texts that IsLatin1 accepts.
std::string ToLatin1(const QString& text);
bool IsLatin1(const QString& text);

// Refuses any input holding a character that has no Latin-1 byte, so
// nothing typed or pasted is changed on its way into a record.
class Latin1Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace tervane
