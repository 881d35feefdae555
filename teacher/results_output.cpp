#include "teacher/results_output.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "teacher/results_text.h"
#include "types/display_format.h"

namespace {

using Kind = ResultsFinding::Kind;

QString statusWord(const ResultsFileReport& report) {
  if (!report.readable()) return QStringLiteral("не прочитан");
  return report.findings.empty() ? QStringLiteral("без замечаний")
                                 : QStringLiteral("есть замечания");
}

// A number of the table in a display format, or the plain word for NaN and infinity (which the
// format would leave empty).
QString shown(float value, const char* pattern, const QLocale& locale) {
  if (!std::isfinite(value)) return singleText(value);
  return formatSingle(value, QString::fromLatin1(pattern), locale);
}

void appendTable(QString& out, const Результат& r, const QLocale& locale) {
  out += QStringLiteral("\nМодуляционная характеристика\n");
  const int widths[] = {4, 11, 11, 10, 8, 11};
  const QString header[] = {QStringLiteral("№"),        QStringLiteral("u вх, мВ"),
                            QStringLiteral("U вх, мВ"), QStringLiteral("Δf, МГц"),
                            QStringLiteral("mf"),       QStringLiteral("S, МГц/В")};
  auto line = [&](const QString(&cells)[6]) {
    QString text;
    for (int i = 0; i < 6; ++i) text += cells[i].rightJustified(widths[i]);
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    out += text + QLatin1Char('\n');
  };
  line(header);
  for (int row = 1; row <= kCharacteristicRows; ++row) {
    const bool entered = r.Харuвх[row] != 0 || r.ХарUвх[row] != 0 || r.Харdf[row] != 0 ||
                         r.ХарS[row] != 0 || !std::isfinite(r.ХарS[row]);
    const QString mf = QString::fromLatin1(kRowIndexCaptions[row]);
    if (!entered) {
      line({QString::number(row), QString(), QString(), QString(), mf, QString()});
      continue;
    }
    line({QString::number(row), singleText(r.Харuвх[row], locale),
          shown(r.ХарUвх[row], "###.##", locale), shown(r.Харdf[row], "##.##", locale), mf,
          shown(r.ХарS[row], "##.##", locale)});
  }
}

void appendBand(QString& out, const Результат& r, const QLocale& locale) {
  out += QStringLiteral("\nРасчет полосы частот ЧМ сигнала\n");
  // The student's final choice gets a column of its own once a number of channels was confirmed.
  const bool chosenColumn = snapshotTaken(r);
  const auto row = [&out, chosenColumn](const QString& caption, const QString& working,
                                        const QString& chosen) {
    out += QStringLiteral("  ") + caption.leftJustified(16) + working.trimmed().rightJustified(12);
    if (chosenColumn) out += chosen.trimmed().rightJustified(20);
    out += QLatin1Char('\n');
  };
  const auto money = [&locale](Currency c, const char* pattern) {
    return formatNumber(c.toDouble(), QString::fromUtf8(pattern), locale);
  };
  row(QString(), QStringLiteral("расчет"), QStringLiteral("выбор студента"));
  row(QStringLiteral("N, каналов"), QString::number(r.N), QString::number(r.NИтог));
  row(QStringLiteral("pk, мкВт"), QString::number(r.pk), QString::number(r.pkИтог));
  row(QStringLiteral("Δfk, кГц"), currencyText(r.dfk, locale), currencyText(r.dfkИтог, locale));
  row(QStringLiteral("F1, кГц"), currencyText(r.F1, locale), currencyText(r.F1Итог, locale));
  row(QStringLiteral("F2, кГц"), currencyText(r.F2, locale), currencyText(r.F2Итог, locale));
  row(QStringLiteral("Рср"), money(r.Рср, "###.# мВт"), money(r.РсрИтог, "###.# мВт"));
  row(QStringLiteral("Δfэфф"), money(r.dfэфф, "##.## МГц"), money(r.dfэффИтог, "##.## МГц"));
  row(QStringLiteral("Δfпик"), money(r.dfпик, "##.## МГц"), money(r.dfпикИтог, "##.## МГц"));
  row(QStringLiteral("mf"), money(r.mf, "##.## "), money(r.mfИтог, "##.## "));
  row(QStringLiteral("Пчм"), money(r.Пчм, "##.## МГц"), money(r.ПчмИтог, "##.## МГц"));
  if (!chosenColumn)
    out += QStringLiteral("  Число каналов студент не выбирал (ПолосаИтог пуст).\n");
}

// CSV as a Russian spreadsheet reads it: ";" between fields, a decimal comma. A field is quoted
// when it holds the separator, a quote, a line break or edge blanks.
constexpr QChar kCsvSeparator = u';';

// A spreadsheet takes a cell that begins with "=", "+", "-" or "@" (or a tab or a carriage
// return before one) for a formula; a leading apostrophe keeps a student's text a text. The
// numbers the tool computes are written as they are.
QString csvText(const QString& raw) {
  static const QString kFormulaLeads = QStringLiteral("=+-@\t\r");
  const QString shown = shownText(raw);
  return !raw.isEmpty() && kFormulaLeads.contains(raw.front()) ? QLatin1Char('\'') + shown : shown;
}

QString csvField(const QString& text) {
  const bool quote = text.contains(kCsvSeparator) || text.contains(QLatin1Char('"')) ||
                     text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                     text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
  if (!quote) return text;
  QString escaped = text;
  escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString findingsText(const ResultsFileReport& report) {
  if (!report.readable()) return QStringLiteral("Не удалось прочитать: ") + report.error;
  QStringList texts;
  for (const ResultsFinding& finding : report.findings) texts << finding.text;
  return texts.join(QLatin1Char(' '));  // each finding is a sentence of its own
}

const char* kindCode(Kind kind) {
  switch (kind) {
    case Kind::Size:
      return "size";
    case Kind::BlankField:
      return "blank-field";
    case Kind::NotFinite:
      return "not-finite";
    case Kind::Table:
      return "table";
    case Kind::Band:
      return "band";
    case Kind::Snapshot:
      return "snapshot";
    case Kind::Reading:
      return "reading";
    case Kind::Control:
      return "control";
  }
  return "";
}

// A single as the JSON number with the same shortest decimal text; NaN and infinity as null.
QJsonValue jsonSingle(float value) {
  if (!std::isfinite(value)) return QJsonValue();
  return singleText(value).toDouble();
}

QJsonArray jsonColumn(const float* values, int rows) {
  QJsonArray column;
  for (int row = 1; row <= rows; ++row) column.append(jsonSingle(values[row]));
  return column;
}

QJsonValue jsonCurrency(Currency value) { return currencyText(value).toDouble(); }

QJsonObject jsonRecord(const Результат& r) {
  QJsonObject record;
  // The texts exactly as the file holds them: JSON writes their control characters as \uXXXX.
  const char* const keys[] = {"Фамилия", "Имя",     "Отчество", "Группа", "НомерСБ",
                              "EMail",   "Вариант", "Ответ1",   "Ответ2"};
  const auto texts = recordTexts(r);
  for (std::size_t i = 0; i < texts.size(); ++i)
    record[QString::fromUtf8(keys[i])] = withoutPadding(texts[i].text);
  record[QStringLiteral("ХарUвх")] = jsonColumn(r.ХарUвх, 14);
  record[QStringLiteral("Харuвх")] = jsonColumn(r.Харuвх, 20);
  record[QStringLiteral("Харdf")] = jsonColumn(r.Харdf, 20);
  record[QStringLiteral("ХарS")] = jsonColumn(r.ХарS, 20);
  record[QStringLiteral("dfk")] = jsonCurrency(r.dfk);
  record[QStringLiteral("dfэфф")] = jsonCurrency(r.dfэфф);
  record[QStringLiteral("dfпик")] = jsonCurrency(r.dfпик);
  record[QStringLiteral("Пчм")] = jsonCurrency(r.Пчм);
  record[QStringLiteral("N")] = r.N;
  record[QStringLiteral("F1")] = jsonCurrency(r.F1);
  record[QStringLiteral("F2")] = jsonCurrency(r.F2);
  record[QStringLiteral("pk")] = r.pk;
  record[QStringLiteral("Рср")] = jsonCurrency(r.Рср);
  record[QStringLiteral("mf")] = jsonCurrency(r.mf);
  QJsonObject snapshot;
  snapshot[QStringLiteral("dfkИтог")] = jsonCurrency(r.dfkИтог);
  snapshot[QStringLiteral("dfэффИтог")] = jsonCurrency(r.dfэффИтог);
  snapshot[QStringLiteral("dfпикИтог")] = jsonCurrency(r.dfпикИтог);
  snapshot[QStringLiteral("ПчмИтог")] = jsonCurrency(r.ПчмИтог);
  snapshot[QStringLiteral("NИтог")] = r.NИтог;
  snapshot[QStringLiteral("F1Итог")] = jsonCurrency(r.F1Итог);
  snapshot[QStringLiteral("F2Итог")] = jsonCurrency(r.F2Итог);
  snapshot[QStringLiteral("pkИтог")] = r.pkИтог;
  snapshot[QStringLiteral("РсрИтог")] = jsonCurrency(r.РсрИтог);
  snapshot[QStringLiteral("mfИтог")] = jsonCurrency(r.mfИтог);
  record[QStringLiteral("ПолосаИтог")] = snapshot;
  return record;
}

}  // namespace

QString resultsCard(const ResultsFileReport& report, const QLocale& locale) {
  QString out = QStringLiteral("Файл: ") + shownText(report.path) + QLatin1Char('\n');
  if (!report.readable()) {
    return out + QStringLiteral("Не удалось прочитать: ") + report.error + QLatin1Char('\n');
  }
  if (report.hasRecord) {
    const Результат& r = report.record;
    for (const RecordText& field : recordTexts(r)) {
      const QString caption = QString::fromUtf8(field.caption) + QLatin1Char(':');
      const QString value = shownField(field.text);
      out += QStringLiteral("  ") +
             (value.isEmpty() ? caption : caption.leftJustified(20) + value) + QLatin1Char('\n');
    }
    appendTable(out, r, locale);
    out += readingsSentence(report.readings) + QLatin1Char('\n');
    appendBand(out, r, locale);
  }
  if (report.findings.empty()) return out + QStringLiteral("\nЗамечаний нет.\n");
  out += QStringLiteral("\nЗамечания:\n");
  for (const ResultsFinding& finding : report.findings) {
    out += QStringLiteral("  - ") + finding.text + QLatin1Char('\n');
  }
  return out;
}

QString resultsCsv(const std::vector<ResultsFileReport>& reports) {
  QStringList header{
      QStringLiteral("Файл"),    QStringLiteral("Состояние"),  QStringLiteral("Замечания"),
      QStringLiteral("Строк"),   QStringLiteral("Модуляторы"), QStringLiteral("Фамилия"),
      QStringLiteral("Имя"),     QStringLiteral("Отчество"),   QStringLiteral("Группа"),
      QStringLiteral("НомерСБ"), QStringLiteral("EMail"),      QStringLiteral("Вариант"),
      QStringLiteral("Ответ1"),  QStringLiteral("Ответ2")};
  const char* const columns[] = {"uвх", "Uвх", "df", "S"};
  for (const char* column : columns) {
    for (int row = 1; row <= kCharacteristicRows; ++row) {
      header << QString::fromUtf8(column) + QString::number(row);
    }
  }
  const char* const band[] = {"N", "pk", "dfk", "F1", "F2", "Рср", "dfэфф", "dfпик", "mf", "Пчм"};
  for (const char* name : band) header << QString::fromUtf8(name);
  for (const char* name : band) header << QString::fromUtf8(name) + QStringLiteral("Итог");

  const QLocale comma(QLocale::Russian, QLocale::Russia);
  const auto single = [&comma](float value) { return singleText(value, comma); };
  const auto money = [&comma](Currency value) { return currencyText(value, comma); };
  QString out = QChar(0xFEFF) + header.join(kCsvSeparator) + QLatin1Char('\n');
  for (const ResultsFileReport& report : reports) {
    QStringList cells{csvText(report.path), statusWord(report), findingsText(report)};
    if (report.hasRecord) {
      const Результат& r = report.record;
      QStringList modulators;
      for (int k1 : report.readings.modulators) modulators << QString::number(k1);
      cells << QString::number(report.readings.filledRows.size()) << modulators.join(u' ');
      for (const RecordText& field : recordTexts(r)) cells << csvText(withoutPadding(field.text));
      for (const float* values : {r.Харuвх, r.ХарUвх, r.Харdf, r.ХарS}) {
        for (int row = 1; row <= kCharacteristicRows; ++row) cells << single(values[row]);
      }
      cells << QString::number(r.N) << QString::number(r.pk) << money(r.dfk) << money(r.F1)
            << money(r.F2) << money(r.Рср) << money(r.dfэфф) << money(r.dfпик) << money(r.mf)
            << money(r.Пчм);
      cells << QString::number(r.NИтог) << QString::number(r.pkИтог) << money(r.dfkИтог)
            << money(r.F1Итог) << money(r.F2Итог) << money(r.РсрИтог) << money(r.dfэффИтог)
            << money(r.dfпикИтог) << money(r.mfИтог) << money(r.ПчмИтог);
    }
    while (cells.size() < header.size()) cells << QString();
    for (QString& cell : cells) cell = csvField(cell);
    out += cells.join(kCsvSeparator) + QLatin1Char('\n');
  }
  return out;
}

QByteArray resultsJson(const std::vector<ResultsFileReport>& reports) {
  QJsonArray files;
  for (const ResultsFileReport& report : reports) {
    QJsonObject file;
    file[QStringLiteral("file")] = report.path;
    file[QStringLiteral("status")] = !report.readable()        ? QStringLiteral("unreadable")
                                     : report.findings.empty() ? QStringLiteral("sound")
                                                               : QStringLiteral("findings");
    if (!report.readable()) {
      file[QStringLiteral("error")] = report.error;
    } else {
      file[QStringLiteral("size")] = report.size;
    }
    QJsonArray findings;
    for (const ResultsFinding& finding : report.findings) {
      QJsonObject entry{{QStringLiteral("kind"), QString::fromLatin1(kindCode(finding.kind))},
                        {QStringLiteral("text"), finding.text}};
      if (finding.kind == Kind::Reading) entry[QStringLiteral("row")] = finding.row;
      findings.append(entry);
    }
    file[QStringLiteral("findings")] = findings;
    QJsonArray modulators;
    for (int k1 : report.readings.modulators) modulators.append(k1);
    file[QStringLiteral("modulators")] = modulators;
    if (report.hasRecord) file[QStringLiteral("record")] = jsonRecord(report.record);
    files.append(file);
  }
  // JSON writes C0 characters as \uXXXX, but DEL and C1 as they are (C1 in UTF-8 as C2 80..9F);
  // they are written as \uXXXX too, so that the text shown in a terminal cannot act on it.
  const QByteArray json = QJsonDocument(files).toJson(QJsonDocument::Indented);
  QByteArray out;
  out.reserve(json.size());
  for (qsizetype i = 0; i < json.size(); ++i) {
    const auto byte = static_cast<uchar>(json[i]);
    const auto next = i + 1 < json.size() ? static_cast<uchar>(json[i + 1]) : 0;
    if (byte == 0x7F) {
      out += "\\u007f";
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      out += "\\u00" + QByteArray::number(next, 16);
      ++i;
    } else {
      out += char(byte);
    }
  }
  return out;
}

QString resultsSummary(const std::vector<ResultsFileReport>& reports) {
  QString out = QStringLiteral("Сводка:\n");
  for (const ResultsFileReport& report : reports) {
    if (!report.hasRecord) {
      out +=
          QStringLiteral("  %1: %2\n")
              .arg(shownText(report.path), report.readable() ? QStringLiteral("не файл результатов")
                                                             : QStringLiteral("не прочитан"));
      continue;
    }
    const Результат& r = report.record;
    const QString name = studentShortName(report);
    const ReadingsVerdict& readings = report.readings;
    const QString modulators =
        readings.modulators.empty()
            ? QStringLiteral("модулятор не найден")
            : (readings.modulators.size() == 1 ? QStringLiteral("модулятор ")
                                               : QStringLiteral("модуляторы ")) +
                  modulatorsText(readings.modulators);
    QString line = QStringLiteral("  ") + name.leftJustified(26) + QLatin1Char(' ') +
                   shownField(r.Группа.toQString()).leftJustified(10) +
                   QStringLiteral(" строк: %1").arg(readings.filledRows.size(), 2) +
                   QStringLiteral("  ") + modulators.leftJustified(22) +
                   QStringLiteral(" замечаний: %1").arg(report.findings.size());
    out += line + QLatin1Char('\n');
  }
  return out;
}

QString readingsSentence(const ReadingsVerdict& readings) {
  QString out;
  const qsizetype filled = static_cast<qsizetype>(readings.filledRows.size());
  if (filled == 0) {
    out += QStringLiteral("Показания u вх в таблицу не внесены.");
  } else if (readings.modulators.empty()) {
    out += QStringLiteral(
        "Показания u вх не подходят ни к одному модулятору стенда (k1 = 0…10 таблицы вариантов).");
  } else if (readings.modulators.size() == 1) {
    out += QStringLiteral("Модулятор стенда по показаниям u вх: %1 (подходят %2 из %3 строк).")
               .arg(readings.modulators.front())
               .arg(readings.fittedRows)
               .arg(filled);
  } else {
    out += QStringLiteral(
               "Модуляторы стенда по показаниям u вх: %1 (каждому подходят %2 из %3 строк).")
               .arg(modulatorsText(readings.modulators))
               .arg(readings.fittedRows)
               .arg(filled);
  }
  return out;
}

QString studentShortName(const ResultsFileReport& report) {
  const Результат& r = report.record;
  // A file without a surname is named by its file name.
  QString name = withoutPadding(r.Фамилия.toQString()).trimmed();
  if (name.isEmpty()) name = QFileInfo(report.path).fileName();
  for (const QString& given : {r.Имя.toQString(), r.Отчество.toQString()}) {
    const QString field = given.trimmed();
    if (!field.isEmpty()) name += QLatin1Char(' ') + field.left(1) + QLatin1Char('.');
  }
  return shownText(name);
}
