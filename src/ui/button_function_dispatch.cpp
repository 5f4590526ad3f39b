#include "ui/button_function_dispatch.h"

#include "config/button_functions.h"

namespace vexo {

void ButtonFunctionDispatch::AssignButtonFunction(int row, std::size_t button, KeyMode mode, std::string& edited,
                                                  std::string& other)
{
    if (row < 0 || row >= static_cast<int>(kFunctionRows) || button >= kEditableButtons)
        return;
    const auto code = static_cast<std::uint8_t>(row);
    const ButtonLabels labels{edited, other};
    if (code == function_code::Shift) {
        AssignShift(record_, mode, button, texts_, labels);
        return;
    }
    AssignPlainFunction(record_, mode, button, code, texts_, labels);
}

} // namespace vexo
