#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/ArchiveKind.h"

namespace telvoran {

class StringLookup;

// The captions of the channel panels 1 to 4 of an interval view from the file's header: the
// channel number, its four-character name and its unit in brackets ("1 T1   [deg ]"), or the
// bare number for a channel the file does not have.
std::array<std::string, 4> ChannelPanelCaptions(std::string_view intervalHeader);

// The captions of an interval view's column panels 1 to 5: the date and time text, then the
// channel captions of the header.
std::vector<std::string> IntervalColumnCaptions(const StringLookup& strings,
                                                std::string_view intervalHeader);

// The captions of an event view's column panels 1 to 7: date and time, central unit, channel,
// medium, reading, unit, situation.
std::vector<std::string> EventColumnCaptions(const StringLookup& strings);

// True when a channel panel's caption marks its channel as absent.
bool IsAbsentChannelCaption(std::string_view caption, int channel);

// The title of an interval view: text 111, characters 13 and 14 of the file name, text 112,
// characters 1 to 10 of the file name (a name like 2005-03-14_C07.czt gives the channel set
// 07 and the date 2005-03-14). Pieces beyond the end of the name are cut.
std::string IntervalViewTitle(const StringLookup& strings, std::string_view fileName);

// The title of an event view: text 113 and the first seven characters of the file name.
std::string EventViewTitle(const StringLookup& strings, std::string_view fileName);

}  // namespace telvoran
