// One scheduled test of the test scheduler. The frame only keeps the list
// of them; the scheduler gives the record its fields.
#pragma once

struct scheduled_test {};
