// The output formats and their names, as every program offers them: the
// command line's --format, the window's and the database browser's saves and
// the throughput output. Each use lists the formats it takes, its default
// first.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kest {

enum class OutputFormat { Text, Html, Record, Json, Csv, Prometheus };

struct OutputFormatName {
    OutputFormat format;
    std::string_view name;
};
inline constexpr std::array<OutputFormatName, 6> kOutputFormatNames = {{
    {OutputFormat::Text, "text"},
    {OutputFormat::Html, "html"},
    {OutputFormat::Record, "record"},
    {OutputFormat::Json, "json"},
    {OutputFormat::Csv, "csv"},
    // The Prometheus text exposition format (node_exporter's textfile
    // collector).
    {OutputFormat::Prometheus, "prometheus"},
}};

// What each output takes, its default first.
inline constexpr std::array kProcessorFormats = {OutputFormat::Text, OutputFormat::Html, OutputFormat::Record,
                                                 OutputFormat::Json, OutputFormat::Prometheus};
inline constexpr std::array kThroughputFormats = {OutputFormat::Csv, OutputFormat::Json};
inline constexpr std::array kDatabaseFormats = {OutputFormat::Json, OutputFormat::Csv};

constexpr std::string_view FormatName(OutputFormat f) {
    for (const auto& n : kOutputFormatNames)
        if (n.format == f) return n.name;
    return {};
}

// The format named `name` if `allowed` has it; the first of `allowed` for an
// empty name; nothing otherwise.
inline std::optional<OutputFormat> PickFormat(std::string_view name, std::span<const OutputFormat> allowed) {
    if (name.empty()) return allowed.empty() ? std::nullopt : std::optional(allowed.front());
    for (OutputFormat f : allowed)
        if (FormatName(f) == name) return f;
    return std::nullopt;
}

// "csv or json", "text, html, record, json or prometheus".
inline std::string FormatList(std::span<const OutputFormat> formats) {
    std::string s;
    for (size_t i = 0; i < formats.size(); ++i) {
        if (i) s += i + 1 == formats.size() ? " or " : ", ";
        s += FormatName(formats[i]);
    }
    return s;
}

}  // namespace kest
