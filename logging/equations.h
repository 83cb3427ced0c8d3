// The user's equations: "equations.txt" in the per-user folder, one
// "Name = expression" a line, edited in the Equation Editor (dialog 140) and
// compiled with the muParser library, one parser per equation. Every
// equation sees the loggable parameters as variables by their equation
// names ("Freq", "Watts", ...).
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

constexpr int kEquationVariables = 91;

struct equation_record {
    std::string name;       // text before the first '=', trimmed
    std::string expression; // text after it, trimmed; empty when there is no '='
};

// The values the equations read, in parameter order; 0 until a logging run
// fills them.
extern double equation_variables[kEquationVariables];

// Path of the equations file.
std::string equations_file_path();

// Reads the equations file into the equation records (none when it is
// missing); parsers compiled before are released.
void equations_load();

// The equation records, in file order.
const std::vector<equation_record>& equation_records();

// Dialog procedure of the Equation Editor: the equations file in one
// multi-line edit box; OK writes it back and reloads the records, Cancel
// leaves it alone.
INT_PTR CALLBACK equation_editor_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Compiles every equation, loading the expression library on first use.
// Each equation that does not compile gets a box with the parser's message;
// a missing library gets one box and no equation is compiled.
void compile_equations(HWND owner);

// Evaluates compiled equation index into value; false when it is not
// compiled or its evaluation fails.
bool evaluate_equation(size_t index, double& value);

// Releases every parser and the equation records.
void release_equation_parsers();
