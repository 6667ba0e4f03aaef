// The throughput result as the database record and the window keep it:
// 24 hex digits, the read, write and copy averages x 100.
#pragma once

namespace kest {

// Before any throughput run.
inline constexpr char kMemtestrDefault[] = "000000000000000000000000";

}  // namespace kest
