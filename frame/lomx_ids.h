// Control ids of the LOMX window (lomx_controls): the set-up of the
// LOMX-RS232 CAN-bus converter.
#pragma once
#include "frame/control_id_blocks.h"

enum : int {
    IDC_LOMX_TITLE = 15501,                // "LOMX Setup"
    IDC_LOMX_INSTRUCTIONS = 15502,
    IDC_LOMX_CONNECT = 15503,              // "Connect to LOMX"
    IDC_LOMX_STATUS = 15504,               // connection status, "No Connection"
    IDC_LOMX_CONNECTION_GROUP = 15505,     // "Connection Settings"
    IDC_LOMX_CAN_BITRATE_LABEL = 15506,
    IDC_LOMX_CAN_BITRATE = 15507,
    IDC_LOMX_BAUDRATE_LABEL = 15508,
    IDC_LOMX_BAUDRATE = 15509,
    IDC_LOMX_MESSAGE_GROUP = 15510,        // "CAN Message Settings"
    IDC_LOMX_EXTENDED_IDS = 15511,
    IDC_LOMX_READ_ID_LABEL = 15512,
    IDC_LOMX_READ_ID = 15513,
    IDC_LOMX_REPLY_ID_LABEL = 15514,
    IDC_LOMX_REPLY_ID = 15515,
    IDC_LOMX_POWER_ON_GROUP = 15516,       // "Power On Settings"
    IDC_LOMX_SEND_STATUS = 15517,
    IDC_LOMX_SET_UP_MULTILOG = 15518,
    IDC_LOMX_LOAD_PROGRAM = 15519,
    IDC_LOMX_PROGRAM_LABEL = 15520,
    IDC_LOMX_PROGRAM = 15521,
    IDC_LOMX_MULTILOG_GROUP = 15522,       // "Multilog Settings"
    IDC_LOMX_FIRST_REPLY_COUNT = 15523,
    IDC_LOMX_REQUEST_MULTILOG = 15524,
    IDC_LOMX_SEND_OVER_CAN = 15525,
    IDC_LOMX_SEND_OVER_CAN_LABEL = 15526,
    IDC_LOMX_SELECT_MULTILOGS = 15527,
    IDC_LOMX_EDIT_SELECTED = 15528,
    IDC_LOMX_MULTILOG_LIST = 15529,
    IDC_LOMX_REQUEST_LABEL = 15530,
    IDC_LOMX_REQUEST_ON_COMMAND = 15531,   // "On command only"
    IDC_LOMX_REQUEST_REPEATEDLY = 15532,
    IDC_LOMX_REQUEST_REPEATED_ON_COMMAND = 15533,
    IDC_LOMX_REPEAT_SPEED_LABEL = 15534,
    IDC_LOMX_REPEAT_SPEED = 15535,
    IDC_LOMX_REPEAT_SPEED_UNIT = 15536,    // "s"
    IDC_LOMX_REPLY_OLD_DATA = 15537,
    IDC_LOMX_SAVE = 15538,
    IDC_LOMX_LOAD = 15539,
    IDC_LOMX_SETUP = 15540,                // "Setup LOMX"
};

static_assert(window_ids::lomx.holds(IDC_LOMX_TITLE) && window_ids::lomx.holds(IDC_LOMX_SETUP),
              "the ids lie in their block of the registry");
