#include <iostream>

#include "tools/common/CommandLine.h"
#include "tools/report/ProgramDirectory.h"
#include "tools/report/ReportCommand.h"

#ifdef TELVORAN_REPORT_PDF
#include "tools/report/PdfModule.h"
constexpr telvoran::PdfPrinter kPdfPrinter = &telvoran::PrintThroughPdfModule;
#else
constexpr telvoran::PdfPrinter kPdfPrinter = nullptr;
#endif

int main(int argc, char** argv) {
  // The report carries its own CR LF line ends, and messages end in a bare line feed everywhere.
  telvoran::UseBinaryStandardStreams();
  // The report goes out in large pieces straight through the stream, not through C stdio.
  std::ios::sync_with_stdio(false);
  return telvoran::RunReport(telvoran::Utf8Arguments(argc, argv), std::cout, std::cerr,
                             telvoran::ProgramDirectory(), kPdfPrinter);
}
