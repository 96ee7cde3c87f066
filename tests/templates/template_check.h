// Holds a dialog template against what its code does with the controls: every
// control the code uses must be in the template with a kind that fits the
// use, and every interactive control of the template must be used.
#pragma once

#include "platform/ui/control_access.h"
#include "platform/ui/dialog_template.h"

#include <string>
#include <vector>

namespace templatecheck {

// The class of the object that DDX_Control or SubclassDlgItem binds.
enum class BoundClass { Window, Button, Edit, Static, ComboBox, IpAddress, Slider };

struct CodeUse {
    enum class Via { Access, Notification };
    int id = 0;
    Via via = Via::Access;
    platform::ui::ControlAccess access{}; // Via::Access
    UINT code = 0;                        // Via::Notification: a message-map entry's code
    BoundClass bound = BoundClass::Window;

    bool operator==(const CodeUse&) const = default;
};

// One sentence for each disagreement, naming the dialog, the control id and
// what is wrong; empty when template and code agree.
std::vector<std::string> Disagreements(const platform::ui::DialogTemplate& dialog,
                                       const std::vector<CodeUse>& uses);

} // namespace templatecheck
