#include "logging/csv_log.h"

#include "base/message_box.h"
#include "frame/version.h"

void open_csv_log_file(HWND owner)
{
    show_message_box(owner, "Reading a CSV log back is not available in this version.", kProductName,
                     MB_OK | MB_ICONINFORMATION);
}
