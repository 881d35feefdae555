#pragma once

#include <QString>
#include <algorithm>
#include <array>

namespace fixed_text_detail {
// One Windows-1251 byte per character; a character outside the code page becomes '?'.
QByteArray toCp1251(const QString& text);
QString fromCp1251(const char* bytes, int size);
}  // namespace fixed_text_detail

// A text field of exactly N characters, held as the N Windows-1251 bytes that the results
// file stores. Assignment is left-aligned: longer text is cut, shorter text padded with blanks.
template <int N>
class FixedText {
 public:
  static constexpr int width = N;

  FixedText() { bytes_.fill(' '); }
  FixedText(const QString& text) { *this = text; }  // NOLINT: assignment from text is the point

  FixedText& operator=(const QString& text) {
    const QByteArray encoded = fixed_text_detail::toCp1251(text);
    bytes_.fill(' ');
    std::copy_n(encoded.constData(), std::min<qsizetype>(N, encoded.size()), bytes_.begin());
    return *this;
  }

  QString toQString() const { return fixed_text_detail::fromCp1251(bytes_.data(), N); }
  bool isBlank() const {
    return std::all_of(bytes_.begin(), bytes_.end(), [](char c) { return c == ' '; });
  }

  const std::array<char, N>& bytes() const { return bytes_; }
  void setBytes(const char* source) { std::copy_n(source, N, bytes_.begin()); }

  bool operator==(const FixedText&) const = default;

 private:
  std::array<char, N> bytes_;
};
