#include "logging/results_store.h"

#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"

int64_t result_record_count = -1;

void free_result_pointer_list()
{
    result_record_count = -1;
}

void post_results_refresh(bool, int)
{
    PostMessageA(main_window, WM_COMMAND, CMD_REFRESH_CONNECTIONS, 0);
    for (int pane = 0; pane < RESULTS_PANELS; ++pane)
        PostMessageA(get_measure_results_window(pane), WM_COMMAND, CMD_REDRAW, 1);
}
