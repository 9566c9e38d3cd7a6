#pragma once

#include <cstddef>

// The test binaries' own global operator new: it counts allocations, and under a heap budget it
// behaves like a machine that ran out of memory. Sanitizers bring their own allocator; under one,
// nothing is counted and no budget is kept.
bool allocationsCounted();
long allocationCount();

// From now on, refuses an allocation that would take more than `bytes` beyond what is in use now,
// and once one was refused, any allocation until at most a quarter of that is in use again.
// 0 lifts the budget.
void setHeapBudget(std::size_t bytes);
