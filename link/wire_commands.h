// Every command text the program sends to an instrument, byte for byte. The
// two status queries differ in case on purpose: the item exchange asks
// "*esr?", the suspend frame "*ESR?", and the instruments take both.
#pragma once

// DC4 (0x14) on its own, no line end: clears the instrument's input; sent
// after every open and before every retry.
constexpr char kDC4[] = "\x14";
// DC4 with a line end: the first of the commands that end a session at exit.
constexpr char kCmdClearInputLine[] = "\x14\n";

// Identification and release of the front panel.
constexpr char kCmdStop[] = "STOP\n";
constexpr char kCmdTagReportOff[] = "tagrep,off\n";
constexpr char kCmdIdentify[] = "*IDN?\n";
constexpr char kCmdVersion[] = "version?\n";
constexpr char kCmdPanelLockOn[] = "USBLOCK,ON\n";
constexpr char kCmdPanelLockOff[] = "USBLOCK,OFF\n";
// Sent at exit, after the panel is released, when the comms log is on.
constexpr char kCmdKeyboardEnable[] = "keyboa,enable\n";

// The calibration texts an instrument gives beside its version.
constexpr char kCmdCalibrationText[] = "calstr?\n";
constexpr char kCmdCalibrationVersion[] = "calver?\n";

// The two characters "^" and "[" (not an ESC byte), no line end: sent to the
// CAN-bus converter on its serial port after DC4, before it is asked who it is.
constexpr char kCmdConverterEscape[] = "^[";

// Measurement groups of the two-group model.
constexpr char kCmdGroup1[] = "GROUP,1\n";
constexpr char kCmdGroup2[] = "GROUP,2\n";
constexpr char kCmdGroupQuery[] = "GROUP?\n";

// One configuration item: printf formats taking the item id (and the value
// text), then the status query that confirms a write.
constexpr char kCmdConfigReadFormat[] = "config,%d?\n";
constexpr char kCmdConfigWriteFormat[] = "config,%d,%s\n";
constexpr char kCmdItemStatus[] = "*esr?\n";

// The suspend frame around a whole-configuration transfer. Its status query
// also polls the settling of a group switch.
constexpr char kCmdSuspendOn[] = "SUSPEN,ON\n";
constexpr char kCmdSuspendStatus[] = "*ESR?\n";
constexpr char kCmdSuspendOff[] = "SUSPEN,OFF\n";

// Back to the instrument's default setup: the connection's reset asks with
// the long word, a default configuration's recall with the short one.
constexpr char kCmdRecallDefaults[] = "progra,recall,0\n";
constexpr char kCmdRecallProgramZero[] = "prog,recall,0\n";
