// User equations: the equation file read line by line, compiled through the
// expression library (or one box when it is missing), and the editor dialog.
#include "logging/equations.h"

#include "frame/app_data_folder.h"
#include "frame/ui_text.h"
#include "logging/expression_library.h"
#include "logging/logging_resource.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

constexpr const char* kLibraryMissing =
    "The equation library muparser.dll could not be loaded.\nEquations are not evaluated.";

class EquationsTest : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        set_app_data_folder(folder_.path.c_str());
        for (double& value : equation_variables)
            value = 0;
    }
    void TearDown() override { release_equation_parsers(); }

    void write_equations(const std::string& text)
    {
        ASSERT_TRUE(write_whole_file(equations_file_path(), text));
    }

    temp_folder folder_;
};

} // namespace

TEST_F(EquationsTest, LoadReadsOneEquationPerLine)
{
    write_equations("  Power2 =  Watts * 2  \r\n\r\n   \nRatio=Freq/50\nno equals sign\nA = b = c");
    equations_load();
    struct row {
        const char* name;
        const char* expression;
    };
    const row expected[] = {
        {"Power2", "Watts * 2"}, {"Ratio", "Freq/50"}, {"no equals sign", ""}, {"A", "b = c"}};
    const auto& records = equation_records();
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].name, expected[i].name);
        EXPECT_EQ(records[i].expression, expected[i].expression);
    }
    // Without the file there are no equations, and nothing to compile.
    DeleteFileA(equations_file_path().c_str());
    equations_load();
    EXPECT_TRUE(equation_records().empty());
    compile_equations(nullptr);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(EquationsTest, GoodAndBadEquationThroughTheLibrary)
{
    // Every parameter is a variable: the first and the last name included.
    const std::string first = ui_text[UI_PARAMETER_VAR_NAMES];
    const std::string last = ui_text[UI_PARAMETER_VAR_NAMES + UI_PARAMETER_COUNT - 1];
    write_equations("Double = Watts * 2 + 1\nBroken = Watts * (2 +\nEnds = " + first + " + " + last + "\n");
    equations_load();
    compile_equations(nullptr);

    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string heading = "The equation \"Broken\" could not be compiled:\n\n";
    EXPECT_EQ(boxes[0].text.substr(0, heading.size()), heading);
    EXPECT_GT(boxes[0].text.size(), heading.size()); // the parser's own message follows
    EXPECT_EQ(boxes[0].caption, "Kestrova");

    double value = -1;
    ASSERT_TRUE(evaluate_equation(0, value));
    EXPECT_DOUBLE_EQ(value, 1.0); // variables read 0 until a run fills them
    equation_variables[1] = 3.0;  // "Watts"
    ASSERT_TRUE(evaluate_equation(0, value));
    EXPECT_DOUBLE_EQ(value, 7.0);
    EXPECT_FALSE(evaluate_equation(1, value));
    equation_variables[0] = 50.0;
    equation_variables[UI_PARAMETER_COUNT - 1] = 0.5;
    ASSERT_TRUE(evaluate_equation(2, value));
    EXPECT_DOUBLE_EQ(value, 50.5);
    EXPECT_FALSE(evaluate_equation(3, value));

    release_equation_parsers();
    EXPECT_TRUE(equation_records().empty());
    EXPECT_FALSE(evaluate_equation(0, value));
}

TEST_F(EquationsTest, MissingLibraryGivesOneBox)
{
    set_expression_library_name("no_such_muparser.dll");
    write_equations("A = Watts\nB = Freq\n");
    equations_load();
    compile_equations(nullptr);
    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kLibraryMissing);
    EXPECT_EQ(boxes[0].caption, "Kestrova");
    double value = 0;
    EXPECT_FALSE(evaluate_equation(0, value));
}

TEST_F(EquationsTest, EditorShowsTheFileAndOkSavesIt)
{
    write_equations("A = 1\nB = Freq\n");
    std::string shown;
    char caption[64] = "";
    const INT_PTR result =
        run_modal_dialog(IDD_EQUATION_EDITOR, equation_editor_dlg_proc, 0, [&](HWND dialog) {
            GetWindowTextA(dialog, caption, sizeof caption);
            char text[256] = "";
            GetDlgItemTextA(dialog, IDC_EQUATION_TEXT, text, sizeof text);
            shown = text;
            SetDlgItemTextA(dialog, IDC_EQUATION_TEXT, "Sum = Watts + 1\r\n");
            click(dialog, IDOK);
        });
    EXPECT_EQ(result, IDOK);
    EXPECT_STREQ(caption, "Equation Editor");
    EXPECT_EQ(shown, "A = 1\r\nB = Freq\r\n");
    EXPECT_EQ(read_whole_file(equations_file_path()), "Sum = Watts + 1\r\n");
    ASSERT_EQ(equation_records().size(), 1u); // reloaded
    EXPECT_EQ(equation_records()[0].name, "Sum");
}
