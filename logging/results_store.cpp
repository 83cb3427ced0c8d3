#include "logging/results_store.h"

int64_t result_record_count = -1;

void free_result_pointer_list()
{
    result_record_count = -1;
}
