#include "tools/mkarchive/UsageText.h"

namespace telvoran {

std::string_view MkArchiveUsageText() {
  return R"(Usage: telvoran-mkarchive --output FILE [options]

Writes a made-up interval archive (.czt) or event archive (.zdr) for demos, tests and
benchmarks. The same options and seed always give the same bytes.

What to write
  -o, --output FILE        the archive to write; an existing file is replaced
  -k, --kind KIND          interval or event; by default taken from the output file's
                           extension (.czt or .zdr)
  -n, --records N          data records to write, after the header of an interval
                           archive (default 100). The file then has 40 x (header records
                           + N) + trailing bytes
  -s, --seed N             seed of the made-up values (default 1)
      --start DATE         time of the first record: YYYY-MM-DD[THH:MM[:SS]], year 2000
                           to 2099 (default 2005-03-14T08:00:00)
      --step DURATION      interval archive: time between records; event archive: the
                           longest time between one event and the next (each gap is
                           drawn from 0 to DURATION). Seconds, or with the suffix s, m, h
                           or d: 90, 15m, 2h, 1d (default 15m)
  -h, --help               show this text
      --version            show the version of the tool

Channels
  -c, --channels N         number of channels, 0 to 4 (default 2); an event archive
                           needs at least 1
      --name K=TEXT        name of channel K (1 to 4), up to 4 characters; in an event
                           archive, the medium written with the channel's events
      --unit K=TEXT        unit of channel K, up to 4 characters
                           Defaults: T1 °C, P1 kPa, Q1 m3/h, H1 %RH
      --format [K=]FORMAT  how values of channel K (or of every channel) are written in
                           their 5 characters:
                             fixed:D or %5.Df  right-aligned with D decimals (0 to 3),
                                               like " 21.5" (default fixed:1)
                             int or %5d        right-aligned whole numbers, like "  230"
                             text              5 random printable characters
      --range [K=]MIN:MAX  range of the values of channel K or of every channel
                           (defaults 15:25, 95:105, 0:50, 30:70); both ends must fit
                           in 5 characters in the channel's format
      --duplicates PCT     share of data records, 0 to 100 percent, that repeat the
                           record before them byte for byte (default 0)
Texts are taken as UTF-8 and written in Windows-1250 (° becomes byte 0xB0).

Event archives
      --address A[-B]      central unit address, or a range to draw from, 0 to 99
                           (default 1)
      --codes LIST         weights of the situation codes, e.g.
                           G=6,L=2,H=2,M=1,W=1,O=1,F=1,other=1; codes left out get 0
                           (default G=6,L=2,H=2,M=1,W=1,O=1,F=1)
      --other-codes CHARS  the codes drawn for 'other', none of GLHMWOF (default X);
                           a lower-case g is a code outside the table too

Interval archive header
      --header-kind 26|33  kind of the header records (default 26)
      --header-records H   write only H header records, 1 to 4 (default 4); the data
                           records then take the place of the missing ones
      --count-char C       put character C (e.g. 5 or x) in place of the channel-count
                           digit; 'missing' ends the header text after its first
                           character instead (with all four header records)

Faults (RECORD counts every record of the file from 1, header records included)
      --wrong-kind RECORD:KIND     store KIND (0 to 4294967295) as the record's kind
      --zero RECORD:OFFSET         set one byte to 0
      --set-byte RECORD:OFFSET=V   set one byte to V (0 to 255), e.g. 7:month=0 or
                                   3:address=255
                   OFFSET is a byte offset 0 to 39 or a field name:
                   interval: year month day hour minute second value1 .. value4 kind
                   event:    address year month day hour minute second channel code
                             reading medium unit kind
      --trailing K                 end the file with the first K bytes (1 to 39) of one
                                   more record
Faults are applied in this order: kind, then bytes in the order given. Each option
may be repeated.

A plant's folder instead of one archive
      --plant DIR          write the archives of a plant into DIR: for each day a
                           subfolder of its year with one interval archive per
                           central unit (2005-03-14_C07.czt, two channels), and one
                           event archive per year (alarm2005.zdr) with the alarms of
                           those units and channels
      --units N            central units 1 to N (1 to 99, default 20)
      --days N             days from the start on (default 30)
      --records-per-day N  interval records of a unit and day (default 96)
      --alarms N           alarms over all units and days (default 1000)
      --start DAY          the first day (default 2005-01-01)
      --seed N             the same seed makes the same folder

Exit status: 0 when the archive was written, 1 when it could not be written (the
partial file is removed), 2 when the command line is wrong.
)";
}

}  // namespace telvoran
