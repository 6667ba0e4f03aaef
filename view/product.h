// The product's own texts, shared by the About page and the report footers:
// version, addresses, legal notice, the database browser's file name.
#pragma once

#include <string_view>

namespace kest {

// The version text written into reports and records.
inline constexpr std::string_view kProgramVersion = "5.4.1 e2";
// The web address (About page link, report footers) and the two mail
// addresses of the About page.
inline constexpr std::string_view kWebAddress = "https://kestrune.example.org";
inline constexpr std::string_view kSupportMail = "support@kestrune.example.org";
inline constexpr std::string_view kAuthorMail = "authors@kestrune.example.org";
inline constexpr std::string_view kLegalNotice =
    "Kestrune is free software, distributed under the terms of the MIT License.";

// Each platform's own (product_<platform>.cpp): the database browser, looked
// for in the current directory and started by this bare name, and the About
// page's line on what the window program is made with.
extern const std::string_view kDatabaseBrowserProgram;
extern const std::string_view kWrittenWith;

}  // namespace kest
