// IPlugBase: host identification.
#include "core/host_id.h"
#include "core/iplug_base.h"
#include "core/trace.h"

void IPlugBase::SetHost(const char* hostName, int32_t hostVersion) {
  TRACE_OP("IPlugBase::SetHost");
  hostId_.store(LookupHostId(hostName), std::memory_order_relaxed);
  hostVersion_.store(hostVersion, std::memory_order_relaxed);
}
