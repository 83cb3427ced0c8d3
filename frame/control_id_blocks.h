// The registry of control-id blocks. The child windows of the main window
// share one id space: a control is found by its id alone (get_control_by_id)
// and a notification is routed by it, so no two blocks of that space may
// meet. Each dialog numbers its controls in a space of its own; their
// blocks may meet each other, but not a block of the main window's.
#pragma once
#include <cstddef>

struct id_block {
    int first;
    int last;
    constexpr bool holds(int id) const { return id >= first && id <= last; }
    constexpr bool meets(const id_block& other) const
    {
        return first <= other.last && other.first <= last;
    }
};

// The main window's id space, one block per window, in id order.
namespace window_ids {
constexpr id_block top_bar{12000, 12011};
constexpr id_block config_head{13009, 13023};
constexpr id_block measure{14023, 14066};
constexpr id_block results_panels{14100, 14410};
constexpr id_block scope{14500, 14522};
constexpr id_block capture{14600, 14605};
constexpr id_block harmonics{14700, 14714};
constexpr id_block harmonic_results{14800, 14814};
constexpr id_block lomx{15500, 15540};
constexpr id_block voltmeter{15600, 15615};
constexpr id_block config_pages{25000, 26799};
} // namespace window_ids

constexpr id_block kWindowIdBlocks[] = {
    window_ids::top_bar,   window_ids::config_head,      window_ids::measure,
    window_ids::results_panels, window_ids::scope,       window_ids::capture,
    window_ids::harmonics, window_ids::harmonic_results, window_ids::lomx,
    window_ids::voltmeter, window_ids::config_pages,
};

// The frame's private messages to its subclassed controls, which travel as
// WM_COMMAND ids of their own.
constexpr id_block kFrameMessageBlock{11990, 11999};

// The dialogs' controls: the progress dialog, and the program's other
// dialogs (About, Settings, Communications, converter, chooser, saved
// configurations, upgrade, defaults, name entry and equations).
constexpr id_block kDialogIdBlocks[] = {
    {1000, 3101},   // the program's dialogs
    {112, 119},     // the converter's Connect dialog
    {10005, 10009}, // the progress dialog
};

namespace id_registry_detail {
template <size_t N>
constexpr bool in_order_and_apart(const id_block (&blocks)[N])
{
    for (size_t i = 0; i < N; ++i) {
        if (blocks[i].first > blocks[i].last)
            return false;
        if (i > 0 && blocks[i - 1].last >= blocks[i].first)
            return false;
    }
    return true;
}

template <size_t N>
constexpr bool none_meets(const id_block& block, const id_block (&blocks)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (block.meets(blocks[i]))
            return false;
    return true;
}

template <size_t N>
constexpr bool none_meets_windows(const id_block (&blocks)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (!none_meets(blocks[i], kWindowIdBlocks))
            return false;
    return true;
}
} // namespace id_registry_detail

static_assert(id_registry_detail::in_order_and_apart(kWindowIdBlocks),
              "the main window's id blocks are in id order and no two meet");
static_assert(id_registry_detail::none_meets(kFrameMessageBlock, kWindowIdBlocks),
              "the frame's private messages meet no control id");
static_assert(id_registry_detail::none_meets_windows(kDialogIdBlocks),
              "no dialog control id meets a block of the main window's");
