#include "logging/equations.h"

#include "frame/app_data_folder.h"
#include "base/message_box.h"
#include "base/window_util.h"
#include "frame/ui_text.h"
#include "frame/version.h"
#include "logging/expression_library.h"
#include "logging/logging_resource.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

static_assert(kEquationVariables == UI_PARAMETER_COUNT, "one variable per loggable parameter");

double equation_variables[kEquationVariables] = {};

namespace {

constexpr const char* kEquationsFile = "equations.txt";
constexpr const char* kLibraryMissing =
    "The equation library muparser.dll could not be loaded.\nEquations are not evaluated.";

std::vector<equation_record> g_equations;
// One parser per equation record, null for an equation that did not compile.
std::vector<std::unique_ptr<expression_parser>> g_parsers;

std::string trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

equation_record parse_equation_line(const std::string& line)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return {trimmed(line), ""};
    return {trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

std::string read_file_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_file_text(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

// The edit box wants CR LF line ends; the file may hold LF alone.
std::string with_crlf(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::unique_ptr<expression_parser> compile_one(HWND owner, const equation_record& equation)
{
    auto parser = std::make_unique<expression_parser>();
    for (int i = 0; i < kEquationVariables; ++i)
        parser->define_variable(ui_text[UI_PARAMETER_VAR_NAMES + i], &equation_variables[i]);
    std::string error;
    if (parser->compile(equation.expression, error))
        return parser;
    std::string text = "The equation \"" + equation.name + "\" could not be compiled:\n\n" + error;
    show_message_box(owner, text.c_str(), kProductName, MB_OK | MB_ICONWARNING);
    return nullptr;
}

INT_PTR editor_on_init(HWND dialog, LPARAM)
{
    SetDlgItemTextA(dialog, IDC_EQUATION_TEXT, with_crlf(read_file_text(equations_file_path())).c_str());
    return TRUE;
}

void editor_on_ok(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_EQUATION_TEXT);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    const std::string path = equations_file_path();
    if (!write_file_text(path, text)) {
        const std::string message = "Unable to save the equations to " + path;
        show_message_box(dialog, message.c_str(), kProductName, MB_OK | MB_ICONWARNING);
        return;
    }
    equations_load();
    EndDialog(dialog, IDOK);
}

} // namespace

std::string equations_file_path()
{
    return std::string(get_app_data_folder()) + "\\" + kEquationsFile;
}

void equations_load()
{
    g_parsers.clear();
    g_equations.clear();
    std::istringstream lines(read_file_text(equations_file_path()));
    for (std::string line; std::getline(lines, line);) {
        if (!trimmed(line).empty())
            g_equations.push_back(parse_equation_line(line));
    }
}

const std::vector<equation_record>& equation_records()
{
    return g_equations;
}

INT_PTR CALLBACK equation_editor_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return ok_cancel_dialog(dialog, message, wparam, lparam, editor_on_init, editor_on_ok);
}

void compile_equations(HWND owner)
{
    g_parsers.clear();
    if (g_equations.empty())
        return;
    if (!load_expression_library()) {
        show_message_box(owner, kLibraryMissing, kProductName, MB_OK | MB_ICONWARNING);
        return;
    }
    for (const equation_record& equation : g_equations)
        g_parsers.push_back(compile_one(owner, equation));
}

bool evaluate_equation(size_t index, double& value)
{
    return index < g_parsers.size() && g_parsers[index] && g_parsers[index]->evaluate(value);
}

void release_equation_parsers()
{
    g_parsers.clear();
    g_equations.clear();
}
