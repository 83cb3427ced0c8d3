// Kestrova: the process entry.
#include "app/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show)
{
    return win_main(instance, previous, command_line, show);
}
