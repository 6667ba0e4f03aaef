// The start-up pass over every CPUID leaf the processor admits.
#pragma once

#include "cpu/cpuid_data.h"
#include "cpu/cpuid_source.h"

namespace kest {

CpuidData RunCpuidPass(CpuidSource& source);

}  // namespace kest
