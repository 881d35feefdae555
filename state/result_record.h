#pragma once

#include <cstdint>

#include "types/currency.h"
#include "types/fixed_text.h"

// The work record: everything the program records about one student's work. It is stored as one
// 554-byte record in the results file (see results_file.h for the byte layout). The arrays are
// indexed by the row numbers of the characteristic table, from 1; element 0 is unused.
struct Результат {
  FixedText<20> Фамилия;
  FixedText<20> Имя;
  FixedText<20> Отчество;
  FixedText<10> Группа;
  FixedText<20> НомерСБ;
  FixedText<20> EMail;
  FixedText<2> Вариант;
  FixedText<5> Ответ1;
  FixedText<5> Ответ2;
  float ХарUвх[15] = {};  // rows 1..14: input amplitude, mV
  float Харuвх[21] = {};  // rows 1..20: millivoltmeter reading, mV
  float Харdf[21] = {};   // rows 1..20: frequency deviation, MHz
  float ХарS[21] = {};    // rows 1..20: slope, MHz/V
  Currency dfk;           // deviation per telephone channel, kHz
  Currency dfэфф;         // effective deviation, MHz
  Currency dfпик;         // peak deviation, MHz
  Currency Пчм;           // band of the FM signal, MHz
  std::int16_t N = 0;     // telephone channels of the variant
  Currency F1;            // group spectrum, kHz
  Currency F2;
  std::int16_t pk = 0;  // mean power per channel, µW
  Currency Рср;         // mean power of the multichannel signal, mW
  Currency mf;          // modulation index of the band calculation
  // ПолосаИтог: the band values as they stood when the student confirmed a channel count.
  Currency dfkИтог;
  Currency dfэффИтог;
  Currency dfпикИтог;
  Currency ПчмИтог;
  std::int16_t NИтог = 0;
  Currency F1Итог;
  Currency F2Итог;
  std::int16_t pkИтог = 0;
  Currency РсрИтог;
  Currency mfИтог;
};

// What a file routine reports back.
enum class FileStatus {
  Ok,
  OpenFailed,   // the file cannot be created or opened
  WriteFailed,  // not every byte could be written and flushed
  ReadFailed,   // the file cannot be read
  TooShort,     // the file holds less than one whole record
};
