// The configuration file commands of the "Saved Config" menu: importing a
// configuration file and writing the current instrument's summary as text.
#include "app/main_commands.h"

#include "app/base/message_box.h"
#include "app/config_import.h"
#include "app/control_tables.h"
#include "app/shell_services.h"
#include "app/summary_export.h"
#include "configui/config_pages.h"
#include "link/instrument_slots.h"

#include <cstdio>
#include <memory>

namespace {

constexpr char kConfigFilter[] = "Config Files *.cfg\0*.cfg\0All Files *.*\0*.*\0";
constexpr char kTextFilter[] = "Text File *.txt\0*.txt\0";

bool ask_file(HWND owner, const char* filter, const char* extension, bool save, char (&path)[MAX_PATH])
{
    path[0] = '\0';
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrDefExt = extension;
    request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    return choose_file(request, save);
}

struct file_closer {
    void operator()(FILE* file) const { fclose(file); }
};

} // namespace

// The chosen file is held open while it is imported and closed afterwards;
// a file that did not open is reported and never closed.
void import_config_command(HWND main_window)
{
    char path[MAX_PATH];
    if (!ask_file(main_window, kConfigFilter, "cfg", false, path))
        return;
    std::unique_ptr<FILE, file_closer> file(fopen(path, "r"));
    if (!file) {
        show_message_box(main_window, "Unable to import config from that file", "Import Error", MB_OK);
        return;
    }
    import_legacy_config_file(path);
    show_config_page(get_config_window());
}

void export_summary_command(HWND main_window)
{
    char path[MAX_PATH];
    if (!ask_file(main_window, kTextFilter, "txt", true, path))
        return;
    if (write_instrument_summary_file(path, get_current_instrument_index()))
        return;
    char text[MAX_PATH + 64];
    snprintf(text, sizeof text, "The summary could not be written to\n%s", path);
    show_message_box(main_window, text, "Kestrova", MB_ICONWARNING);
}
