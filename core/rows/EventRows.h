#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/archive/ArchiveRecord.h"
#include "core/sort/RowText.h"

namespace telvoran {

class StringLookup;

inline constexpr int kEventSortColumns = 7;
// Where the date and time of an event record begin, and its situation code.
inline constexpr std::size_t kEventDateTimeByte = 1;
inline constexpr std::size_t kEventSituationByte = 8;

class SituationTexts;

// The length of EventDisplayText() of the record's row, found without building the row.
std::size_t EventDisplayWidth(const ArchiveRecord& record, const SituationTexts& situations);
// The largest EventDisplayWidth() among the records; 0 without records.
std::size_t EventWidestDisplayWidth(std::span<const ArchiveRecord> records,
                                    const SituationTexts& situations);

// The situation texts of one string library, each followed by its code's colour digit, looked
// up once: the rows of a whole archive are then built without asking the library again.
class SituationTexts {
 public:
  explicit SituationTexts(const StringLookup& strings);

  // The text of `code` with its colour digit ("...2" for H); empty for a code outside the table.
  std::string_view Of(char code) const { return texts_[SlotOf(code)]; }
  // Whether rows of `code` show the central unit, channel, medium, reading and unit.
  bool HasChannelColumns(char code) const { return SlotOf(code) < kChannelSituations; }

 private:
  static constexpr std::uint8_t kChannelSituations = 5;  // G, L, H, M, W
  static constexpr std::uint8_t kNoSituation = 7;
  static std::uint8_t SlotOf(char code) { return kSlots[static_cast<unsigned char>(code)]; }
  static const std::array<std::uint8_t, 256> kSlots;

  std::array<std::string, kNoSituation + 1> texts_;
};

// The situation text of a situation code followed by the code's colour digit, or an empty text
// for a code outside the table. Looked up anew on every call.
RowText SituationText(char code, const StringLookup& strings);

// Whether the rows of a situation code show the central unit, channel, medium, reading and unit
// (G, L, H, M and W); the others leave those columns blank.
bool ShowsChannelColumns(char code);

// The fields of an event record that its row shows besides the date and time and situation
// (Windows-1250, as stored): the central unit's decoded address, the channel's character, and
// the medium, reading and unit, which come from the record text and so end at its first zero
// byte. The texts point into the record.
struct EventFields {
  int centralAddress = 0;
  char channel = ' ';
  std::string_view medium;
  std::string_view reading;
  std::string_view unit;
};
EventFields EventFieldsOf(const ArchiveRecord& record);

// The colour digit of a situation code ('0' for G to '5' for O and F), or a zero character for
// a code outside the table.
char SituationColourDigit(char code);

// The row of an event record for a view sorted by `sortColumn` (1 date and time, 2 central
// unit, 3 channel, 4 medium, 5 reading, 6 unit, 7 situation), with the piece of the row of
// that column copied in front as the sort prefix. The row ends with the colour digit.
void EventRow(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations,
              RowText& row);
RowText EventRow(const ArchiveRecord& record, int sortColumn, const StringLookup& strings);

// The beginning of the stored row of an event record, built without the rest of the row: the
// sort prefix, and as much of the date and time after it as makes `length` characters at
// least (AppendDateTimeBeginning()). False when the prefix cannot be told that way (a date
// wider than 20 characters moves the columns, so do an address of three digits and a zero
// byte in the text fields); `head` is then undefined and the whole row must be built.
bool EventStoredHead(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations,
                     std::size_t length, RowText& head);

// The first `length` characters of the stored row of an event record, written to `out` (room for
// kQuickHeadRoom) straight from the record's bytes, for a usual record (EventStoredHead()) sorted
// by the central unit, channel, medium, reading or unit, when `length` reaches no further than
// the date and time after the prefix. Returns the length of the sort prefix; -1 for other
// records, columns and lengths, whose head must be built.
int EventQuickHead(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations,
                   std::size_t length, char* out);

// Whether the rows of two event records are equal, told from their bytes where that is quick:
// for records of one situation code with dates of this century and usual channel columns, or
// none shown. Nothing for other records, whose rows must be built to be compared.
std::optional<bool> EventRowsEqual(const ArchiveRecord& a, const ArchiveRecord& b,
                                   const SituationTexts& situations);

// A number from 0 to 255 that the records of the situation column share exactly when their rows'
// sort prefixes are equal, told without building the prefix: the situation code of a record
// whose prefix EventStoredHead() builds. -1 for other records and columns.
int EventPrefixSlot(const ArchiveRecord& record, int sortColumn, const SituationTexts& situations);

// The most characters of a row the sort prefix of `sortColumn` copies: none for the date and
// time, 29 for the situation.
std::size_t EventPrefixWidth(int sortColumn);

// The text drawn, printed and saved for a stored event row: without its sort prefix and
// without its last character (the colour digit).
std::string_view EventDisplayText(std::string_view stored, int sortColumn);

}  // namespace telvoran
