#pragma once

#include <string>
#include <vector>

#include "core/settings/number_box.h"

class QLineEdit;

namespace vox {

// Number boxes that tell the owner, while they type, when the text is not a number: the box is
// marked and its tooltip says what OK will store. The stored value follows the usual rule.
class NumberBoxMarks {
public:
    // field: the box's name in the event log ("CW ID minutes").
    void watch(QLineEdit* box, NumberBoxKind kind, const char* field);
    // One event-log line per box that does not hold a number: the field and the value stored.
    std::vector<std::string> slipLines() const;

private:
    struct Box {
        QLineEdit* edit;
        NumberBoxKind kind;
        const char* field;
    };
    std::vector<Box> boxes_;
};

}  // namespace vox
