// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control_rules.h"

namespace quillet
{

EnabledControls EnabledFor(const ControlInputs& inputs)
{
    EnabledControls enabled;
    if (inputs.nFiles == 0)
        return enabled;
    enabled.bSettings = true;
    if (inputs.bUseTemplate) {
        const bool bPlaceholder =
            inputs.strTemplate.contains(u'#') || inputs.strTemplate.contains(u'*');
        enabled.bOk = bPlaceholder && !inputs.bJustTicked;
        enabled.bBatchFile = bPlaceholder;
    } else {
        enabled.bOk = inputs.nCaseMode != 0;
        enabled.bBatchFile = true;
    }
    return enabled;
}

} // namespace quillet
