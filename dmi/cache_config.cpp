// The configuration word of a cache record (type 7, offset 05h).
#include "dmi/dmi.h"

namespace kest {

DmiCacheConfigTexts DecodeDmiCacheConfig(uint16_t config) {
    static const char* const kLocation[4] = {"Internal", "External", "N/A", "Unknown"};
    static const char* const kMode[4] = {"Write Through", "Write Back", "Varies with Memory Address", "Unknown"};
    DmiCacheConfigTexts t;
    t.location = kLocation[(config >> 5) & 3];
    t.mode = kMode[(config >> 8) & 3];
    t.status = (config & 0x80) ? "Enabled" : "Disabled";
    t.socket = (config & 0x08) ? "Socketed" : "Non-socketed";
    return t;
}

}  // namespace kest
