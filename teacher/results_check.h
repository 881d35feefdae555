#pragma once

#include <QFileInfoList>
#include <QString>
#include <array>
#include <vector>

#include "measure/characteristic_table.h"
#include "state/result_record.h"
#include "teacher/readings_check.h"

// What is wrong with a results file, in words a teacher reads.
struct ResultsFinding {
  enum class Kind {
    Size,        // not one 554-byte record
    BlankField,  // a personal field holds only blanks
    NotFinite,   // a number of the table is NaN or infinite
    Table,       // a row of the characteristic does not follow from its reading and mf
    Band,        // a band value does not follow from N, pk, Δfk and F2
    Snapshot,    // the student's final choice (ПолосаИтог) contradicts itself
    Reading,     // a reading u вх the bench's modulator could not have shown
    Control,     // a text holds control characters (shown escaped)
  };
  Kind kind;
  QString text;
  int row = 0;  // the table's row the finding names (1..20), 0 when it names none
};

// One results file as the tool sees it.
struct ResultsFileReport {
  QString path;
  QString error;           // why the file could not be read; empty when it was read
  qint64 size = 0;         // bytes in the file
  bool hasRecord = false;  // the file holds a whole record, decoded into `record`
  Результат record;
  ReadingsVerdict readings;  // of `record`
  std::vector<ResultsFinding> findings;

  bool readable() const { return error.isEmpty(); }
  bool sound() const { return readable() && findings.empty(); }
};

// The record's texts with the captions a teacher reads, the six personal fields first.
struct RecordText {
  const char* caption;
  QString text;  // as the record holds it, padding and all
};
inline constexpr int kPersonalFields = 6;
std::array<RecordText, 9> recordTexts(const Результат& record);

// The fixed modulation index of each row of the characteristic table (rows 1..14), as the
// table's mf column shows it.
extern const char* const kRowIndexCaptions[kCharacteristicRows + 1];

// Whether the student confirmed a number of channels: the snapshot ПолосаИтог holds anything
// but zeros (a confirmed empty "N ТЛФ" leaves NИтог = 0 but copies the other values).
bool snapshotTaken(const Результат& record);

// The results files of a folder as the teacher's programs take them: every *.res file in it (not
// in its subfolders), by name.
QFileInfoList resultsFilesIn(const QString& folder);

// Reads a results file and checks it.
ResultsFileReport inspectResultsFile(const QString& path);
// The checks of a decoded record (everything but the file's size).
std::vector<ResultsFinding> checkResultsRecord(const Результат& record);
