#include "frame/personal_field_filter.h"

#include <algorithm>

namespace {
constexpr char16_t kRefusedInNumbers[] = u" *+,/:;<>?[\\]|";  // 14 characters
}  // namespace

bool isRefusedCharacter(PersonalBox box, QChar c) {
  if (box == PersonalBox::Name && c == QLatin1Char('.')) return true;
  return std::find(std::begin(kRefusedInNumbers), std::end(kRefusedInNumbers) - 1, c.unicode()) !=
         std::end(kRefusedInNumbers) - 1;
}

QString withoutRefusedCharacters(PersonalBox box, const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (QChar c : text) {
    if (!isRefusedCharacter(box, c) && c.category() != QChar::Other_Control) kept += c;
  }
  return kept;
}
