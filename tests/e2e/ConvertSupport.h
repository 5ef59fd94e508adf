// One conversion with the real converter, in this process.
#pragma once

#include <string>

namespace vltest {

// Converts pdf into rtf for the page range; a non-empty password answers the
// converter's password request. Returns "" on success, else the failure's
// message.
std::string ConvertPdf(const std::string& pdf, const std::string& rtf, const std::string& range,
                       const std::string& password);

}  // namespace vltest
