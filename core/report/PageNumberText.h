#pragma once

#include <string>
#include <string_view>

namespace telvoran {

// The footer's page number: `pattern` (a library text) with its one printf-style integer
// placeholder replaced by `pageNumber` and every "%%" by "%". The placeholder is "%" then
// optional flags from "-+ 0", an optional width, an optional "." precision, an optional "l" and
// one of "d", "i", "u". A pattern with any other or a second placeholder, or a lone "%", is
// returned unchanged: library texts are never handed to printf.
std::string PageNumberText(std::string_view pattern, int pageNumber);

}  // namespace telvoran
