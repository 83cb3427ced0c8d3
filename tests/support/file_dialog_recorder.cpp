#include "tests/support/file_dialog_recorder.h"

#include "base/file_dialog.h"

#include <cstring>
#include <deque>

namespace {

std::vector<recorded_file_dialog> g_shown;
std::deque<std::string> g_answers;

std::string text_or_empty(const char* text)
{
    return text != nullptr ? text : "";
}

bool record(OPENFILENAMEA& request, bool save)
{
    g_shown.push_back({save, text_or_empty(request.lpstrTitle), text_or_empty(request.lpstrFile)});
    if (g_answers.empty())
        return false;
    const std::string answer = g_answers.front();
    g_answers.pop_front();
    // As the dialog does, a path that does not fit the buffer is refused.
    if (answer.empty() || answer.size() >= request.nMaxFile)
        return false;
    std::memcpy(request.lpstrFile, answer.c_str(), answer.size() + 1);
    return true;
}

} // namespace

namespace file_dialogs {

void reset()
{
    g_shown.clear();
    g_answers.clear();
}

std::vector<recorded_file_dialog> shown()
{
    return g_shown;
}

void answer_next(const std::string& path)
{
    g_answers.push_back(path);
}

void install()
{
    set_file_dialog_handler(record);
}

} // namespace file_dialogs
