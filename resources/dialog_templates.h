// The module's dialog templates (dialog_templates.cpp). They are registered
// with the window framework while the module is loaded.
#pragma once

#include "platform/ui/dialog_template.h"
#include "resources/resource.h"

#include <span>

std::span<const platform::ui::DialogTemplate> ModuleDialogTemplates();
