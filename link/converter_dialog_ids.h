// Resource and control ids of the converter's Connect dialog. Kept free of
// C++ so that the resource compiler can read it.
#pragma once

#define IDD_CONVERTER_CONNECT 196
#define IDC_CONVERTER_CONNECT 112
#define IDC_CONVERTER_INTERFACE 113
#define IDC_CONVERTER_COM_PORT 114
#define IDC_CONVERTER_BAUD_RATE 115
#define IDC_CONVERTER_TEST 116
#define IDC_CONVERTER_ADDRESS 117
#define IDC_CONVERTER_PORT_LABEL 118
#define IDC_CONVERTER_BAUD_LABEL 119
