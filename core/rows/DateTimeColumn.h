#pragma once

#include <cstddef>

#include "core/sort/DateTimeOrder.h"
#include "core/sort/RowText.h"

namespace telvoran {

// Whether every field lies from 0 to 99 (each byte from 10 to 109): the column is then
// "20YY-MM-DD  HH:MM:SS" with each number in two digits, kDateTimeColumnWidth characters.
inline bool DateTimeInTwoDigits(const unsigned char* bytes) {
  // The check the dates of records read get, all six bytes looked at in one step: this runs
  // for every row built.
  return DateTimeOrder::MomentOf(bytes).inRange;
}

// Appends the date and time column of a row from six bytes (year, month, day, hour, minute,
// second), each holding its number plus 10 and the year counted from 2000:
// "2005-03-14  08:05:00". A field whose number is below 10 gets a zero in front, even when
// the number is negative; numbers from 100 up take more room.
void AppendDateTime(RowText& row, const unsigned char* bytes);

// Writes the 20 characters "20YY-MM-DD  hh:mm:ss" of six bytes whose fields all lie from 0 to
// 99 (DateTimeInTwoDigits()) to `out`.
void WriteTwoDigitDateTime(char* out, const unsigned char* bytes);

// At least `characters` characters of what AppendDateTime() appends: nothing for none, only
// "20YY" when that is enough and every field is in two digits (a sort key most often needs no
// more), else all.
void AppendDateTimeBeginning(RowText& row, const unsigned char* bytes, std::size_t characters);

// How many characters AppendDateTime() appends for the same six bytes, without building them.
std::size_t DateTimeWidth(const unsigned char* bytes);

// How many characters RowText::AppendNumber() appends for `number`.
std::size_t NumberWidth(int number);

}  // namespace telvoran
