// Resource and control ids of the instrument chooser of the LAN search, and
// the LAN search icon. Kept free of C++ so that the resource compiler can
// read it.
#pragma once

#define IDI_LAN_SEARCH 161
#define IDD_CHOOSE_INSTRUMENT 139
#define IDC_CHOOSER_LIST 1381
