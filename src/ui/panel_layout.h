#pragma once
// The panels laid over the banner, declared once for both shells: each control's name (its
// name in the window too), kind, caption and place in twips inside its panel. A shell makes
// them as its platform's controls and lets a caption its font needs more room for grow
// (see FitControls).
#include <string_view>
#include <vector>

#include "ui/scaling.h"

namespace lumeq {

enum class ControlKind {
    WrappingLabel,  // a caption that wraps onto more lines
    NameBox,        // a box to type a program's name into
    Button,
    CheckBox,
};

struct ControlLayout {
    std::string_view name;     // "Check1"
    ControlKind kind;
    std::string_view caption;  // UTF-8
    TwipsRect rect;
};

struct PanelLayout {
    std::string_view name;     // "FrActivacion"
    std::string_view caption;  // a frame's title drawn round the whole panel; empty for none
    TwipsRect rect;
    std::vector<ControlLayout> controls;
};

// The automatic-activation panel, the watched-programs panel, and the screenshots folder's
// warning.
PanelLayout ActivationPanel();
PanelLayout ProgramsPanel();
PanelLayout WarningPanel();

}  // namespace lumeq
