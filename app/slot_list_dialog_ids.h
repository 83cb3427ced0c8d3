// Resource ids of the "Export Config" and "Import Config" dialogs, which
// list the used saved-configuration slots. Kept free of C++ so that the
// resource compiler can read it.
#pragma once

#define IDD_EXPORT_CONFIG 144
#define IDC_EXPORT_BUTTON 1399
#define IDC_EXPORT_LIST 1400

#define IDD_IMPORT_CONFIG 143
#define IDC_IMPORT_SAVE 1401
#define IDC_IMPORT_LIST 1402
#define IDC_IMPORT_PROMPT 1403
