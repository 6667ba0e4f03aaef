# The samples of a metrics text (--arg mode parse, raw input) or the samples
# a kestrune-cli JSON document should give (--arg mode expect), one line
# each: name, labels sorted by name, value as a number.

def sample($name; $labels; $value): {name: $name, labels: $labels, value: $value};
def line: ([.name] + (.labels | to_entries | sort_by(.key) | map("\(.key)=\(.value | tojson)")) + [.value | tostring]) | join("|");

def hex: if . < 16 then "0123456789abcdef"[.:. + 1] else ((. / 16 | floor) | hex) + (. % 16 | hex) end;
def hertz: . * 1000000 | round;

def expected:
  .CpuidData as $c | .ProcessorNames as $n | .CacheInfo as $k | .ClockInfo as $t | .DmiProcessorInfo as $d |
  .Features as $f |
  # Family and model as the makers number them.
  ($c.stfamily + (if $c.stfamily == 15 then $c.sefamily else 0 end)) as $family |
  (if $c.vendorst == "GenuineIntel" then ($c.stfamily == 6 or $c.stfamily == 15)
   elif $c.vendorst == "AuthenticAMD" or $c.vendorst == "HygonGenuine" then $c.stfamily == 15
   elif $c.vendorst == "CentaurHauls" or $c.vendorst == "  Shanghai  " then $c.stfamily >= 6
   else false end) as $fold |
  ($c.st_model + (if $fold then 16 * $c.se_model else 0 end)) as $model |
  sample("kestrune_processor_info";
         {vendor: $c.vendorst, name: $n.procname, codename: $n.corecode, platform: $n.platform,
          technology: $n.techpar1, family: ("0x" + ($family | hex)), model: ("0x" + ($model | hex)),
          stepping: ("0x" + ($c.stepping | hex)), x86_64_level: $f.x86_64_level, hypervisor: $n.hypervisor}; 1),
  sample("kestrune_clock_info"; {method: $t.method}; 1),
  (select($t.coremhz > 0) | sample("kestrune_core_clock_hertz"; {}; $t.coremhz | hertz)),
  (select($t.tscmhz > 0) | sample("kestrune_tsc_hertz"; {}; $t.tscmhz | hertz)),
  ([{level: "1", type: "data", kb: $k.level1dc, ways: $k.l1dassoc},
    (if $k.l1ctrace then {level: "1", type: "trace", kb: 0, ways: $k.l1iassoc}
     else {level: "1", type: "instruction", kb: $k.level1ic, ways: $k.l1iassoc} end),
    (select($k.islevel2) | {level: "2", type: "unified", kb: $k.level2cs, ways: $k.l2cassoc}),
    (select($k.islevel3) | {level: "3", type: "unified", kb: $k.level3cs, ways: $k.l3cassoc})][] |
   (select(.kb > 0) | sample("kestrune_cache_size_bytes"; {level, type}; .kb * 1024)),
   (select(.ways > 0) | sample("kestrune_cache_ways"; {level, type}; .ways))),
  ([["1", "data", "4K", $k.l1dtlbe4], ["1", "data", "2M/4M", $k.l1dtlbe2], ["1", "data", "1G", $k.l1dtlbe1g],
    ["1", "instruction", "4K", $k.l1itlbe4], ["1", "instruction", "2M/4M", $k.l1itlbe2],
    ["2", "data", "4K", $k.l2dtlbe4], ["2", "data", "2M/4M", $k.l2dtlbe2], ["2", "data", "1G", $k.l2tlbe1g],
    ["2", "instruction", "4K", $k.l2itlbe4], ["2", "instruction", "2M/4M", $k.l2itlbe2]][] |
   select(.[3] > 0) | sample("kestrune_tlb_entries"; {level: .[0], type: .[1], page_size: .[2]}; .[3])),
  ($f.sets[] | sample("kestrune_instruction_set"; {set: .}; 1)),
  (select($f.packages > 0) | sample("kestrune_packages"; {}; $f.packages)),
  (select($f.cores > 0) | sample("kestrune_cores"; {}; $f.cores)),
  (select($f.threads > 0) | sample("kestrune_threads"; {}; $f.threads)),
  (select($d.dmiread) |
   (select($d.extclock > 0) | sample("kestrune_dmi_external_clock_hertz"; {}; $d.extclock | hertz)),
   (select($d.maxspeed > 0) | sample("kestrune_dmi_max_speed_hertz"; {}; $d.maxspeed | hertz)),
   (select($d.curspeed > 0) | sample("kestrune_dmi_current_speed_hertz"; {}; $d.curspeed | hertz)));

# A label value between its quotes: \\, \" and \n are the escapes.
def unescape: gsub("\\\\(?<c>.)"; if .c == "n" then "\n" else .c end);

def parsed:
  split("\n")[] | select(startswith("kestrune_")) |
  capture("^(?<name>[a-zA-Z_:][a-zA-Z0-9_:]*)(\\{(?<labels>.*)\\})? (?<value>[^ ]+)$") |
  sample(.name;
         [(.labels // "") | scan("([a-zA-Z_][a-zA-Z0-9_]*)=\"((?:[^\"\\\\]|\\\\.)*)\"") |
          {key: .[0], value: (.[1] | unescape)}] | from_entries;
         .value | tonumber);

if $mode == "parse" then parsed | line else expected | line end
