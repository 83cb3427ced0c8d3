// The logged results held in memory. So far the store holds the number of
// rows of the current run; the rows themselves are read from the results
// file when needed. Touched only on the GUI thread.
#pragma once
#include <cstdint>

// Rows of the current run; -1 when no run is stored.
extern int64_t result_record_count;

// Frees the stored results: the row count becomes -1.
void free_result_pointer_list();

// Tells the windows that the results or their selection changed: posts
// CMD_REFRESH_CONNECTIONS to the main window and CMD_REDRAW (lParam 1) to
// the four Measure Results windows. The panes have no result columns yet,
// so there is nothing to lay out again whatever relayout says.
void post_results_refresh(bool relayout, int columns);
