// The second identification stage: names processors made after the name
// tables from the rows of later_table.h. Internal to the identification;
// IdentifyProcessor runs it after the tables and their post-steps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cpu/cpuid_data.h"
#include "ident/processor_names.h"

namespace kest::ident {

// The makers whose later processors have rows.
enum class LaterMaker : uint8_t { kNone, kIntel, kAmd, kCentaur, kZhaoxin, kHygon };

LaterMaker LaterMakerOf(std::string_view vendorst);

// Family and model as the maker numbers them: the base family plus the
// extended family when the base is 15; the base model plus 16 times the
// extended model where the maker folds it in (Intel: base family 6 and 15;
// Centaur and Zhaoxin: base family 6 and above; AMD and Hygon: base family 15).
struct DisplaySignature {
    uint16_t family = 0;
    uint16_t model = 0;
};

DisplaySignature DisplayNumbers(const CpuidData& cpu, LaterMaker maker);

// The brand string as people write the name: "Intel(R) Core(TM) i7-4500U
// CPU @ 1.80GHz" reads "Intel Core i7-4500U". Windows-1252 bytes in and out.
std::string TidyBrand(std::string_view brand);

// The product line the brand string names (line:: codes), 0 when it names none.
uint16_t LineFromBrand(LaterMaker maker, std::string_view brand);

// The name of a product line for a processor without a brand string
// ("AMD Ryzen", "Intel Core"); empty for codes that are not later lines.
std::string_view LineName(uint16_t intprocn);

// The hypervisor's name from its leaf 0x40000000 vendor text: "KVMKVMKVM"
// reads "KVM", "Microsoft Hv" "Hyper-V"; an unknown one its own text,
// trimmed. Empty for empty text.
std::string HypervisorName(std::string_view vendor_text);

// What depends on where the pass ran rather than on the processor: the
// hypervisor it ran under (in `hypervisor` and the platform text) and, on a
// hybrid Intel processor, the kind of core it ran on (in the model note).
void ApplyRunNotes(const CpuidData& cpu, ProcessorNames& n);

// True when the name tables named the processor: one of their era (no
// extended family or model) to which they gave a code, a name, a core or a
// technology. `n` is what the tables and their post-steps gave.
bool NamedByTables(const CpuidData& cpu, const ProcessorNames& n);

// Applies the second stage to what the tables gave. Leaves `n` as it is for
// a processor the tables named, and for one no row or known family covers.
void IdentifyLater(const CpuidData& cpu, ProcessorNames& n);

}  // namespace kest::ident
