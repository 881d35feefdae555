#include "records/results_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "app/work_state.h"

namespace {

class RecordWriter {
 public:
  template <int N>
  void text(const FixedText<N>& field) {
    bytes_.append(field.bytes().data(), N);
  }
  void singles(const float* values, int first, int count) {
    for (int i = first; i < first + count; ++i) {
      std::uint32_t bits;
      std::memcpy(&bits, &values[i], sizeof bits);
      little(bits);
    }
  }
  void int16(std::int16_t value) { little(value); }
  void currency(Currency value) { little(value.raw()); }
  QByteArray bytes() const { return bytes_; }

 private:
  template <class T>
  void little(T value) {
    const T stored = qToLittleEndian(value);
    bytes_.append(reinterpret_cast<const char*>(&stored), sizeof stored);
  }
  QByteArray bytes_;
};

class RecordReader {
 public:
  explicit RecordReader(const QByteArray& bytes) : data_(bytes.constData()) {}
  template <int N>
  void text(FixedText<N>& field) {
    field.setBytes(data_ + offset_);
    offset_ += N;
  }
  void singles(float* values, int first, int count) {
    for (int i = first; i < first + count; ++i) {
      const std::uint32_t bits = little<std::uint32_t>();
      std::memcpy(&values[i], &bits, sizeof bits);
    }
  }
  std::int16_t int16() { return little<std::int16_t>(); }
  Currency currency() { return Currency::fromRaw(little<std::int64_t>()); }

 private:
  template <class T>
  T little() {
    T value;
    std::memcpy(&value, data_ + offset_, sizeof value);
    offset_ += sizeof value;
    return qFromLittleEndian(value);
  }
  const char* data_;
  int offset_ = 0;
};

}  // namespace

QByteArray encodeResultRecord(const Результат& r) {
  RecordWriter w;
  w.text(r.Фамилия);
  w.text(r.Имя);
  w.text(r.Отчество);
  w.text(r.Группа);
  w.text(r.НомерСБ);
  w.text(r.EMail);
  w.text(r.Вариант);
  w.text(r.Ответ1);
  w.text(r.Ответ2);
  w.singles(r.ХарUвх, 1, 14);
  w.singles(r.Харuвх, 1, 20);
  w.singles(r.Харdf, 1, 20);
  w.singles(r.ХарS, 1, 20);
  for (Currency c : {r.dfk, r.dfэфф, r.dfпик, r.Пчм}) w.currency(c);
  w.int16(r.N);
  w.currency(r.F1);
  w.currency(r.F2);
  w.int16(r.pk);
  w.currency(r.Рср);
  w.currency(r.mf);
  for (Currency c : {r.dfkИтог, r.dfэффИтог, r.dfпикИтог, r.ПчмИтог}) w.currency(c);
  w.int16(r.NИтог);
  w.currency(r.F1Итог);
  w.currency(r.F2Итог);
  w.int16(r.pkИтог);
  w.currency(r.РсрИтог);
  w.currency(r.mfИтог);
  return w.bytes();
}

Результат decodeResultRecord(const QByteArray& bytes) {
  // A short block is read as if it were padded with zero bytes, so no read runs past its end.
  QByteArray block = bytes.left(kResultRecordSize);
  if (block.size() < kResultRecordSize) block.append(kResultRecordSize - block.size(), '\0');
  Результат r;
  RecordReader in(block);
  in.text(r.Фамилия);
  in.text(r.Имя);
  in.text(r.Отчество);
  in.text(r.Группа);
  in.text(r.НомерСБ);
  in.text(r.EMail);
  in.text(r.Вариант);
  in.text(r.Ответ1);
  in.text(r.Ответ2);
  in.singles(r.ХарUвх, 1, 14);
  in.singles(r.Харuвх, 1, 20);
  in.singles(r.Харdf, 1, 20);
  in.singles(r.ХарS, 1, 20);
  for (Currency* c : {&r.dfk, &r.dfэфф, &r.dfпик, &r.Пчм}) *c = in.currency();
  r.N = in.int16();
  r.F1 = in.currency();
  r.F2 = in.currency();
  r.pk = in.int16();
  r.Рср = in.currency();
  r.mf = in.currency();
  for (Currency* c : {&r.dfkИтог, &r.dfэффИтог, &r.dfпикИтог, &r.ПчмИтог}) *c = in.currency();
  r.NИтог = in.int16();
  r.F1Итог = in.currency();
  r.F2Итог = in.currency();
  r.pkИтог = in.int16();
  r.РсрИтог = in.currency();
  r.mfИтог = in.currency();
  return r;
}

QString resultsFileName(const Результат& record) {
  // Only blanks are trimmed: the card number is a fixed field padded with them.
  QString card = record.НомерСБ.toQString();
  qsizetype first = 0;
  qsizetype last = card.size();
  while (first < last && card[first] == QLatin1Char(' ')) ++first;
  while (last > first && card[last - 1] == QLatin1Char(' ')) --last;
  return QStringLiteral("Result7_") + card.mid(first, last - first) + QStringLiteral(".res");
}

namespace {

// The file lies in the current directory: a name that would reach into another folder (a
// separator, which a card number read from a foreign file may hold) or that holds control
// characters is refused rather than written somewhere unexpected.
bool isPlainFileName(const QString& name) {
  return std::none_of(name.begin(), name.end(), [](QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
           c.unicode() == 0x7F;
  });
}

}  // namespace

// Writes the record over the first 554 bytes of the results file in the current directory;
// whatever a longer file holds after them stays. The new content goes to a temporary file that
// replaces the results file only when every byte has been written and flushed to disk, so a
// failure never leaves a half-written file behind and the old content stays.
FileStatus ModЧМ::ЗаписатьРезультат() {
  const QString name = resultsFileName(Рез);
  if (!isPlainFileName(name)) return FileStatus::OpenFailed;
  QByteArray content = encodeResultRecord(Рез);
  const QFileInfo existing(name);
  if (existing.exists() && !existing.isFile()) return FileStatus::OpenFailed;
  if (existing.exists() && existing.size() > kResultRecordSize) {
    QFile old(name);
    if (!old.open(QIODevice::ReadOnly)) return FileStatus::OpenFailed;
    const QByteArray previous = old.readAll();
    if (old.error() != QFileDevice::NoError) return FileStatus::ReadFailed;
    content += previous.mid(kResultRecordSize);
  }
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly)) return FileStatus::OpenFailed;
  if (file.write(content) != content.size()) {
    file.cancelWriting();
    return FileStatus::WriteFailed;
  }
  return file.commit() ? FileStatus::Ok : FileStatus::WriteFailed;
}

// Replaces the whole record with the one stored in the file ИмяФайла; on any failure the
// record stays as it was.
FileStatus ModЧМ::СчитатьРезультат() {
  // Only a regular file is read: a folder cannot be, and a pipe or a device could block.
  if (!QFileInfo(ИмяФайла).isFile()) return FileStatus::OpenFailed;
  QFile file(ИмяФайла);
  if (!file.open(QIODevice::ReadOnly)) return FileStatus::OpenFailed;
  const QByteArray bytes = file.read(kResultRecordSize);
  if (file.error() != QFileDevice::NoError) return FileStatus::ReadFailed;
  if (bytes.size() < kResultRecordSize) return FileStatus::TooShort;
  Рез = decodeResultRecord(bytes);
  return FileStatus::Ok;
}
