// Arbitrary bytes as a results file: reading never fails on them, and a record read from
// 554 bytes writes back as exactly those bytes.
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

#include "app/work_state.h"
#include "records/results_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (bytes.size() >= kResultRecordSize) {
    const Результат record = decodeResultRecord(bytes);
    if (encodeResultRecord(record) != bytes.left(kResultRecordSize)) std::abort();
    // Every text field shows as its width in characters.
    if (record.Фамилия.toQString().size() != 20 || record.Группа.toQString().size() != 10 ||
        record.Вариант.toQString().size() != 2) {
      std::abort();
    }
    (void)resultsFileName(record);
  }
  // Through the file routine too, for short, exact and long files.
  static QTemporaryDir dir;
  ModЧМ state;
  state.Рез.Фамилия = QStringLiteral("До чтения");
  const Результат before = state.Рез;
  state.ИмяФайла = dir.filePath(QStringLiteral("input.res"));
  QFile file(state.ИмяФайла);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  file.write(bytes);
  file.close();
  const FileStatus status = state.СчитатьРезультат();
  const bool whole = bytes.size() >= kResultRecordSize;
  if ((status == FileStatus::Ok) != whole) std::abort();
  if (!whole && !(state.Рез.Фамилия == before.Фамилия)) std::abort();  // unchanged on failure
  return 0;
}
