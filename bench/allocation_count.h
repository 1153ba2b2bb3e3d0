// Counts the heap allocations of this process, so that the benchmark can
// show that an operation allocates nothing per card.
#pragma once

long AllocationCount();
