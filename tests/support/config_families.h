// The five configuration families, for tests that run over all of them.
#pragma once
#include "config/instrument_config.h"

#include <memory>

inline constexpr config_family kAllFamilies[] = {config_family::wqt15xx, config_family::wqt25xx,
                                                 config_family::wqt35xx, config_family::wqt45xx,
                                                 config_family::wqt55xx};

// A new object of the family's class (the two-group family for group 1).
inline std::unique_ptr<instrument_config> make_family(config_family family)
{
    switch (family) {
    case config_family::wqt15xx: return std::make_unique<wqt_cfg_15xx>();
    case config_family::wqt25xx: return std::make_unique<wqt_cfg_25xx>();
    case config_family::wqt35xx: return std::make_unique<wqt_cfg_35xx>();
    case config_family::wqt45xx: return std::make_unique<wqt_cfg_45xx>();
    case config_family::wqt55xx: return std::make_unique<wqt_cfg_55xx>();
    }
    return nullptr;
}
