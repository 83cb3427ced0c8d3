// Until the configuration summaries are written, the file is created empty.
#include "app/summary_export.h"

#include <fstream>

bool write_instrument_summary_file(const char* path, int)
{
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    return out.is_open();
}
