#include "records/results_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "records/results_folder.h"
#include "state/work_state.h"

namespace {

// The members in the order the file stores them; `io` writes or reads each one in turn.
template <class Record, class Io>
void eachMember(Record& r, Io& io) {
  io.text(r.Фамилия);
  io.text(r.Имя);
  io.text(r.Отчество);
  io.text(r.Группа);
  io.text(r.НомерСБ);
  io.text(r.EMail);
  io.text(r.Вариант);
  io.text(r.Ответ1);
  io.text(r.Ответ2);
  io.singles(r.ХарUвх, 14);
  io.singles(r.Харuвх, 20);
  io.singles(r.Харdf, 20);
  io.singles(r.ХарS, 20);
  io.currency(r.dfk);
  io.currency(r.dfэфф);
  io.currency(r.dfпик);
  io.currency(r.Пчм);
  io.int16(r.N);
  io.currency(r.F1);
  io.currency(r.F2);
  io.int16(r.pk);
  io.currency(r.Рср);
  io.currency(r.mf);
  io.currency(r.dfkИтог);
  io.currency(r.dfэффИтог);
  io.currency(r.dfпикИтог);
  io.currency(r.ПчмИтог);
  io.int16(r.NИтог);
  io.currency(r.F1Итог);
  io.currency(r.F2Итог);
  io.int16(r.pkИтог);
  io.currency(r.РсрИтог);
  io.currency(r.mfИтог);
}

class RecordWriter {
 public:
  template <int N>
  void text(const FixedText<N>& field) {
    bytes_.append(field.bytes().data(), N);
  }
  // Rows 1..count of an array indexed by row number.
  void singles(const float* values, int count) {
    for (int i = 1; i <= count; ++i) {
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
  void singles(float* values, int count) {
    for (int i = 1; i <= count; ++i) {
      const std::uint32_t bits = little<std::uint32_t>();
      std::memcpy(&values[i], &bits, sizeof bits);
    }
  }
  void int16(std::int16_t& value) { value = little<std::int16_t>(); }
  void currency(Currency& value) { value = Currency::fromRaw(little<std::int64_t>()); }

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

QByteArray encodeResultRecord(const Результат& record) {
  RecordWriter writer;
  eachMember(record, writer);
  return writer.bytes();
}

Результат decodeResultRecord(const QByteArray& bytes) {
  // A short block is read as if it were padded with zero bytes, so no read runs past its end.
  QByteArray block = bytes.left(kResultRecordSize);
  if (block.size() < kResultRecordSize) block.append(kResultRecordSize - block.size(), '\0');
  Результат record;
  RecordReader reader(block);
  eachMember(record, reader);
  return record;
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

// Writes the record over the first 554 bytes of the results file in the current directory (or,
// when that cannot be written, in the lab's folder in the student's documents);
// whatever a longer file holds after them stays. The new content goes to a temporary file that
// replaces the results file only when every byte has been written and flushed to disk, so a
// failure never leaves a half-written file behind and the old content stays. A results file
// that exists and may be written is updated in place when its folder takes no new files (no
// temporary file can be made there); success is still told only once every byte is flushed.
FileStatus ModЧМ::ЗаписатьРезультат() {
  if (!isPlainFileName(resultsFileName(Рез))) return FileStatus::OpenFailed;
  const QString name = resultsFilePath(Рез);
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
  file.setDirectWriteFallback(existing.exists());
  if (!file.open(QIODevice::WriteOnly)) return FileStatus::OpenFailed;
  // flush() sees a short write (a full disk, a file size limit) that commit() lets pass.
  if (file.write(content) != content.size() || !file.flush()) {
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

QString resultsFilePath(const Результат& record) {
  const QString name = resultsFileName(record);
  // A results file that is already in the program's folder and can be written is updated there,
  // even when the folder itself takes no new files (no temporary file can be made beside it).
  const QFileInfo inProgramFolder(QDir::current().filePath(name));
  if (inProgramFolder.isFile() && inProgramFolder.isWritable()) return inProgramFolder.filePath();
  return QDir(resultsFolder()).filePath(name);
}
