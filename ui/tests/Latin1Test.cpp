#include <gtest/gtest.h>

#include "Latin1.h"

namespace tervane::test {
namespace {

TEST(Latin1Test, EveryByteMakesTheRoundTrip) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  const QString text = FromLatin1(bytes);
  EXPECT_EQ(text.size(), 256);
  EXPECT_TRUE(IsLatin1(text));
  EXPECT_EQ(ToLatin1(text), bytes);
}

TEST(Latin1Test, ValidatorRefusesWhatLatin1CannotHold) {
  Latin1Validator validator;
  struct Case {
    QString text;
    QValidator::State state;
  };
  for (Case c : {Case{QString(), QValidator::Acceptable},
                 Case{QString::fromLatin1("Caf\xE9 \xFF"), QValidator::Acceptable},
                 Case{QString::fromUtf8("5 \u20AC"), QValidator::Invalid},
                 Case{QString::fromUtf8("\u0141odz"), QValidator::Invalid}}) {
    int pos = 0;
    EXPECT_EQ(validator.validate(c.text, pos), c.state) << c.text.toStdString();
  }
}

}  // namespace
}  // namespace tervane::test
