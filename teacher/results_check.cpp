#include "teacher/results_check.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "records/results_file.h"
#include "state/work_state.h"
#include "teacher/results_text.h"
#include "types/number_text.h"

const char* const kRowIndexCaptions[kCharacteristicRows + 1] = {
    "",      "2.408", "3.832", "5.52",  "7.016", "8.654", "10.17", "11.79",
    "13.21", "14.93", "16.10", "18.07", "19.60", "20.10", "20.82"};

namespace {

using Kind = ResultsFinding::Kind;

// The count with "байт" or "байта" as Russian counts bytes: 1 байт, 3 байта, 5 байт, 12 байт.
QString bytesText(qint64 count) {
  const qint64 lastTwo = count % 100;
  const qint64 last = count % 10;
  const bool few = last >= 2 && last <= 4 && !(lastTwo >= 12 && lastTwo <= 14);
  return QStringLiteral("%1 %2").arg(count).arg(few ? QStringLiteral("байта")
                                                    : QStringLiteral("байт"));
}

// A personal field counts as empty when it holds only blanks (or zero bytes, which the program
// never writes but a damaged file may hold).
bool isEmptyField(const QString& text) { return withoutPadding(text).isEmpty(); }

void checkPersonalFields(const Результат& r, std::vector<ResultsFinding>& findings) {
  const auto texts = recordTexts(r);
  for (int i = 0; i < kPersonalFields; ++i) {
    if (isEmptyField(texts[i].text)) {
      findings.push_back(
          {Kind::BlankField,
           QStringLiteral("Не заполнено поле «%1».").arg(QString::fromUtf8(texts[i].caption))});
    }
  }
}

// The program's key filters let no control character into a text; one there was put in by hand,
// and it is named with the field that holds it.
void checkControlCharacters(const Результат& r, std::vector<ResultsFinding>& findings) {
  for (const RecordText& field : recordTexts(r)) {
    const QString text = withoutPadding(field.text);
    if (!hasControlCharacters(text)) continue;
    findings.push_back(
        {Kind::Control,
         QStringLiteral("Поле «%1» содержит управляющие символы (показаны как \\xHH): %2.")
             .arg(QString::fromUtf8(field.caption), shownText(text))});
  }
}

// The four columns of the table as the file keeps them (ХарUвх has rows 1..14 only).
struct Column {
  const char* caption;
  const float* values;
  int rows;
};

void checkFiniteNumbers(const Результат& r, std::vector<ResultsFinding>& findings) {
  const Column columns[] = {
      {"u вх", r.Харuвх, 20}, {"U вх", r.ХарUвх, 14}, {"Δf", r.Харdf, 20}, {"S", r.ХарS, 20}};
  for (const Column& column : columns) {
    for (int row = 1; row <= column.rows; ++row) {
      const float value = column.values[row];
      if (std::isfinite(value)) continue;
      findings.push_back({Kind::NotFinite,
                          QStringLiteral("Строка %1 таблицы: %2 — %3.")
                              .arg(row)
                              .arg(QString::fromUtf8(column.caption),
                                   std::isnan(value) ? QStringLiteral("не число (NaN)")
                                                     : QStringLiteral("бесконечность")),
                          row});
    }
  }
}

// Two singles agree when they differ by no more than rounding: the characteristic screen may
// compute in single or in double precision before it stores the single.
bool sameSingle(float stored, float expected) {
  if (stored == expected) return true;
  const double scale = std::max(std::abs(double(stored)), std::abs(double(expected)));
  return std::abs(double(stored) - double(expected)) <= 1e-6 * scale;
}

QString mismatch(int row, const char* caption, float stored, float expected, const char* rule) {
  return QStringLiteral("Строка %1 таблицы: %2 = %3, а должно быть %4 (%5).")
      .arg(row)
      .arg(QString::fromUtf8(caption), singleText(stored), singleText(expected),
           QString::fromUtf8(rule));
}

// Each row entered on the characteristic screen holds U вх = u вх × 1.41, Δf = mf × 0.5 and
// S = Δf / (U вх / 1000), stored as singles; a row never entered holds zeros. A reading of 0
// gives U вх = 0 and no slope: S is then 0.
void checkTableRows(const Результат& r, std::vector<ResultsFinding>& findings) {
  for (int row = 1; row <= kCharacteristicRows; ++row) {
    const float u = r.Харuвх[row];
    const float amplitude = r.ХарUвх[row];
    const float deviation = r.Харdf[row];
    const float slope = r.ХарS[row];
    if (!std::isfinite(u) || !std::isfinite(amplitude) || !std::isfinite(deviation) ||
        !std::isfinite(slope)) {
      continue;  // reported as not finite already
    }
    if (u == 0 && amplitude == 0 && deviation == 0) {
      if (slope != 0)
        findings.push_back({Kind::Table, mismatch(row, "S", slope, 0, "строка не заполнена"), row});
      continue;
    }
    const auto expectedAmplitude = static_cast<float>(double(u) * 1.41);
    const auto expectedDeviation =
        static_cast<float>(numberFromText(QString::fromLatin1(kRowIndexCaptions[row])) * 0.5);
    const float expectedSlope =
        expectedAmplitude == 0
            ? 0.0f
            : static_cast<float>(double(expectedDeviation) / (double(expectedAmplitude) / 1000));
    if (!sameSingle(amplitude, expectedAmplitude)) {
      findings.push_back(
          {Kind::Table, mismatch(row, "U вх", amplitude, expectedAmplitude, "u вх × 1,41"), row});
    }
    if (!sameSingle(deviation, expectedDeviation)) {
      findings.push_back(
          {Kind::Table, mismatch(row, "Δf", deviation, expectedDeviation, "mf × 0,5"), row});
    }
    if (!sameSingle(slope, expectedSlope)) {
      findings.push_back(
          {Kind::Table, mismatch(row, "S", slope, expectedSlope, "Δf / (U вх / 1000)"), row});
    }
  }
  // The characteristic screen never writes rows 15..20; values there were put in by hand.
  for (int row = kCharacteristicRows + 1; row <= 20; ++row) {
    const auto holds = [](float value) { return std::isfinite(value) && value != 0; };
    if (holds(r.Харuвх[row]) || holds(r.Харdf[row]) || holds(r.ХарS[row])) {
      findings.push_back(
          {Kind::Table,
           QStringLiteral(
               "Строка %1 таблицы: программа не заполняет строки после 14-й, а в этой есть значения.")
               .arg(row),
           row});
    }
  }
}

struct BandValue {
  const char* caption;
  Currency stored;
  Currency computed;
};

// The five results of the band calculation against what the calculation gives for the inputs.
void compareBand(const std::vector<BandValue>& values, Kind kind, const QString& inputs,
                 std::vector<ResultsFinding>& findings) {
  for (const BandValue& value : values) {
    if (value.stored == value.computed) continue;
    const QString where = kind == Kind::Band ? QStringLiteral("Расчет полосы")
                                             : QStringLiteral("Выбор студента (ПолосаИтог)");
    findings.push_back(
        {kind, QStringLiteral("%1: %2 = %3, а по %4 должно быть %5.")
                   .arg(where, QString::fromUtf8(value.caption), currencyText(value.stored), inputs,
                        currencyText(value.computed))});
  }
}

void checkBand(const Результат& r, std::vector<ResultsFinding>& findings) {
  ModЧМ state;
  state.Рез = r;
  state.РасчетПолосы();
  const Результат& c = state.Рез;
  compareBand({{"Рср", r.Рср, c.Рср},
               {"Δfэфф", r.dfэфф, c.dfэфф},
               {"Δfпик", r.dfпик, c.dfпик},
               {"mf", r.mf, c.mf},
               {"Пчм", r.Пчм, c.Пчм}},
              Kind::Band,
              QStringLiteral("N = %1, pk = %2, Δfk = %3, F2 = %4")
                  .arg(r.N)
                  .arg(r.pk)
                  .arg(currencyText(r.dfk), currencyText(r.F2)),
              findings);
}

// The snapshot copies the working values when the student confirms a number of channels; the
// working N is not changed by that, so the copied results follow from the variant's N and the
// copied pk, Δfk and F2. A snapshot of zeros only means no number was confirmed.
void checkSnapshot(const Результат& r, std::vector<ResultsFinding>& findings) {
  if (!snapshotTaken(r)) return;
  ModЧМ state;
  state.Рез.N = r.N;
  state.Рез.pk = r.pkИтог;
  state.Рез.dfk = r.dfkИтог;
  state.Рез.F2 = r.F2Итог;
  state.РасчетПолосы();
  const Результат& c = state.Рез;
  compareBand({{"РсрИтог", r.РсрИтог, c.Рср},
               {"dfэффИтог", r.dfэффИтог, c.dfэфф},
               {"dfпикИтог", r.dfпикИтог, c.dfпик},
               {"mfИтог", r.mfИтог, c.mf},
               {"ПчмИтог", r.ПчмИтог, c.Пчм}},
              Kind::Snapshot,
              QStringLiteral("N = %1, pkИтог = %2, dfkИтог = %3, F2Итог = %4")
                  .arg(r.N)
                  .arg(r.pkИтог)
                  .arg(currencyText(r.dfkИтог), currencyText(r.F2Итог)),
              findings);
}

// Each filled row that the modulators fitting the most rows cannot explain.
void checkReadingRows(const Результат& r, std::vector<ResultsFinding>& findings) {
  const ReadingsVerdict verdict = checkReadings(r);
  for (int row : verdict.strayRows) {
    QString text = QStringLiteral("Строка %1: показание %2 мВ не соответствует ")
                       .arg(row)
                       .arg(singleText(r.Харuвх[row]));
    if (verdict.modulators.empty()) {
      text += QStringLiteral("ни одному модулятору стенда.");
    } else if (verdict.modulators.size() == 1) {
      const int k1 = verdict.modulators.front();
      const ReadingRange range = readingRange(k1, row);
      text += QStringLiteral("модулятору %1 (около mf = %2 он показывает от %3 до %4 мВ).")
                  .arg(k1)
                  .arg(kSpectrumNulls[row])
                  .arg(range.low, 0, 'f', 1)
                  .arg(range.high, 0, 'f', 1);
    } else {
      text +=
          QStringLiteral("ни одному из модуляторов %1.").arg(modulatorsText(verdict.modulators));
    }
    findings.push_back({Kind::Reading, text, row});
  }
}

}  // namespace

std::array<RecordText, 9> recordTexts(const Результат& r) {
  return {{{"Фамилия", r.Фамилия.toQString()},
           {"Имя", r.Имя.toQString()},
           {"Отчество", r.Отчество.toQString()},
           {"Номер группы", r.Группа.toQString()},
           {"Номер студ. билета", r.НомерСБ.toQString()},
           {"E-mail", r.EMail.toQString()},
           {"Вариант", r.Вариант.toQString()},
           {"Ответ 1", r.Ответ1.toQString()},
           {"Ответ 2", r.Ответ2.toQString()}}};
}

bool snapshotTaken(const Результат& r) {
  const Currency zero;
  return r.NИтог != 0 || r.pkИтог != 0 || r.dfkИтог != zero || r.dfэффИтог != zero ||
         r.dfпикИтог != zero || r.ПчмИтог != zero || r.F1Итог != zero || r.F2Итог != zero ||
         r.РсрИтог != zero || r.mfИтог != zero;
}

std::vector<ResultsFinding> checkResultsRecord(const Результат& record) {
  std::vector<ResultsFinding> findings;
  checkPersonalFields(record, findings);
  checkControlCharacters(record, findings);
  checkFiniteNumbers(record, findings);
  checkTableRows(record, findings);
  checkReadingRows(record, findings);
  checkBand(record, findings);
  checkSnapshot(record, findings);
  return findings;
}

QFileInfoList resultsFilesIn(const QString& folder) {
  return QDir(folder).entryInfoList({QStringLiteral("*.res")}, QDir::Files,
                                    QDir::Name | QDir::IgnoreCase);
}

ResultsFileReport inspectResultsFile(const QString& path) {
  ResultsFileReport report;
  report.path = path;
  const QFileInfo info(path);
  if (!info.exists()) {
    report.error = QStringLiteral("файл не найден");
    return report;
  }
  if (!info.isFile()) {
    report.error = QStringLiteral("это не обычный файл");
    return report;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    report.error = QStringLiteral("файл не открывается (%1)").arg(file.errorString());
    return report;
  }
  report.size = file.size();
  const QByteArray bytes = file.read(kResultRecordSize);
  if (file.error() != QFileDevice::NoError) {
    report.error = QStringLiteral("файл не читается (%1)").arg(file.errorString());
    return report;
  }
  if (bytes.size() < kResultRecordSize) {
    report.findings.push_back(
        {ResultsFinding::Kind::Size,
         QStringLiteral(
             "Это не файл результатов: в нем %1, а запись результатов занимает ровно 554 байта.")
             .arg(bytesText(report.size))});
    return report;
  }
  report.hasRecord = true;
  report.record = decodeResultRecord(bytes);
  report.readings = checkReadings(report.record);
  if (report.size > kResultRecordSize) {
    report.findings.push_back(
        {ResultsFinding::Kind::Size,
         QStringLiteral(
             "Файл длиннее записи результатов: после ее 554 байт в нем еще %1. Программа такой файл не создает; возможно, к нему что-то дописано.")
             .arg(bytesText(report.size - kResultRecordSize))});
  }
  const std::vector<ResultsFinding> content = checkResultsRecord(report.record);
  report.findings.insert(report.findings.end(), content.begin(), content.end());
  return report;
}
