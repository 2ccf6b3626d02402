#include "tools/report/ReportUsageText.h"

namespace telvoran {

std::string_view ReportUsageText() {
  return R"(Usage: telvoran-report [--sort N] [--output FILE] [--pdf FILE] [--csv FILE] ARCHIVE
       telvoran-report [OPTIONS] DAY.czt DAY.czt...
       telvoran-report [OPTIONS] --unit N --from DAY --to DAY FOLDER

Makes the text report, and on request the printout or the spreadsheet file, that
Telvoran's save and print commands make for the view of ARCHIVE, without a window.
ARCHIVE is an interval archive (.czt) or an event archive (.zdr), opened with the
same checks and messages as in the program.

Several interval archives, or the daily archives of central unit N from DAY to DAY
(2005-03-14, both included) in the plant's FOLDER and its subfolders, are read as
one view over the span of days, as the program's catalogue window opens it: the
report's title and the CSV file's first line name the unit and the span. Days whose
header differs from the first day's are left out, and days that cannot be read are
named in one message; the rows read are written.

  -s, --sort N       sort by column N, as a click on its panel does (default 1):
                       interval archive: 1 date and time, 2 to 5 channels 1 to 4
                       (only channels the archive has)
                       event archive: 1 date and time, 2 central unit, 3 channel,
                       4 medium, 5 reading, 6 unit, 7 situation
  -o, --output FILE  write the text report to FILE; an existing file is replaced
                     once the report is complete
      --pdf FILE     print the view into the PDF file FILE (A4, 600 dpi); an existing
                     file is replaced once the printout is complete. Only a build
                     with the desktop program (Qt) prints
      --csv FILE     write the view as a spreadsheet file (CSV) to FILE, as the save
                     command does with the CSV type; an existing file is replaced
                     once the file is complete
  -h, --help         show this text
      --unit N       of FOLDER, the central unit N (0 to 99), the characters 13 and
                     14 of its archives' names
      --from DAY     of FOLDER, the first day of the span
      --to DAY       of FOLDER, the last day of the span
      --version      show the version of the tool

The text report goes to standard output unless --output, --pdf or --csv is given;
each one given is written. It holds the same bytes as the program's saved report:
Windows-1250 text, every line ended by CR LF, the heading block and then the rows.
The CSV file is UTF-8 text without a byte-order mark, comma separated, every line
ended by CR LF: a heading line, then one line for each row in the view's order.
Interval archive: date_time (2005-03-14T08:00:00), then a column "NAME [UNIT]" for
each channel. Event archive: date_time, central_unit, channel, medium, value, unit,
situation (the colour digit 0 to 5) and situation_text. Values that are numbers are
written with a dot; others as they stand; a blank one stays empty. A date that names
no real moment is written as the view shows it, with a T before the time.

The string library Telvoran.dll is read from the folder of this program. Messages
go to standard error in UTF-8.

Exit status: 0 when everything asked for was written; 1 when the archive cannot be
shown (the program's own message, a name that ends neither in .czt nor in .zdr, or a
column the view does not have) or --pdf is given to a build that cannot print, or a day of a span could not be
read (what was read is written); 2 when an unexpected error stopped the work (reading,
writing or printing), the string library is missing, or the command line is wrong.
)";
}

}  // namespace telvoran
