#include "tests/configui/page_fixture.h"

#include "config/instrument_config.h"
#include "configui/config_pages.h"
#include "configui/pages/modes.h"
#include "configui/pages/page_kinds.h"
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "link/link_record.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <algorithm>
#include <cstdio>

void deliver_posted_messages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

grid_rows rows_from_top(const std::vector<int>& rows)
{
    grid_rows map;
    for (size_t g = 0; g < rows.size(); ++g)
        map.emplace_back(static_cast<int>(g), rows[g]);
    return map;
}

void PageTest::SetUp()
{
    AutoConfigs = 0;
    fixture_ = std::make_unique<config_window_fixture>(PAGE_SYSTEM_OPTIONS,
                                                       config_window_fixture::contents::with_controls);
    main_window = fixture_->parent();
    std::fill(std::begin(last_mode_shown), std::end(last_mode_shown), -1);
}

void PageTest::TearDown()
{
    fixture_.reset();
    main_window = nullptr;
    AutoConfigs = 0;
}

void PageTest::attach(uint32_t model, uint32_t phases, link_record* link)
{
    attach_current_instrument(model, phases, 0, link);
}

const page_def& PageTest::page(page_kind kind)
{
    return *find_page_def(kind, current_page_family());
}

std::vector<int> PageTest::placed_rows(const page_def& page)
{
    std::vector<int> rows;
    for (int r = 0; r < CONFIG_GRID_ROWS; ++r)
        for (int row = 0; row < page.row_count; ++row)
            if (config_grid[r].window != nullptr && config_grid[r].window == row_label(page, row))
                rows.push_back(row);
    return rows;
}

std::vector<std::string> PageTest::grid_labels()
{
    std::vector<std::string> labels;
    for (int r = 0; r < CONFIG_GRID_ROWS; ++r)
        if (config_grid[r].window)
            labels.push_back(window_text(config_grid[r].window));
    return labels;
}

grid_rows PageTest::grid_map(const page_def& page)
{
    grid_rows map;
    for (int g = 0; g < CONFIG_GRID_ROWS; ++g)
        for (int row = 0; row < page.row_count; ++row)
            if (config_grid[g].window != nullptr && config_grid[g].window == row_label(page, row))
                map.emplace_back(g, row);
    return map;
}

void PageTest::choose(page_kind kind, int row, int index, bool notify) const
{
    HWND list = row_control(page(kind), row);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (notify)
        SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(list));
}

void PageTest::type(page_kind kind, int row, const char* text) const
{
    HWND edit = row_control(page(kind), row);
    SetWindowTextA(edit, text);
    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(edit));
}

int PageTest::shown_entry(page_kind kind, int row)
{
    return static_cast<int>(SendMessageA(row_control(page(kind), row), CB_GETCURSEL, 0, 0));
}

int PageTest::other_entry(page_kind kind, int row)
{
    const LRESULT count = SendMessageA(row_control(page(kind), row), CB_GETCOUNT, 0, 0);
    return static_cast<int>((shown_entry(kind, row) + 1) % count);
}

void PageTest::notify_row(page_kind kind, int row, int code) const
{
    const page_def* def = find_page_def(kind, current_page_family());
    HWND control = def != nullptr ? row_control(*def, row) : nullptr;
    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, code),
                 reinterpret_cast<LPARAM>(control));
}

void PageTest::show_with(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items,
                         int group, const char* idn) const
{
    link_record link;
    clear_link_record(&link);
    if (idn != nullptr)
        std::snprintf(link.idn_reply, sizeof link.idn_reply, "%s", idn);
    attach(model, phases, &link);
    set_current_active_group(group);
    for (const item_set& set : items)
        get_current_config()->set_value_int(set.item, set.value);
    show_page(page(kind), config_window());
}

int PageTest::group_value(int group, int item)
{
    int value = 0;
    return get_current_config_ptr(group)->get_value_int(item, value);
}

std::string PageTest::group_text(int group, int item)
{
    std::string text;
    return get_current_config_ptr(group)->get_value_string(item, text);
}

void PageTestOnTheWire::SetUp()
{
    PageTest::SetUp();
    if (GetParam() == link_kind::lan) {
        lan_ = std::make_unique<lan_sim>();
        ASSERT_TRUE(lan_->ok()) << "no free loopback address";
    } else {
        serial_ = std::make_unique<serial_sim>();
        if (!serial_->ok())
            GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    }
}

void PageTestOnTheWire::show_on_wire(page_kind kind, uint32_t model, uint32_t phases,
                                     const std::vector<item_set>& items)
{
    connect_sim(model, phases, items);
    AutoConfigs = 1;
    show_page(page(kind), config_window());
    inst().clear_received();
}

void PageTestOnTheWire::connect_sim(uint32_t model, uint32_t phases, const std::vector<item_set>& items,
                                    const char* idn)
{
    if (idn != nullptr)
        std::snprintf(link().idn_reply, sizeof link().idn_reply, "%s", idn);
    attach(model, phases, &link());
    for (const item_set& set : items)
        get_current_config()->set_value_int(set.item, set.value);
    inst().clear_received();
}

void PageTestOnTheWire::TearDown()
{
    PageTest::TearDown();
    serial_.reset();
    lan_.reset();
}

std::string link_kind_name(const testing::TestParamInfo<link_kind>& info)
{
    return info.param == link_kind::lan ? "Lan" : "Serial";
}

namespace {

std::vector<std::string> item_commands(const wqt_sim::instrument& inst, bool reads)
{
    std::vector<std::string> found;
    for (const std::string& command : settled_commands(inst))
        if (command.rfind("config,", 0) == 0 && (command.find('?') != std::string::npos) == reads)
            found.push_back(command);
    return found;
}

} // namespace

std::vector<std::string> told_texts()
{
    std::vector<std::string> told;
    for (const auto& box : msgbox::shown())
        told.push_back("[" + box.caption + "] " + box.text);
    return told;
}

std::vector<std::string> item_writes(const wqt_sim::instrument& inst)
{
    return item_commands(inst, false);
}

std::vector<std::string> item_reads(const wqt_sim::instrument& inst)
{
    return item_commands(inst, true);
}

std::string write_of(int item, int value)
{
    return "config," + std::to_string(item) + "," + std::to_string(value);
}

std::vector<std::string> item_writes(const wqt_sim::instrument& inst, int item)
{
    const std::string prefix = "config," + std::to_string(item) + ",";
    std::vector<std::string> found;
    for (const std::string& write : item_writes(inst))
        if (write.rfind(prefix, 0) == 0)
            found.push_back(write);
    return found;
}

void attach_with(uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group, uint32_t option,
                 link_record* link)
{
    attach_current_instrument(model, phases, option, link);
    set_current_active_group(group);
    for (const item_set& set : items)
        get_current_config()->set_value_int(set.item, set.value);
}
