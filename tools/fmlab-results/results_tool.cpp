#include "tools/fmlab-results/results_tool.h"

#include <QFileInfo>
#include <QTextStream>

#include "teacher/results_check.h"
#include "teacher/results_output.h"
#include "teacher/results_text.h"

namespace {

constexpr int kAllSound = 0;
constexpr int kFindings = 1;
constexpr int kUnreadable = 2;

const char* const kHelp =
    R"(Использование: fmlab-results [--csv | --json | --pdf ФАЙЛ.pdf] ФАЙЛ_ИЛИ_ПАПКА...

Читает файлы результатов лабораторной работы «Исследование модуляционной
характеристики» (Result7_<номер студ. билета>.res), показывает, что в них записано,
и проверяет записанное.

  без ключей   карточка каждого файла: личные данные, вариант, ответы, таблица
               модуляционной характеристики, модулятор стенда, расчет полосы и
               замечания; для нескольких файлов (папки) в конце сводка по строке
               на студента
  --csv        одна строка на файл под строкой заголовка, для журнала
               (UTF-8 с меткой BOM, через точку с запятой, десятичная запятая:
               открывается в русской электронной таблице; текст студента,
               начинающийся с =, +, -, @, табуляции или возврата каретки,
               записывается с апострофом впереди, чтобы таблица не сочла его
               формулой)
  --json       то же в формате JSON
  --pdf ФАЙЛ.pdf
               документ PDF (A4) для просмотра и печати: на каждый файл страница
               с карточкой (личные данные, вариант, модулятор стенда, замечания)
               и отчетом студента — таблицей и графиком характеристики, как их
               печатает программа; зеленая линия на графике — характеристика
               подошедшего модулятора на стенде, красным отмечены строки,
               названные в замечаниях; в конце сводка по группе таблицей
  -h, --help   эта справка
  --version    версия программы

Для папки берутся все файлы *.res в ней (вложенные папки не просматриваются).
С ключами --csv, --json и --pdf замечания выводятся еще и в поток ошибок, по
строке «файл: замечание», так что одна команда дает и таблицу, и список файлов,
которые стоит посмотреть:
  fmlab-results --csv Почта > журнал.csv
  fmlab-results --pdf группа.pdf Почта

Проверяется: размер файла (ровно 554 байта), заполнены ли личные данные, нет ли в
текстах управляющих символов (они везде показываются как \xHH), нет ли в
таблице нечисловых значений, следуют ли U вх, Δf и S каждой строки из показания
u вх и индекса mf строки, могли ли показания u вх быть сняты на стенде (какому
из модуляторов k1 = 0…10 таблицы вариантов подходит больше всего строк; строки,
которые ему не подходят, называются), следуют ли результаты расчета полосы из N,
pk, Δfk и F2, и согласован ли выбор студента (ПолосаИтог) с расчетом.

Код возврата: 0 — все файлы в порядке; 1 — есть замечания; 2 — какой-то файл не
удалось прочитать (или читать было нечего, или ошибка в командной строке).

Usage: fmlab-results [--csv | --json | --pdf FILE.pdf] FILE_OR_FOLDER...

Reads the results files of the lab (Result7_<student card>.res), shows what they
hold and checks it.

  no option    a card per file (in Russian): personal data, variant, answers,
               the modulation characteristic table, the bench's modulator, the
               band calculation, findings; for several files (a folder) a summary
               with a line per student at the end
  --csv        one row per file under a header row, for a gradebook (UTF-8 with
               a BOM, ";" separators, decimal comma, as a Russian spreadsheet reads;
               a student's text that begins with =, +, -, @, a tab or a carriage
               return gets a leading apostrophe, so that it is not a formula)
  --json       the same as JSON
  --pdf FILE.pdf
               a PDF (A4) to look at and print: a page per file with its card
               (personal data, variant, the bench's modulator, findings) over the
               student's report, the table and the plot as the program prints
               them; the green line on the plot is the fitted modulator's
               characteristic on the bench, the rows named in the findings are
               marked red; at the end the class summary as a table
  -h, --help   this help
  --version    the program's version

Control characters in a student's text (and in a file's name) are shown as \xHH
everywhere and named as findings.

Besides the file's own consistency it checks whether the readings u вх could come
from the bench: which of the modulators k1 = 0..10 of the variant table fits the
most rows; the rows that do not fit it are named.

A folder stands for all *.res files in it (not in its subfolders). With --csv,
--json and --pdf the findings also go to standard error, one "file: finding" line
each.

Exit code: 0 every file is sound; 1 a file has findings; 2 a file could not be read
(or there was nothing to read, or the command line is wrong).
)";

enum class Format { Cards, Csv, Json, Pdf };

bool isPdfOption(const QString& argument) {
  return argument == QStringLiteral("--pdf") || argument.startsWith(QStringLiteral("--pdf="));
}

}  // namespace

int runResultsTool(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const QLocale& locale, const ResultsPdfWriter& writePdf) {
  Format format = Format::Cards;
  bool formatGiven = false;
  QStringList paths;
  bool optionsEnd = false;
  QString pdfFile;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (!optionsEnd && argument == QStringLiteral("--")) {
      optionsEnd = true;
    } else if (!optionsEnd &&
               (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))) {
      out << QString::fromUtf8(kHelp);
      out.flush();
      return kAllSound;
    } else if (!optionsEnd && (argument == QStringLiteral("--csv") ||
                               argument == QStringLiteral("--json") || isPdfOption(argument))) {
      const Format chosen = argument == QStringLiteral("--csv")    ? Format::Csv
                            : argument == QStringLiteral("--json") ? Format::Json
                                                                   : Format::Pdf;
      if (formatGiven && (chosen != format || chosen == Format::Pdf)) {
        err << "fmlab-results: из ключей --csv, --json и --pdf дается один (one of --csv, --json "
               "and --pdf)\n";
        return kUnreadable;
      }
      format = chosen;
      formatGiven = true;
      if (chosen == Format::Pdf) {
        pdfFile = argument.mid(QStringLiteral("--pdf=").size());
        if (argument == QStringLiteral("--pdf")) {
          pdfFile = ++i < arguments.size() ? arguments[i] : QString();
        }
        if (pdfFile.isEmpty()) {
          err << "fmlab-results: после --pdf нужно имя файла PDF (--pdf needs a file name)\n";
          return kUnreadable;
        }
      }
    } else if (!optionsEnd && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
      err << "fmlab-results: неизвестный ключ (unknown option) " << shownText(argument)
          << "\nСправка (help): fmlab-results --help\n";
      return kUnreadable;
    } else {
      paths << argument;
    }
  }
  if (paths.isEmpty()) {
    err << "fmlab-results: укажите файлы или папки (give files or folders)\n"
           "Справка (help): fmlab-results --help\n";
    return kUnreadable;
  }

  int code = kAllSound;
  std::vector<ResultsFileReport> reports;
  bool folderGiven = false;
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (!info.isDir()) {
      reports.push_back(inspectResultsFile(path));
      continue;
    }
    folderGiven = true;
    const QFileInfoList files = resultsFilesIn(path);
    if (files.isEmpty()) {
      err << "fmlab-results: " << shownText(path)
          << ": в папке нет файлов *.res (no *.res files in the folder)\n";
      code = kUnreadable;
    }
    for (const QFileInfo& file : files) reports.push_back(inspectResultsFile(file.filePath()));
  }

  int sound = 0;
  int withFindings = 0;
  int unread = 0;
  for (const ResultsFileReport& report : reports) {
    if (!report.readable()) {
      ++unread;
      code = kUnreadable;
      err << "fmlab-results: " << shownText(report.path) << ": " << report.error << '\n';
    } else if (!report.findings.empty()) {
      ++withFindings;
      if (code == kAllSound) code = kFindings;
      if (format != Format::Cards) {
        for (const ResultsFinding& finding : report.findings) {
          err << shownText(report.path) << ": " << finding.text << '\n';
        }
      }
    } else {
      ++sound;
    }
  }

  const bool withSummary = reports.size() > 1 || (folderGiven && !reports.empty());
  switch (format) {
    case Format::Pdf:
      if (reports.empty()) break;
      if (!writePdf || !writePdf(pdfFile, reports, withSummary)) {
        err << "fmlab-results: " << shownText(pdfFile)
            << ": не удалось записать файл PDF (the PDF could not be written)\n";
        code = kUnreadable;
      }
      break;
    case Format::Csv:
      out << resultsCsv(reports);
      break;
    case Format::Json:
      out << QString::fromUtf8(resultsJson(reports));
      break;
    case Format::Cards:
      for (std::size_t i = 0; i < reports.size(); ++i) {
        if (i > 0) out << '\n' << QString(72, QChar(u'─')) << "\n\n";
        out << resultsCard(reports[i], locale);
      }
      if (withSummary) {
        out << '\n' << QString(72, QChar(u'─')) << "\n\n" << resultsSummary(reports);
        out << '\n'
            << QStringLiteral(
                   "Итого файлов: %1; без замечаний: %2; с замечаниями: %3; не прочитано: %4.")
                   .arg(reports.size())
                   .arg(sound)
                   .arg(withFindings)
                   .arg(unread)
            << '\n';
      }
      break;
  }
  out.flush();
  err.flush();
  return code;
}
