// The cache listing: what the cache pages and both reports show of each
// cache level, in one table of blocks (a cache or a TLB) and rows (caption,
// value). The window and the two reports word a few captions differently;
// the blocks, the rows, their order and their values are the same for all.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/cache_info.h"

namespace kest {

enum class CacheRowKind { Size, Associativity, LineSize, LinesPerTag, Sectors, Entries };

struct CacheRow {
    CacheRowKind kind;
    std::string value;
};

enum class CacheBlockKind {
    Data,         // "Level 1 Data Cache"
    Instruction,  // "Level 1 Instruction(s) Cache"
    Trace,        // "Level 1 Trace Cache"
    Unified,      // "Level 2 Cache"
    DataTlb4K,
    DataTlb2M,
    InstructionTlb4K,
    InstructionTlb2M,
};

struct CacheBlock {
    int level = 1;
    CacheBlockKind kind = CacheBlockKind::Unified;
    uint16_t ways = 0;  // a TLB without ways is shown dimmed
    std::vector<CacheRow> rows;
};

// One level as the window lays it out: the cache (left column), the level-1
// instruction or trace cache (right column), then the TLBs in pairs, data
// (left) and instructions (right), 4 KB pages first.
struct CacheLevelListing {
    int level = 1;
    bool present = true;  // islevel2 / islevel3; level 1 always
    CacheBlock cache;
    std::optional<CacheBlock> instructions;
    std::vector<std::array<CacheBlock, 2>> tlb_pairs;
};

std::array<CacheLevelListing, 3> CacheListing(const CacheInfo& caches);

// The three wordings of captions and titles.
enum class CacheWording { TextReport, HtmlReport, Window };
std::string_view CacheRowCaption(CacheRowKind kind, CacheWording wording);
std::string CacheBlockTitle(const CacheBlock& block, CacheWording wording);

}  // namespace kest
