// Resource ids of the "Select Default" dialog. Kept free of C++ so that the
// resource compiler can read it.
#pragma once

#define IDD_SELECT_DEFAULT 198
#define IDC_DEFAULT_AC 3008
#define IDC_DEFAULT_DC 3009
