// Resource ids of the progress dialog (frame/frame.rc). Kept free of C++ so
// that the resource compiler can read it.
#pragma once

#define IDD_PROGRESS 178
#define IDC_PROGRESS_BAR 10005
#define IDC_PROGRESS_STATUS 10008
#define IDC_PROGRESS_TEXT 10009
