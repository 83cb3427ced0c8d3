// The title text built from the version constants.
#include "frame/version.h"

#include <string>
#include <string_view>

const char* build_version_string()
{
    static const std::string title = [] {
        std::string_view build(kBuildText);
        return std::string(kProductName) + " " + std::string(build.substr(0, build.find(' ')));
    }();
    return title.c_str();
}
