// Moving a whole configuration between the image and the instrument, item by
// item from id 255 down to 1, while the instrument is suspended. The item
// names of the instrument's model say which ids travel: "Unused" ids never
// do, and neither do ids the family does not define, which hold no value
// that could be sent or compared.
#include "config/instrument_config.h"

#include "base/text_util.h"
#include "config/model_profiles.h"
#include "config/transfer_progress.h"
#include "link/comms_log.h"
#include "link/item_exchange.h"
#include "link/link_record.h"
#include "link/transport.h"
#include "link/user_report.h"
#include "link/wire_commands.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

namespace {

constexpr int kFirstId = 255; // item 0 is never transferred
constexpr int kSteps = 255;
constexpr int kClearMs = 100;
constexpr int kSuspendTries = 5;
constexpr int kSuspendReplySize = 15;
constexpr int kSuspendOffRepeats = 5;
constexpr int kFrameReadTimeoutMs = 300;
constexpr int kErrorPauseMs = 100;
constexpr int kErrorLimit = 3;

const char kUnused[] = "Unused";

// What the frame installed to show a transfer without progress display.
std::atomic<transfer_busy_indicator*> g_busy_indicator{nullptr};

void busy_begin()
{
    if (transfer_busy_indicator* indicator = g_busy_indicator.load())
        indicator->begin();
}

void busy_end()
{
    if (transfer_busy_indicator* indicator = g_busy_indicator.load())
        indicator->end();
}

const char kReadError[] =
    "An error occurred reading the config from the instrument \n(Id:%d [%s] ret:%d)";
const char kReadErrorLast[] =
    "An error occurred reading the config from the instrument \n(Id:%d [%s] ret:%d)\n"
    "Too many read errors, stopping instrument config read";
const char kWriteError[] =
    "An error occurred writing the config to the instrument \n(Id:%d [%s] ret:%d)";
const char kWriteErrorLast[] =
    "An error occurred writing the config to the instrument \n(Id:%d [%s] ret:%d)\n"
    "Too many read errors, stopping instrument config read";
// A whole write tells at its end of the items it left unsent because their
// values lie outside their limits: how many, and the first with its limits.
const char kOutOfRangeOne[] =
    "An item was not sent to the instrument: its value lies outside its limits\n%s";
const char kOutOfRangeMany[] =
    "%d items were not sent to the instrument: their values lie outside their limits\n"
    "The first: %s";
const char kReadTitle[] = "Read Instrument Setup";
const char kWriteTitle[] = "Write Instrument Setup";

const char kReadingStatus[] = "Reading configuration from WQT";
const char kSendingStatus[] = "Sending configuration to WQT";

// How a transfer reports the items that failed.
struct error_policy {
    const char* text;      // each failure before the last
    const char* last_text; // the failure that ends the transfer
    const char* title;
    int limit;             // the failure that ends the transfer
    bool pause_after;      // wait 100 ms after each box that does not end it
};

// Without progress a read pauses after each message; a write without
// progress gives up at its first failure.
const error_policy kReadPolicy{kReadError, kReadErrorLast, kReadTitle, kErrorLimit, true};
const error_policy kReadProgressPolicy{kReadError, kReadErrorLast, kReadTitle, kErrorLimit,
                                       false};
const error_policy kWritePolicy{kWriteError, kWriteError, kWriteTitle, 1, false};
const error_policy kWriteProgressPolicy{kWriteError, kWriteErrorLast, kWriteTitle, kErrorLimit,
                                        false};

enum class direction { read, write };

// The box of a failed item: text with the item's id, its name among names
// (none without names) and the result of its code.
void report_item_failure(const char* text, const char* title, item_error_code code,
                         const char* const* names)
{
    const int id = item_error_id(code);
    const char* name = names != nullptr && id < kItemsPerTable ? names[id] : "";
    char message[512];
    snprintf(message, sizeof message, text, id, name, static_cast<int>(item_error_result(code)));
    report_to_user(message, title, MB_ICONEXCLAMATION | MB_OK);
}

// Whether the instrument's value read into `copy` is the image's value.
bool same_value(const config_item& copy, const config_item& image)
{
    if (copy.kind == ITEM_LIST && image.kind == ITEM_LIST)
        return copy.value.integer == image.value.integer;
    if (copy.kind == ITEM_TEXT && image.kind == ITEM_TEXT)
        return strncmp(copy.value.text, image.value.text, sizeof copy.value.text) == 0;
    return false;
}

std::string id_line(const char* prefix, const char* name, int id)
{
    return std::string(prefix) + name + " (" + std::to_string(id) + ")\n";
}

// An item's value as the transfer's lines name it: a list's position, or
// the text.
std::string value_text(const config_item& item)
{
    if (item.kind == ITEM_LIST)
        return std::to_string(item.value.integer);
    return std::string(item.value.text, strnlen(item.value.text, kItemTextMax));
}

// Why an item was not sent: its value and the limits it has, the bounds in
// a stream's shortest form ("Voltage Input (id:24 val:5) can only be set
// between 0 and 3").
std::string limits_text(const char* name, int id, const config_item& item)
{
    std::ostringstream out;
    out << name << " (id:" << id << " val:" << value_text(item) << ") can only be set ";
    if (item.minimum == kNoBound)
        out << "at or below " << item.maximum;
    else if (item.maximum == kNoBound)
        out << "at or above " << item.minimum;
    else
        out << "between " << item.minimum << " and " << item.maximum;
    return out.str();
}

// One whole transfer: the frame around the item loop, the loop and the
// count of failed items. With a progress display it reports there and stops
// when the user asks it to.
class whole_transfer {
public:
    whole_transfer(instrument_config& cfg, link_record* link, bool manage,
                   transfer_progress* progress, const error_policy& policy)
        : cfg_(cfg), link_(link), manage_(manage), progress_(progress), policy_(policy)
    {
    }

    // The whole pass. False when the model code has no item-name list:
    // then nothing is sent (the progress display is still told the end, so
    // that it never waits for a report that will not come).
    bool run(direction dir)
    {
        begin(dir);
        names_ = link_ != nullptr ? item_names_for_model(link_->model_code) : nullptr;
        if (names_ == nullptr) {
            if (progress_)
                progress_->done(false);
            else
                busy_end();
            return false;
        }
        open_frame(dir);
        if (dir == direction::read)
            read_loop();
        else
            write_loop();
        close_frame();
        return true;
    }

    // The loop ran to its end: fewer failures than the limit, no cancel.
    bool completed() const { return !stopped_; }

private:
    void begin(direction dir)
    {
        if (progress_) {
            progress_->set_status(dir == direction::read ? kReadingStatus : kSendingStatus);
        } else {
            busy_begin();
        }
    }

    void open_frame(direction dir)
    {
        if (manage_)
            open_close_link(LINK_OPEN, link_);
        // A write without progress only drains what is pending; the others
        // first clear the instrument's input with DC4.
        if (progress_ || dir == direction::read)
            send_command(kDC4, link_);
        drain_input(link_, kClearMs);
        Sleep(kClearMs);
        suspend();
        set_read_timeout(kFrameReadTimeoutMs, link_);
        if (progress_)
            progress_->set_total(kSteps);
    }

    // The instrument is suspended once its status reads 0. When it never
    // does, the transfer goes on all the same.
    void suspend()
    {
        for (int attempt = 0; attempt < kSuspendTries; ++attempt) {
            send_command(kCmdSuspendOn, link_);
            send_command(kCmdSuspendStatus, link_);
            char reply[kSuspendReplySize] = "";
            const int length = receive_reply(reply, sizeof reply, link_);
            reply[sizeof reply - 1] = '\0';
            if (length != 0 && reply[0] != '\0' && leading_decimal(reply) == 0)
                return;
        }
    }

    void close_frame()
    {
        set_read_timeout(kDefaultReadTimeoutMs, link_);
        for (int i = 0; i < kSuspendOffRepeats; ++i)
            send_command(kCmdSuspendOff, link_);
        if (manage_)
            open_close_link(LINK_CLOSE, link_);
        report_out_of_range();
        if (progress_)
            progress_->done(stopped_);
        else
            busy_end();
    }

    // Called before each id: false once the loop is to end, because of too
    // many failures or because the user asked the transfer to stop.
    bool next_item(int id)
    {
        if (progress_ != nullptr && !stopped_ && progress_->cancel_requested())
            stopped_ = true;
        if (stopped_)
            return false;
        if (progress_)
            progress_->set_position(256 - id);
        return true;
    }

    // A named item that the family defines.
    bool transferable(int id) const
    {
        const config_item* item = cfg_.item_at(id);
        return item != nullptr && item->kind != ITEM_UNSET && strcmp(names_[id], kUnused) != 0;
    }

    void read_loop()
    {
        for (int id = kFirstId; id >= 1 && next_item(id); --id) {
            if (!transferable(id))
                continue;
            append_comms_log(id_line("Read::", names_[id], id).c_str());
            try {
                cfg_.read_item(id, link_, true, nullptr);
            } catch (item_error_code code) {
                report(code);
            }
        }
    }

    void write_loop()
    {
        for (int id = kFirstId; id >= 1 && next_item(id); --id) {
            if (!transferable(id))
                continue;
            const char* name = names_[id];
            bool differs = cfg_.item_at(id)->changed != 0;
            if (!differs) {
                // What the instrument holds now, whatever changed it there.
                config_item copy = *cfg_.item_at(id);
                append_comms_log(id_line("Read::", name, id).c_str());
                try {
                    cfg_.read_item(id, link_, true, &copy);
                } catch (item_error_code code) {
                    report(code);
                    continue;
                }
                differs = !same_value(copy, *cfg_.item_at(id));
            }
            if (!differs)
                continue;
            append_comms_log(id_line("Write::", name, id).c_str());
            const item_write_result result = cfg_.write_item(id, link_, true);
            const config_item& item = *cfg_.item_at(id);
            if (result.status == item_write_status::out_of_range) {
                if (item.minimum != kNoBound && item.maximum != kNoBound)
                    append_comms_log((limits_text(name, id, item) + "\n").c_str());
                if (out_of_range_++ == 0)
                    first_out_of_range_ = id;
            } else if (result.status == item_write_status::failed) {
                // A write the instrument refused or never answered is as
                // much a failure as a read that got nothing.
                report(result.error_code);
            }
        }
    }

    // The instrument does not hold what the image says for the items whose
    // values lay outside their limits: told once, after the frame.
    void report_out_of_range() const
    {
        if (out_of_range_ == 0)
            return;
        const int id = first_out_of_range_;
        const std::string first = limits_text(names_[id], id, *cfg_.item_at(id));
        char message[512];
        if (out_of_range_ == 1)
            snprintf(message, sizeof message, kOutOfRangeOne, first.c_str());
        else
            snprintf(message, sizeof message, kOutOfRangeMany, out_of_range_, first.c_str());
        report_to_user(message, policy_.title, MB_ICONEXCLAMATION | MB_OK);
    }

    // Shows a failed item; the failure at the limit ends the loop.
    void report(item_error_code code)
    {
        ++errors_;
        const bool last = errors_ >= policy_.limit;
        report_item_failure(last ? policy_.last_text : policy_.text, policy_.title, code, names_);
        if (last)
            stopped_ = true;
        else if (policy_.pause_after)
            Sleep(kErrorPauseMs);
    }

    instrument_config& cfg_;
    link_record* link_;
    bool manage_;
    transfer_progress* progress_; // null: no progress display, the busy indicator
    const error_policy& policy_;
    const char* const* names_ = nullptr;
    int errors_ = 0;
    bool stopped_ = false;
    int out_of_range_ = 0;      // items not sent for a value outside their limits
    int first_out_of_range_ = 0;
};

bool run_with_progress(instrument_config& cfg, link_record* link, bool manage,
                       transfer_progress& progress, direction dir, const error_policy& policy)
{
    if (link == nullptr) {
        progress.done(false);
        return false;
    }
    whole_transfer transfer(cfg, link, manage, &progress, policy);
    return transfer.run(dir) && transfer.completed();
}

} // namespace

void set_transfer_busy_indicator(transfer_busy_indicator* indicator)
{
    g_busy_indicator.store(indicator);
}

void report_item_write_failure(int32_t error_code, const char* const* names)
{
    report_item_failure(kWriteError, kWriteTitle, error_code, names);
}

void report_item_read_failure(int32_t error_code, const char* const* names)
{
    report_item_failure(kReadError, kReadTitle, error_code, names);
}

std::string out_of_limits_text(instrument_config& cfg, int id, const char* const* names)
{
    const config_item* item = cfg.item_at(id);
    if (item == nullptr)
        return "";
    return limits_text(names != nullptr && id < kItemsPerTable ? names[id] : "", id, *item);
}

void report_item_out_of_limits(const std::string& text)
{
    report_to_user(text.c_str(), kWriteTitle, MB_ICONEXCLAMATION | MB_OK);
}

void instrument_config::write_all_items(link_record* link, bool manage)
{
    whole_transfer transfer(*this, link, manage, nullptr, kWritePolicy);
    transfer.run(direction::write);
}

bool instrument_config::read_all_items(link_record* link, bool manage)
{
    whole_transfer transfer(*this, link, manage, nullptr, kReadPolicy);
    return transfer.run(direction::read) && transfer.completed();
}

bool instrument_config::write_all_items_with_progress(link_record* link, bool manage,
                                                      transfer_progress& progress)
{
    return run_with_progress(*this, link, manage, progress, direction::write,
                             kWriteProgressPolicy);
}

bool instrument_config::read_all_items_with_progress(link_record* link, bool manage,
                                                     transfer_progress& progress)
{
    return run_with_progress(*this, link, manage, progress, direction::read,
                             kReadProgressPolicy);
}
