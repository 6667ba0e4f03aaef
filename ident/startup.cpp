#include "ident/startup.h"

#include "cpu/cpuid_pass.h"

namespace kest {

StartupRecords RunStartup(CpuidSource& source) {
    StartupRecords r;
    r.cpu = RunCpuidPass(source);
    r.caches = DecodeCaches(r.cpu);
    r.names = IdentifyProcessor(r.cpu, r.caches);
    return r;
}

}  // namespace kest
