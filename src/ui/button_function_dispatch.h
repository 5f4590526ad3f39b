#pragma once
#include "ui/function_dispatch.h"

namespace vexo {

class ConfigRecord;
struct UiTexts;

// The function dispatch over the edited record: rows that need no parameters and the Shift rule.
// Rows whose parameters come from a key-assignment dialog (8-13) change nothing yet.
class ButtonFunctionDispatch : public FunctionDispatch {
public:
    // record and texts must outlive the dispatch.
    ButtonFunctionDispatch(ConfigRecord& record, const UiTexts& texts) : record_(record), texts_(texts) {}

    void AssignButtonFunction(int row, std::size_t button, KeyMode mode, std::string& edited,
                              std::string& other) override;

private:
    ConfigRecord& record_;
    const UiTexts& texts_;
};

} // namespace vexo
