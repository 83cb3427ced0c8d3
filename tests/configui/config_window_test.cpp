// The Config window: its commands by family, the page buttons and the
// context button, the page shown again after a change, and the windows of
// rebuilt pages, which are destroyed once and never pile up.
#include "configui/pages/dispatch.h"
#include "configui/window/config_window.h"

#include "config/config_choices.h"
#include "configui/engine/config_ids.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/engine.h"
#include "configui/engine/page_kinds.h"
#include "frame/app_globals.h"
#include "frame/control_tables.h"
#include "frame/ui_fonts.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/config_window_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/test_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

// The Config window with its head as the frame creates it, a normal and a
// bold font in place of the frame's first two, and an instrument of the
// model in slot 0.
class ConfigWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        ui_fonts[0] = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Segoe UI");
        ui_fonts[1] = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Segoe UI");
        fixture_ = std::make_unique<config_window_fixture>(PAGE_ACQUISITION,
                                                           config_window_fixture::contents::with_controls);
        main_window = fixture_->parent();
        config_ = fixture_->window();
        ASSERT_NE(config_, nullptr);
        attach(5, 3);
    }
    void TearDown() override
    {
        fixture_.reset();
        main_window = nullptr;
        DeleteObject(ui_fonts[0]);
        DeleteObject(ui_fonts[1]);
    }

    static void attach(uint32_t model, uint32_t phases) { attach_current_instrument(model, phases); }

    void click(int id) { SendMessageA(config_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    // The page button shown bold, or 0 when none or more than one is.
    static int bold_button()
    {
        int bold = 0;
        for (int id = IDC_CFG_PAGE_FIRST; id <= IDC_CFG_PAGE_LAST; ++id) {
            const auto font = reinterpret_cast<HFONT>(SendMessageA(get_control_by_id(id), WM_GETFONT, 0, 0));
            if (font == ui_fonts[1])
                bold = bold ? -1 : id;
        }
        return bold < 0 ? 0 : bold;
    }

    static std::string title() { return window_text(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL)); }

    static BOOL CALLBACK count_row_id(HWND child, LPARAM out)
    {
        const int id = GetDlgCtrlID(child);
        if (id >= 25000 && id <= 26799)
            ++(*reinterpret_cast<std::map<int, int>*>(out))[id];
        return TRUE;
    }

    static BOOL CALLBACK count_child(HWND, LPARAM out)
    {
        ++*reinterpret_cast<int*>(out);
        return TRUE;
    }

    // The windows of each page-row id among the Config window's children.
    std::map<int, int> row_ids() const
    {
        std::map<int, int> ids;
        EnumChildWindows(config_, count_row_id, reinterpret_cast<LPARAM>(&ids));
        return ids;
    }

    // Every window under the Config window, labels and up-downs included.
    int child_count() const
    {
        int count = 0;
        EnumChildWindows(config_, count_child, reinterpret_cast<LPARAM>(&count));
        return count;
    }

    static void deliver_posted()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

    std::unique_ptr<config_window_fixture> fixture_;
    HWND config_ = nullptr;
};

} // namespace

// Each page button shows its page: its title, itself bold, its number
// current.
TEST_F(ConfigWindowTest, PageButtonsShowTheirPages)
{
    get_current_config()->set_value_int(1, 0); // RMS Voltmeter
    const struct {
        int id;
        const char* title;
        int page;
    } buttons[] = {
        {IDC_CFG_PAGE_SYS, "Configuration: System Options", 7},
        {IDC_CFG_PAGE_ACQU, "Configuration: Acquisition Control", 0},
        {IDC_CFG_PAGE_COUPLING, "Configuration: Coupling", 2},
        {IDC_CFG_PAGE_DATALOG, "Configuration: Data Log", 4},
        {IDC_CFG_PAGE_APP, "Configuration: Application Options", 5},
        {IDC_CFG_PAGE_AUX, "Configuration: Auxiliary Control", 6},
        {IDC_CFG_PAGE_MODE, "Configuration: RMS Voltmeter", 8},
        {IDC_CFG_PAGE_RANGE, "Configuration: Phase 1 Ranging", 3},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.title);
        click(b.id);
        EXPECT_EQ(title(), b.title);
        EXPECT_EQ(bold_button(), b.id);
        EXPECT_EQ(config_current_page, b.page);
    }
}

// MATHS, ALARM, REMOTE and PROG change nothing; neither does the context
// button where its page gives it nothing to do.
TEST_F(ConfigWindowTest, ButtonsWithoutAPageChangeNothing)
{
    click(IDC_CFG_PAGE_SYS);
    const std::map<int, int> rows = row_ids();
    for (int id : {IDC_CFG_PAGE_MATHS, IDC_CFG_PAGE_ALARM, IDC_CFG_PAGE_REMOTE, IDC_CFG_PAGE_PROG}) {
        click(id);
        EXPECT_EQ(config_current_page, 7) << id;
        EXPECT_EQ(bold_button(), IDC_CFG_PAGE_SYS) << id;
    }
    EXPECT_EQ(row_ids(), rows);
    const struct {
        uint32_t model;
        int button;
        int page;
    } quiet[] = {{5, IDC_CFG_PAGE_COUPLING, 2}, {5, IDC_CFG_PAGE_DATALOG, 4}, {5, IDC_CFG_PAGE_AUX, 6},
                 {5, IDC_CFG_PAGE_SYS, 7},      {2, IDC_CFG_PAGE_APP, 5}};
    for (const auto& q : quiet) {
        attach(q.model, 3);
        click(q.button);
        deliver_posted();
        const std::string before = title();
        const std::map<int, int> shown = row_ids();
        click(IDC_CFG_ADVANCED_OPTIONS);
        deliver_posted();
        EXPECT_EQ(config_current_page, q.page) << q.button;
        EXPECT_EQ(title(), before) << q.button;
        EXPECT_EQ(row_ids(), shown) << q.button;
    }
}

// The context button: page 0 leads to page 1, which goes back through ACQU;
// the Power Analyzer page leads to the torque and speed page and back.
TEST_F(ConfigWindowTest, ContextButtonStepsToTheRelatedPage)
{
    click(IDC_CFG_PAGE_ACQU);
    click(IDC_CFG_ADVANCED_OPTIONS);
    EXPECT_EQ(config_current_page, 1);
    EXPECT_EQ(title(), "Configuration: Advanced Acquisition Control");
    click(IDC_CFG_ADVANCED_OPTIONS);
    deliver_posted();
    EXPECT_EQ(config_current_page, 0);

    get_current_config()->set_value_int(1, 2); // Power Analyzer
    click(IDC_CFG_PAGE_MODE);
    EXPECT_EQ(title(), "Configuration: Power Analyzer");
    click(IDC_CFG_ADVANCED_OPTIONS);
    EXPECT_EQ(config_current_page, 9);
    click(IDC_CFG_ADVANCED_OPTIONS);
    EXPECT_EQ(config_current_page, 8);
}

// The family of a model code comes from its profile; codes without one use
// the WQT55 family's pages.
TEST(PageFamily, ModelCodesChooseTheirFamily)
{
    const struct {
        uint32_t model;
        config_family family;
    } cases[] = {{1, config_family::wqt15xx},  {6, config_family::wqt15xx},  {2, config_family::wqt25xx},
                 {3, config_family::wqt25xx},  {16, config_family::wqt35xx}, {4, config_family::wqt45xx},
                 {5, config_family::wqt55xx},  {0, config_family::wqt55xx},  {7, config_family::wqt55xx},
                 {99, config_family::wqt55xx}, {9999, config_family::wqt55xx}};
    for (const auto& c : cases)
        EXPECT_EQ(page_family(c.model), c.family) << c.model;
}

// The WQT25 family's ranging steps: by one up to the last and back, or over
// the pair to phase 3 and back on a three-phase wiring 6 with item 22 at 0.
TEST(RangingSteps, Wqt25xxStepsByItsOwnRule)
{
    const struct {
        int first;
        int last;
        bool skip;
        std::vector<int> steps; // from phase 1
    } cases[] = {{1, 3, false, {2, 3, 1, 2}}, {1, 3, true, {3, 1, 3}}, {1, 1, false, {1, 1}},
                 {1, 2, false, {2, 1, 2}}};
    for (const auto& c : cases) {
        std::vector<int> seen;
        int phase = 1;
        for (size_t i = 0; i < c.steps.size(); ++i)
            seen.push_back(phase = next_ranging_phase_wqt25xx(phase, c.first, c.last, c.skip));
        EXPECT_EQ(seen, c.steps) << c.first << ".." << c.last << (c.skip ? " skip" : "");
    }
}

// Showing a page again reuses its windows; after the pages are invalidated
// the page gets new ones, the old ones go once the posted message has come,
// and every id has one window.
TEST_F(ConfigWindowTest, RebuiltPagesRetireTheirOldWindows)
{
    click(IDC_CFG_PAGE_SYS);
    const page_def& page = *find_page_def(PAGE_SYSTEM_OPTIONS, config_family::wqt55xx);
    HWND first = row_control(page, 0);
    ASSERT_NE(first, nullptr);
    click(IDC_CFG_PAGE_SYS);
    EXPECT_EQ(row_control(page, 0), first);

    invalidate_all_config_pages();
    HWND second = row_control(page, 0);
    EXPECT_NE(second, first);
    EXPECT_TRUE(IsWindow(first)) << "not destroyed inside the notification that rebuilt the page";
    deliver_posted();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(has_visible_style(second));
    for (const auto& [id, count] : row_ids())
        EXPECT_EQ(count, 1) << id;
    EXPECT_EQ(row_ids().size(), 8u);
}

// Many page switches and changes of instrument leave as many windows as
// there were. (Wine's GetGuiResources answers 0, so the windows under the
// Config window are counted instead.)
TEST_F(ConfigWindowTest, SwitchesAndInstrumentChangesLeakNoWindows)
{
    click(IDC_CFG_PAGE_ACQU);
    click(IDC_CFG_PAGE_SYS);
    deliver_posted();
    const int children = child_count();
    for (int i = 0; i < 500; ++i)
        click(i % 2 ? IDC_CFG_PAGE_SYS : IDC_CFG_PAGE_ACQU);
    const uint32_t models[] = {1, 2, 16, 4, 5};
    for (int i = 0; i < 50; ++i) {
        attach(models[i % 5], 3);
        invalidate_all_config_pages();
        deliver_posted();
    }
    attach(5, 3);
    invalidate_all_config_pages();
    deliver_posted();
    EXPECT_EQ(child_count(), children);
}
