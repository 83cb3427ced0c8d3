// The four instrument slots: start-up defaults, attaching by model code,
// group selection over the real links, and the phase and wiring rules.
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_link_test.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using wqt_sim::action;

std::unique_ptr<link_record> record_with(uint32_t model, uint32_t phases = 3, const char* idn = "")
{
    auto rec = make_lan_link("127.0.0.1");
    rec->model_code = model;
    rec->phase_count = phases;
    snprintf(rec->idn_reply, sizeof rec->idn_reply, "%s", idn);
    return rec;
}

// Attaches a new record to slot n.
void attach(std::unique_ptr<link_record> record, int n)
{
    attach_instrument_to_slot(*record, n);
}

bool same_options(const config_item* a, const config_item* b)
{
    if (a->options.size() != b->options.size())
        return false;
    for (size_t i = 0; i < a->options.size(); ++i) {
        if (std::string(a->options[i]) != b->options[i])
            return false;
    }
    return true;
}

TEST(InstrumentSlots, StartUpDefaults)
{
    // Slot 3 is never attached by these tests.
    instrument_slot& slot = get_instrument(3);
    EXPECT_EQ(0u, slot.interface);
    EXPECT_EQ(0, slot.link_open);
    EXPECT_EQ(0, slot.active_group);
    EXPECT_EQ(0, slot.selection.selected_count);
    EXPECT_EQ(0, slot.selection.needs_programming);
    EXPECT_EQ(21152u, sizeof slot.selection);

    // Base-class copies of the 15xx items and of the 35xx second group.
    auto primary = get_instrument_config_for_group(3, 0);
    auto group2 = slot.get_group2_config();
    ASSERT_TRUE(primary && group2);
    EXPECT_EQ(nullptr, dynamic_cast<wqt_cfg_15xx*>(primary.get()));
    EXPECT_EQ(nullptr, dynamic_cast<wqt_cfg_35xx*>(group2.get()));
    wqt_cfg_15xx family15;
    wqt_cfg_35xx family35(1);
    EXPECT_FALSE(primary->item_at(1)->options.empty());
    EXPECT_TRUE(same_options(family15.item_at(1), primary->item_at(1)));
    EXPECT_TRUE(same_options(family35.item_at(23), group2->item_at(23)));

    // Group 1 gives the primary configuration unless the model is 16.
    EXPECT_EQ(primary, get_instrument_config_for_group(3, 1));
    EXPECT_EQ(primary.get(), get_instrument_config_ptr(1, 3));
    EXPECT_EQ(&slot.selection, get_instrument_selection(3));
    EXPECT_EQ(&slot.selection, slot.get_multilog_setup());
}

TEST(InstrumentSlots, CurrentIndexAndGroupAccessors)
{
    set_current_instrument_index(2);
    EXPECT_EQ(2, get_current_instrument_index());
    EXPECT_EQ(&get_instrument(2), &get_current_instrument());
    EXPECT_EQ(1, set_slot_active_group(2, 1));
    EXPECT_EQ(1, get_current_active_group());
    set_current_active_group(0);
    EXPECT_EQ(0, get_instrument_active_group(2));
    EXPECT_EQ(get_instrument_selection(2), get_current_instrument_selection());
    EXPECT_EQ(get_instrument_active_config(2), get_current_config());
    set_current_instrument_index(0);
}

TEST(InstrumentSlots, AttachingByModelCode)
{
    struct row {
        uint32_t model;
        bool (*is_family)(instrument_config*);
    };
    auto is15 = [](instrument_config* c) { return dynamic_cast<wqt_cfg_15xx*>(c) != nullptr; };
    auto is25 = [](instrument_config* c) { return dynamic_cast<wqt_cfg_25xx*>(c) != nullptr; };
    auto is45 = [](instrument_config* c) { return dynamic_cast<wqt_cfg_45xx*>(c) != nullptr; };
    auto is55 = [](instrument_config* c) { return dynamic_cast<wqt_cfg_55xx*>(c) != nullptr; };
    const row rows[] = {{1, is15}, {6, is15}, {2, is25}, {3, is25}, {4, is45}, {5, is55}};
    for (const row& r : rows) {
        auto group2_before = get_instrument(0).get_group2_config();
        attach(record_with(r.model, 3, "TROSVALDEN,WQT,S1,V1"), 0);
        EXPECT_TRUE(r.is_family(get_instrument(0).get_primary_config().get())) << r.model;
        EXPECT_EQ(group2_before, get_instrument(0).get_group2_config()) << r.model;
        EXPECT_STREQ("TROSVALDEN,WQT,S1,V1", get_instrument(0).idn_reply);
    }

    // Model 16 replaces both objects, one per group.
    attach(record_with(16, 6), 0);
    auto* g1 = dynamic_cast<wqt_cfg_35xx*>(get_instrument(0).get_primary_config().get());
    auto* g2 = dynamic_cast<wqt_cfg_35xx*>(get_instrument(0).get_group2_config().get());
    ASSERT_TRUE(g1 && g2);
    EXPECT_EQ(0, g1->group2_flag());
    EXPECT_EQ(1, g2->group2_flag());
    EXPECT_EQ(g2, get_instrument_config_for_group(0, 1).get());
    set_slot_active_group(0, 1);
    EXPECT_EQ(g2, get_instrument_active_config(0).get());
    set_slot_active_group(0, 0);

    // Model 1 afterwards replaces only the primary object.
    auto group2 = get_instrument(0).get_group2_config();
    attach(record_with(1), 0);
    EXPECT_EQ(group2, get_instrument(0).get_group2_config());
    EXPECT_EQ(get_instrument(0).get_primary_config(), get_instrument_config_for_group(0, 1));

    // Unknown codes copy the link fields and keep both objects.
    for (uint32_t model : {0u, 9999u}) {
        auto primary = get_instrument(0).get_primary_config();
        attach(record_with(model, 2, "OTHER,DEVICE,9,1"), 0);
        EXPECT_EQ(model, get_instrument(0).model_code);
        EXPECT_EQ(2u, get_instrument(0).phase_count);
        EXPECT_STREQ("OTHER,DEVICE,9,1", get_instrument(0).idn_reply);
        EXPECT_EQ(primary, get_instrument(0).get_primary_config());
        EXPECT_EQ(group2, get_instrument(0).get_group2_config());
    }
}

// Group selection against the simulated instrument on both kinds of link.
class GroupSwitch : public SimLinkTest {
protected:
    void SetUp() override
    {
        msgbox::reset();
        SimLinkTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        inst->set_line_end("\n");
        set_current_instrument_index(1);
    }
    void TearDown() override
    {
        if (get_instrument(1).link_open)
            open_close_link(LINK_CLOSE, &get_instrument(1));
        set_current_instrument_index(0);
    }
    // Moves the test's link into slot 1.
    void attach(uint32_t model)
    {
        link->model_code = model;
        link->phase_count = 6;
        attach_instrument_to_slot(*link, 1);
        get_instrument(1).active_group = 0;
    }
    // The command lines the instrument received after the handshake.
    std::vector<std::string> commands() const { return inst->commands(); }
};

TEST_P(GroupSwitch, SelectsGroupTwoAtTheFirstTry)
{
    attach(16);
    EXPECT_TRUE(set_active_group_and_switch(1, false));
    EXPECT_EQ(1, get_current_active_group());
    EXPECT_EQ(2, inst->group());
    EXPECT_EQ(wire({"\x14", "GROUP,2\n", "GROUP?\n"}), inst->received());
    EXPECT_TRUE(msgbox::shown().empty());
    EXPECT_EQ(0, get_instrument(1).link_open);

    // Back to group 1 on slot n, with the link held open by the caller.
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &get_instrument(1)));
    inst->clear_received();
    select_group_for_instrument(1, 0, true);
    EXPECT_EQ(1, inst->group());
    EXPECT_EQ(wire({"GROUP,1\n", "GROUP?\n"}), inst->received());
    EXPECT_EQ(1, get_instrument(1).link_open);
}

TEST_P(GroupSwitch, FourFailedTriesShowOneMessageAndClose)
{
    attach(16);
    inst->add_rule({"GROUP?", action::reply, "1", 0, -1});
    EXPECT_FALSE(set_active_group_and_switch(1, false));
    auto sent = commands();
    ASSERT_EQ(8u, sent.size());
    for (size_t i = 0; i < sent.size(); i += 2) {
        EXPECT_EQ("GROUP,2", sent[i]);
        EXPECT_EQ("GROUP?", sent[i + 1]);
    }
    auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Unable to send commands to instrument, check connection", boxes[0].text);
    EXPECT_EQ("Connection Failed", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes[0].type);
    EXPECT_EQ(1, get_current_active_group()); // kept as set
    EXPECT_EQ(0, get_instrument(1).link_open);
}

TEST_P(GroupSwitch, OtherModelsSendNothing)
{
    for (uint32_t model : {15u, 9998u, 5u}) {
        attach(model);
        EXPECT_TRUE(set_active_group_and_switch(1, false)) << model;
        select_group_for_instrument(1, 1, false);
        switch_instrument_group(false);
        verify_current_group(false);
        verify_instrument_group(1, false);
    }
    Sleep(100);
    EXPECT_EQ("", inst->received());
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_P(GroupSwitch, VerifySwitchesOnlyWhenTheInstrumentDiffers)
{
    attach(16);
    verify_current_group(false);
    EXPECT_EQ(wire({"\x14", "GROUP?\n"}), inst->received());

    inst->clear_received();
    inst->add_rule({"GROUP?", action::reply, "2", 0, 1});
    verify_instrument_group(1, false);
    auto sent = commands();
    ASSERT_EQ(3u, sent.size());
    EXPECT_EQ("GROUP?", sent[0]);
    EXPECT_EQ("GROUP,1", sent[1]);
    EXPECT_EQ("GROUP?", sent[2]);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_P(GroupSwitch, AttachingTakesTheOpenLinkOver)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    attach(16);
    // The record is left closed; the slot talks over what it held.
    EXPECT_EQ(0, link->link_open);
    EXPECT_EQ(kNoSocket, link->socket);
    EXPECT_EQ(INVALID_HANDLE_VALUE, link->serial_handle);
    instrument_slot& slot = get_instrument(1);
    EXPECT_EQ(1, slot.link_open);
    set_active_group_and_switch(1, true);
    EXPECT_EQ(2, inst->group());
    // Attaching the slot's own record changes nothing of its link.
    attach_instrument_to_slot(slot, 1);
    EXPECT_EQ(1, slot.link_open);
    set_active_group_and_switch(0, true);
    EXPECT_EQ(1, inst->group());
    EXPECT_TRUE(msgbox::shown().empty());
}

INSTANTIATE_OVER_BOTH_LINKS(GroupSwitch);

TEST(GroupSwitchFailure, LinkThatDoesNotOpenGivesTheMessageAtOnce)
{
    msgbox::reset();
    auto rec = make_serial_link("COM248");
    rec->model_code = 16;
    attach_instrument_to_slot(*rec, 2);
    set_current_instrument_index(2);
    DWORD start = GetTickCount();
    EXPECT_FALSE(set_active_group_and_switch(1, false));
    EXPECT_LT(GetTickCount() - start, 1000u);
    ASSERT_EQ(1u, msgbox::shown().size());
    EXPECT_EQ("Connection Failed", msgbox::shown()[0].caption);
    // A caller that has told the user already gets the answer only.
    EXPECT_FALSE(set_active_group_and_switch(0, false, group_failure::quiet));
    EXPECT_EQ(1u, msgbox::shown().size());
    set_current_instrument_index(0);
}

// ---- Phase, grouping and wiring rules ----

// Puts a two-group or other instrument with the given phases, wiring and
// grouping into slot 2; the group-0 grouping can differ from group g's.
void set_up_slot(uint32_t model, int phases, int wiring, int grouping, int group,
                 int group0_grouping = -1)
{
    attach(record_with(model, static_cast<uint32_t>(phases)), 2);
    get_instrument(2).active_group = model == 16 ? group : 0;
    auto config = get_instrument_config_for_group(2, group);
    config->set_value_int(82, wiring);
    config->set_value_int(23, grouping);
    if (model == 16 && group == 1)
        get_instrument_config_for_group(2, 0)->set_value_int(
            23, group0_grouping < 0 ? grouping : group0_grouping);
}

TEST(PhaseRules, GroupingPredicates)
{
    struct row {
        uint32_t model;
        int phases, grouping;
        bool a, b, c;
    };
    const row rows[] = {
        {16, 3, 0, true, false, false},  {16, 3, 2, true, true, false},
        {16, 4, 3, false, false, true},  {16, 4, 0, true, false, false},
        {16, 4, 4, true, true, false},   {16, 5, 1, true, false, false},
        {16, 5, 2, false, false, true},  {16, 5, 3, false, false, true},
        {16, 5, 4, true, true, false},   {16, 6, 0, true, false, false},
        {16, 6, 1, false, false, true},  {16, 6, 3, false, false, true},
        {16, 6, 4, true, true, false},   {16, 2, 0, false, false, false},
        // b and c do not look at the model; a does.
        {5, 3, 2, false, true, false},   {5, 6, 2, false, false, true},
    };
    for (const row& r : rows) {
        set_up_slot(r.model, r.phases, 1, r.grouping, 0);
        EXPECT_EQ(r.a, check_phase_grouping_a(2)) << r.model << " P" << r.phases << " q" << r.grouping;
        EXPECT_EQ(r.b, check_phase_grouping_b(2)) << r.model << " P" << r.phases << " q" << r.grouping;
        EXPECT_EQ(r.c, check_phase_grouping_c(2)) << r.model << " P" << r.phases << " q" << r.grouping;
    }
}

TEST(PhaseRules, WiringRuleOfTheSingleGroupModels)
{
    struct row {
        uint32_t model;
        int phases, wiring;
        bool fits;
    };
    const row rows[] = {
        {5, 3, 0, false}, {5, 2, 3, false}, {5, 3, 3, true},  {5, 3, 4, false},
        {4, 4, 5, false}, {1, 2, 4, true},  {1, 1, 5, true},  {2, 2, 2, true},
        {6, 1, 3, true},  {9999, 3, 1, false}, {0, 3, 1, false},
    };
    for (const row& r : rows) {
        if (r.model >= 1 && r.model <= 6)
            set_up_slot(r.model, r.phases, r.wiring, 0, 0);
        else {
            set_up_slot(1, r.phases, r.wiring, 0, 0);
            get_instrument(2).model_code = r.model;
        }
        EXPECT_EQ(r.fits, check_wiring_phase_rule(2, 0))
            << "model " << r.model << " P" << r.phases << " w" << r.wiring;
    }
}

TEST(PhaseRules, WiringRuleOfTheTwoGroupModel)
{
    struct row {
        int phases, wiring, grouping, group;
        bool fits;
    };
    const row rows[] = {
        // Phase counts outside 3..6, and groupings that do not fit them.
        {2, 3, 0, 0, false}, {7, 3, 0, 0, false}, {6, 4, 1, 0, false}, {4, 3, 3, 0, false},
        {3, 3, 0, 0, false}, {3, 5, 1, 0, false}, {5, 3, 2, 0, false}, {6, 3, 3, 1, false},
        // No wiring.
        {4, 0, 0, 0, false},
        // Wiring 3.
        {3, 3, 2, 0, true},  {4, 3, 1, 0, false}, {4, 3, 0, 1, true},  {5, 3, 0, 0, false},
        {5, 3, 0, 1, true},  {5, 3, 1, 1, false}, {5, 3, 1, 0, true},
        // Wiring 4.
        {3, 4, 2, 0, false}, {4, 4, 2, 0, false}, {4, 4, 2, 1, true},  {4, 4, 4, 1, false},
        {4, 4, 0, 1, false}, {4, 4, 0, 0, true},  {5, 4, 1, 0, false}, {5, 4, 1, 1, true},
        {5, 4, 4, 0, false}, {5, 4, 0, 1, false}, {5, 4, 0, 0, true},  {6, 4, 0, 0, false},
        {6, 4, 4, 1, false}, {6, 4, 5, 0, true},
        // Other wirings below 5 fit.
        {4, 1, 0, 0, true},  {4, 2, 4, 1, true},
        // Wiring 5.
        {3, 5, 2, 0, false}, {4, 5, 2, 0, false}, {4, 5, 2, 1, true},  {4, 5, 4, 0, false},
        {4, 5, 0, 1, false}, {4, 5, 0, 0, true},  {4, 5, 1, 0, true},  {5, 5, 1, 0, false},
        {5, 5, 1, 1, true},  {5, 5, 4, 1, false}, {5, 5, 0, 0, true},  {6, 5, 0, 1, false},
        {6, 5, 4, 0, false}, {6, 5, 5, 0, true},
    };
    for (const row& r : rows) {
        set_up_slot(16, r.phases, r.wiring, r.grouping, r.group);
        EXPECT_EQ(r.fits, check_wiring_phase_rule(2, r.group))
            << "P" << r.phases << " w" << r.wiring << " q" << r.grouping << " g" << r.group;
    }

    // Three phases need grouping 2 in group 1's configuration, whatever the
    // grouping of the group asked about.
    set_up_slot(16, 3, 3, 2, 1, 0);
    EXPECT_FALSE(check_wiring_phase_rule(2, 1));
    set_up_slot(16, 3, 3, 0, 1, 2);
    EXPECT_FALSE(check_wiring_phase_rule(2, 1)); // wiring 3 with grouping 0
    set_up_slot(16, 3, 1, 0, 1, 2);
    EXPECT_TRUE(check_wiring_phase_rule(2, 1));
}

} // namespace
