// The logged results held in memory. So far the store holds the number of
// rows of the current run; the rows themselves are read from the results
// file when needed. Touched only on the GUI thread.
#pragma once
#include <cstdint>

// Rows of the current run; -1 when no run is stored.
extern int64_t result_record_count;

// Frees the stored results: the row count becomes -1.
void free_result_pointer_list();
