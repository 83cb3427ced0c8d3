#include "logging/logging_state.h"

uint32_t log_data_mode = LOG_MODE_REAL_TIME;
uint32_t activity_state = ACTIVITY_IDLE;
uint8_t highspeed_mode = 0;
bool results_present = false;
