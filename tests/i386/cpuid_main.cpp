// The CPUID layer built for i386: the EFLAGS tests and CPUID through the
// 32-bit register conventions must give the same record as the 64-bit build.
#include <cstdio>

#include "cpu/cpuid_pass.h"
#include "cpu/cpuid_source.h"

int main() {
    auto source = kest::MakeLiveCpuidSource();
    const bool has = source->HasCpuid();
    const bool is486 = source->Is486();
    const kest::CpuidData d = kest::RunCpuidPass(*source);
    std::printf("cpuid=%d 486=%d vendor=%s signature=%s max=%08X ext=%08X leaf4=%zu leaf8000001d=%zu\n", has, is486,
                d.vendorst.c_str(), d.signature.c_str(), d.maxcpuid, d.mxecpuid, d.leaf4.size(),
                d.leaf8000001d.size());
    return has && d.cpuid_ok ? 0 : 1;
}
