// The entry of the PDF printing module: the one name it shows the program that loads it.
#include "tools/report/PdfModule.h"
#include "tools/report/PdfPrintout.h"

#if defined(_WIN32)
#define TELVORAN_MODULE_EXPORT __declspec(dllexport)
#else
#define TELVORAN_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TELVORAN_MODULE_EXPORT const telvoran::PdfPrinter telvoran_report_pdf_printer =
    &telvoran::PrintToPdf;
