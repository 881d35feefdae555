// Arbitrary bytes as a results file: reading never fails on them, a record read from 554 bytes
// writes back as exactly those bytes, and a short file leaves the record as it was.
#include <QTemporaryDir>
#include <cstdlib>

#include "records/results_file.h"
#include "state/work_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const bool whole = bytes.size() >= kResultRecordSize;
  if (whole && encodeResultRecord(decodeResultRecord(bytes)) != bytes.left(kResultRecordSize))
    std::abort();
  static QTemporaryDir dir;
  ModЧМ state;
  state.Рез.Фамилия = QStringLiteral("До чтения");
  state.ИмяФайла = dir.filePath(QStringLiteral("input.res"));
  QFile file(state.ИмяФайла);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
  file.write(bytes);
  file.close();
  const FileStatus status = state.СчитатьРезультат();
  if ((status == FileStatus::Ok) != whole) std::abort();
  if (!whole && state.Рез.Фамилия.toQString().trimmed() != QStringLiteral("До чтения"))
    std::abort();
  if (whole) (void)resultsFileName(state.Рез);
  return 0;
}
