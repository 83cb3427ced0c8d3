// The four instrument slots: each holds an instrument's link, its
// configuration objects, what is logged from it and, for the two-group
// model, which group is active. One slot is the current instrument.
#pragma once
#include "config/instrument_config.h"
#include "config/model_profiles.h"
#include "link/link_record.h"
#include "slots/multilog_setup.h"

#include <memory>

constexpr int kInstrumentSlots = 4;

// A slot is its link record first, so it can be passed wherever a
// link_record is expected.
struct instrument_slot : link_record {
    std::shared_ptr<instrument_config> primary_config;
    std::shared_ptr<instrument_config> group2_config; // used by model code 16 only
    multilog_setup selection;
    int32_t active_group; // 0 primary group ("GROUP,1"), 1 second group ("GROUP,2")

    instrument_slot();
    ~instrument_slot();
    instrument_slot(const instrument_slot&) = delete;
    instrument_slot& operator=(const instrument_slot&) = delete;

    void set_active_group(int group);
    multilog_setup* get_multilog_setup();
    std::shared_ptr<instrument_config> get_primary_config();
    std::shared_ptr<instrument_config> get_group2_config();
    // Moves the record into the slot's link (identity, settings and its open
    // port or socket; the record is left closed) unless it is the slot's own,
    // then builds the configuration objects of its model (model profile).
    void attach_instrument(link_record& record);
};

// Slot table and current index.
instrument_slot& get_instrument(int n);
instrument_slot& get_current_instrument();
int get_current_instrument_index();
void set_current_instrument_index(int n);
int get_instrument_active_group(int n);
int set_slot_active_group(int n, int group);
int get_current_active_group();
void set_current_active_group(int group);
multilog_setup* get_instrument_selection(int n);
multilog_setup* get_current_instrument_selection();

// Configuration access; each returns a new reference to the slot's object.
std::shared_ptr<instrument_config> get_instrument_active_config(int n);
std::shared_ptr<instrument_config> get_instrument_config_for_group(int n, int group);
std::shared_ptr<instrument_config> get_current_config();
std::shared_ptr<instrument_config> get_current_config_for_group(int group);
// Plain pointers, kept alive by the slot.
instrument_config* get_instrument_config_ptr(int group, int n);
instrument_config* get_current_config_ptr(int group);

// attach_instrument on slot n.
void attach_instrument_to_slot(link_record& record, int n);

// Group switching of the two-group model; every other model returns at once
// without any exchange. keep_open: the caller already holds the link open.
// A switch the instrument does not confirm is told in a "Connection Failed"
// box, unless the caller has told the user already (group_failure::quiet).
enum class group_failure { told, quiet };
// Whether the slot holds a two-group model, whose group is switched. A slot
// without one has group 0 only: asked for group 0 it is put there, off any
// group a two-group instrument it held before left it on.
bool has_groups_to_switch(instrument_slot& slot, int group);
// After a connect, whatever came of it: every slot that holds no connected
// two-group instrument is on group 0.
void put_one_group_slots_on_group_0();
void switch_instrument_group(bool keep_open);
// False when the instrument did not confirm the switch (always true for a
// model without groups).
bool set_active_group_and_switch(int group, bool keep_open,
                                 group_failure failure = group_failure::told);
void select_group_for_instrument(int n, int group, bool keep_open);
void verify_current_group(bool keep_open);
void verify_instrument_group(int n, bool keep_open);

// Phase and grouping predicates (item 23 grouping, item 82 wiring).
bool check_phase_grouping_a(int n);
bool check_phase_grouping_b(int n);
bool check_phase_grouping_c(int n);
// Whether the wiring set on instrument n fits its phases, for group g.
bool check_wiring_phase_rule(int n, int group);
