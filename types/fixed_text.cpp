#include "types/fixed_text.h"

#include <QHash>
#include <QStringDecoder>

namespace fixed_text_detail {
namespace {

// The code page is read once from ICU: byte -> character, and the reverse map built from it.
struct Cp1251Table {
  QString toUnicode[256];
  QHash<char32_t, char> fromUnicode;

  Cp1251Table() {
    QStringDecoder decoder("windows-1251");
    for (int byte = 0; byte < 256; ++byte) {
      const char c = static_cast<char>(byte);
      toUnicode[byte] = decoder.decode(QByteArrayView(&c, 1));
      const QList<uint> codes = toUnicode[byte].toUcs4();
      if (codes.size() == 1 && codes.front() != 0xFFFD && !fromUnicode.contains(codes.front())) {
        fromUnicode.insert(codes.front(), c);
      }
    }
  }
};

const Cp1251Table& table() {
  static const Cp1251Table instance;
  return instance;
}

}  // namespace

QByteArray toCp1251(const QString& text) {
  const Cp1251Table& codePage = table();
  QByteArray result;
  // Composed form first: a letter typed or pasted as base + combining mark ("й" as "и" + U+0306)
  // is one Windows-1251 character.
  const QList<uint> codes = text.normalized(QString::NormalizationForm_C).toUcs4();
  result.reserve(codes.size());
  for (uint code : codes) result.append(codePage.fromUnicode.value(code, '?'));
  return result;
}

QString fromCp1251(const char* bytes, int size) {
  const Cp1251Table& codePage = table();
  QString result;
  result.reserve(size);
  for (int i = 0; i < size; ++i) result += codePage.toUnicode[static_cast<unsigned char>(bytes[i])];
  return result;
}

}  // namespace fixed_text_detail
