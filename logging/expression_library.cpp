#include "logging/expression_library.h"

#include <windows.h>

namespace {

// The C interface of the library (cdecl, narrow characters).
using parser_handle = void*;
using create_fn = parser_handle (*)(int base_type);
using release_fn = void (*)(parser_handle);
using set_expr_fn = void (*)(parser_handle, const char*);
using define_var_fn = void (*)(parser_handle, const char*, double*);
using eval_fn = double (*)(parser_handle);
using error_fn = int (*)(parser_handle);
using error_msg_fn = const char* (*)(parser_handle);

constexpr int kFloatParser = 0;

struct library_entries {
    create_fn create = nullptr;
    release_fn release = nullptr;
    set_expr_fn set_expr = nullptr;
    define_var_fn define_var = nullptr;
    eval_fn eval = nullptr;
    error_fn error = nullptr;
    error_msg_fn error_msg = nullptr;
};

const char* g_library_name = "muparser.dll";
HMODULE g_library = nullptr;
library_entries g_entries;

template <typename Fn>
bool resolve(HMODULE library, const char* name, Fn& out)
{
    out = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return out != nullptr;
}

bool resolve_all(HMODULE library, library_entries& e)
{
    return resolve(library, "mupCreate", e.create) && resolve(library, "mupRelease", e.release) &&
           resolve(library, "mupSetExpr", e.set_expr) && resolve(library, "mupDefineVar", e.define_var) &&
           resolve(library, "mupEval", e.eval) && resolve(library, "mupError", e.error) &&
           resolve(library, "mupGetErrorMsg", e.error_msg);
}

} // namespace

bool load_expression_library()
{
    if (g_library)
        return true;
    HMODULE library = LoadLibraryA(g_library_name);
    if (!library)
        return false;
    library_entries entries;
    if (!resolve_all(library, entries)) {
        FreeLibrary(library);
        return false;
    }
    g_entries = entries;
    g_library = library;
    return true;
}

void set_expression_library_name(const char* name)
{
    if (!g_library)
        g_library_name = name;
}

expression_parser::expression_parser()
{
    if (g_library)
        handle_ = g_entries.create(kFloatParser);
}

expression_parser::~expression_parser()
{
    if (handle_)
        g_entries.release(handle_);
}

void expression_parser::define_variable(const char* name, double* value)
{
    if (handle_)
        g_entries.define_var(handle_, name, value);
}

bool expression_parser::take_error(std::string* error)
{
    if (!g_entries.error(handle_))
        return false;
    if (error)
        *error = g_entries.error_msg(handle_);
    return true;
}

bool expression_parser::compile(const std::string& expression, std::string& error)
{
    if (!handle_) {
        error = "The expression library is not loaded";
        return false;
    }
    g_entries.set_expr(handle_, expression.c_str());
    if (take_error(&error))
        return false;
    g_entries.eval(handle_);
    return !take_error(&error);
}

bool expression_parser::evaluate(double& value)
{
    if (!handle_)
        return false;
    value = g_entries.eval(handle_);
    return !take_error(nullptr);
}
