// Trace points at the entry of the framework's main operations. They compile to nothing and
// print nothing; they mark where a tracing build would hook in.
#pragma once

inline void TraceOp(const char* /*operation*/) {}

#define TRACE_OP(operation) TraceOp(operation)
