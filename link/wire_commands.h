// Every command text the program sends to an instrument, byte for byte. The
// two status queries differ in case on purpose: the item exchange asks
// "*esr?", the suspend frame "*ESR?", and the instruments take both.
#pragma once

// DC4 (0x14) on its own, no line end: clears the instrument's input; sent
// after every open and before every retry.
constexpr char kDC4[] = "\x14";

// Identification and release of the front panel.
constexpr char kCmdStop[] = "STOP\n";
constexpr char kCmdTagReportOff[] = "tagrep,off\n";
constexpr char kCmdIdentify[] = "*IDN?\n";
constexpr char kCmdVersion[] = "version?\n";
constexpr char kCmdPanelLockOn[] = "USBLOCK,ON\n";

// Measurement groups of the two-group model.
constexpr char kCmdGroup1[] = "GROUP,1\n";
constexpr char kCmdGroup2[] = "GROUP,2\n";
constexpr char kCmdGroupQuery[] = "GROUP?\n";

// One configuration item: printf formats taking the item id (and the value
// text), then the status query that confirms a write.
constexpr char kCmdConfigReadFormat[] = "config,%d?\n";
constexpr char kCmdConfigWriteFormat[] = "config,%d,%s\n";
constexpr char kCmdItemStatus[] = "*esr?\n";

// The suspend frame around a whole-configuration transfer.
constexpr char kCmdSuspendOn[] = "SUSPEN,ON\n";
constexpr char kCmdSuspendStatus[] = "*ESR?\n";
constexpr char kCmdSuspendOff[] = "SUSPEN,OFF\n";

// Back to the instrument's default setup.
constexpr char kCmdRecallDefaults[] = "progra,recall,0\n";
