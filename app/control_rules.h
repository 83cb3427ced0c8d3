// Rules that bring a window's controls into line with the program's state:
// each rule names controls by id and says whether they are shown or enabled
// under a condition; a rule with a hook runs a step of its own. A window's
// rules are one table applied in order, so a later rule that sets a control
// again replaces what an earlier one set.
#pragma once
#include "frame/control_tables.h"

#include <windows.h>

#include <cstddef>
#include <initializer_list>

// One control id, or a range of ids first..last.
struct id_span {
    constexpr id_span(int id) : first(id), last(id) {}
    constexpr id_span(int first_id, int last_id) : first(first_id), last(last_id) {}
    int first;
    int last;
};

enum class rule_effect {
    show_when,   // shown when the condition holds, hidden otherwise
    enable_when, // enabled when the condition holds, disabled otherwise
    enable_if,   // enabled when the condition holds, else left as it is
    disable_if,  // disabled when the condition holds, else left as it is
    run,         // the hook runs when the condition holds
};

template <typename Inputs>
struct control_rule {
    rule_effect effect;
    std::initializer_list<id_span> ids;
    bool (*when)(const Inputs& in);
    void (*hook)(const Inputs& in) = nullptr;
};

template <typename Inputs>
bool always(const Inputs&)
{
    return true;
}

template <typename Inputs>
bool never(const Inputs&)
{
    return false;
}

// Calls fn with the window of every id the rule names (null for an id
// without a window).
template <typename Fn>
void for_each_rule_control(std::initializer_list<id_span> ids, Fn fn)
{
    for (const id_span& span : ids)
        for (int id = span.first; id <= span.last; ++id)
            fn(get_control_by_id(id));
}

template <typename Inputs>
void apply_control_rule(const control_rule<Inputs>& rule, const Inputs& in)
{
    const bool holds = rule.when(in);
    switch (rule.effect) {
    case rule_effect::show_when:
        for_each_rule_control(rule.ids, [&](HWND w) { ShowWindow(w, holds ? SW_SHOW : SW_HIDE); });
        break;
    case rule_effect::enable_when:
        for_each_rule_control(rule.ids, [&](HWND w) { EnableWindow(w, holds); });
        break;
    case rule_effect::enable_if:
    case rule_effect::disable_if:
        if (holds) {
            const BOOL enable = rule.effect == rule_effect::enable_if;
            for_each_rule_control(rule.ids, [&](HWND w) { EnableWindow(w, enable); });
        }
        break;
    case rule_effect::run:
        if (holds && rule.hook)
            rule.hook(in);
        break;
    }
}

template <typename Inputs, size_t N>
void apply_control_rules(const control_rule<Inputs> (&rules)[N], const Inputs& in)
{
    for (const control_rule<Inputs>& rule : rules)
        apply_control_rule(rule, in);
}
