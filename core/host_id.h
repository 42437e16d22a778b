// Host identification: a host's product name reduced to the small integer that bindings
// consult to adapt to particular hosts. 0 when the name matches no known host.
// [any thread; no allocation]
#pragma once

#include <cstdint>

// The first entry of the fixed host list whose text occurs in the lower-cased name (its
// first 255 characters) gives the id.
int32_t LookupHostId(const char* hostName);
