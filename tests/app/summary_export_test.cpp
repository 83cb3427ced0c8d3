// The summary text file of an instrument: both groups of a two-group
// instrument, the current configuration of others, CR LF line ends.
#include "app/summary_export.h"

#include "config/config_summary.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_lines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

class SummaryExport : public testing::Test {
protected:
    static constexpr int kSlot = 2;

    instrument_slot& instrument(uint32_t model_code, const char* reply)
    {
        instrument_slot& slot = get_instrument(kSlot);
        slot.model_code = model_code;
        std::snprintf(slot.idn_reply, sizeof slot.idn_reply, "%s", reply);
        return slot;
    }

    temp_folder folder_;
    std::string path_ = folder_.file("summary.txt");
};

TEST_F(SummaryExport, BothGroupsOfATwoGroupInstrumentGroupOneFirst)
{
    instrument_slot& slot = instrument(16, "TROSVALDEN,WQT3540,99,2.0");
    auto group1 = std::make_shared<wqt_cfg_35xx>(0);
    auto group2 = std::make_shared<wqt_cfg_35xx>(1);
    group1->set_value_int(82, 1);
    group2->set_value_int(82, 2);
    slot.primary_config = group1;
    slot.group2_config = group2;
    slot.set_active_group(1); // whichever group is active

    ASSERT_TRUE(write_instrument_summary_file(path_.c_str(), kSlot));

    auto empty = std::make_unique<link_record>();
    clear_link_record(empty.get());
    const std::string expected = wqt_cfg_35xx_build_summary(*group1, slot).str()
                                 + wqt_cfg_35xx_build_summary(*group2, *empty).str();
    const std::string text = read_whole_file(path_);
    EXPECT_EQ(text, with_crlf(expected));
    EXPECT_EQ(text.find("TROSVALDEN,WQT3540,99,2.0Group 1\r\n"), 0u);
    EXPECT_NE(text.find("\r\nGroup 2\r\nAcquisition\r\n"), std::string::npos);
    EXPECT_NE(text.find("2 Phase 2 Wattmeter"), std::string::npos);
    EXPECT_LT(text.find("2 Phase 2 Wattmeter"), text.find("3 Phase 2 Wattmeter"));
}

TEST_F(SummaryExport, AnyOtherInstrumentWritesItsConfigurationAndReplacesTheFile)
{
    std::ofstream(path_) << std::string(50000, 'x');
    instrument_slot& slot = instrument(5, "TROSVALDEN,WQT5530,1,1.0");
    auto config = std::make_shared<wqt_cfg_55xx>();
    slot.primary_config = config;
    slot.set_active_group(0);

    ASSERT_TRUE(write_instrument_summary_file(path_.c_str(), kSlot));
    EXPECT_EQ(read_whole_file(path_), with_crlf(wqt_cfg_55xx_build_summary(*config, slot).str()));
}

TEST_F(SummaryExport, AFileThatCannotBeWrittenIsReported)
{
    instrument_slot& slot = instrument(1, "TROSVALDEN,WQT1520,1,1.0");
    slot.primary_config = std::make_shared<wqt_cfg_15xx>();
    const std::string missing_folder = folder_.file("no_such_folder\\x.txt");
    EXPECT_FALSE(write_instrument_summary_file(missing_folder.c_str(), kSlot));
    EXPECT_FALSE(write_instrument_summary_file(folder_.path.c_str(), kSlot)) << "a folder is no file";
}

} // namespace
