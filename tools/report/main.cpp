#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

#include "tools/report/ProgramDirectory.h"
#include "tools/report/ReportCommand.h"

#ifdef TELVORAN_REPORT_PDF
#include "tools/report/PdfPrintout.h"
constexpr telvoran::PdfPrinter kPdfPrinter = &telvoran::PrintToPdf;
#else
constexpr telvoran::PdfPrinter kPdfPrinter = nullptr;
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The report carries its own CR LF line ends; a text-mode stream would double the CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  // The report goes out in large pieces straight through the stream, not through C stdio.
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return telvoran::RunReport(arguments, std::cout, std::cerr, telvoran::ProgramDirectory(),
                             kPdfPrinter);
}
