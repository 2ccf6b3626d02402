#pragma once

#include "core/report/PageSelection.h"

class QPrinter;

namespace telvoran {

// The pages, copies, collation and order chosen in the print dialog that the program itself has
// to carry out: copies only when the printer cannot make them (a PDF file cannot).
PageChoice PageChoiceOf(const QPrinter& printer);

}  // namespace telvoran
