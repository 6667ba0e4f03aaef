#include "cpu/topology.h"

namespace kest {

bool ReadLiveTopology(Topology& out) { return ReadSysfsTopology("/sys/devices", out); }

}  // namespace kest
