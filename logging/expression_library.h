// The muParser expression library, loaded on first use through its C
// interface, and one expression parser of it.
#pragma once
#include <string>

// Loads the library (once; later calls answer from the first). False when
// the DLL or one of its entries is missing.
bool load_expression_library();

// The DLL loaded by load_expression_library: "muparser.dll" beside the
// program. Tests name a missing one; takes effect while nothing is loaded.
void set_expression_library_name(const char* name);

// One parser of the loaded library, released with the object.
class expression_parser {
public:
    // Needs load_expression_library() to have succeeded.
    expression_parser();
    ~expression_parser();
    expression_parser(const expression_parser&) = delete;
    expression_parser& operator=(const expression_parser&) = delete;

    bool valid() const { return handle_ != nullptr; }
    // The variable is read through the pointer at every evaluation.
    void define_variable(const char* name, double* value);
    // Sets the expression and evaluates it once; false with the parser's
    // message in error when it is not a valid expression.
    bool compile(const std::string& expression, std::string& error);
    // Evaluates the expression; false when the evaluation fails.
    bool evaluate(double& value);

private:
    bool take_error(std::string* error);

    void* handle_ = nullptr;
};
