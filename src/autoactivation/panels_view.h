#pragma once
// The automatic-activation panel and the watched-programs panel, as the core sees them
// (PanelsView), and what a user does on them (PanelsEvents).
#include <array>
#include <string>

namespace lumeq {

class PanelsView {
public:
    virtual ~PanelsView() = default;
    virtual void SetChecked(bool checked) = 0;
    virtual void EnableOtherPrograms(bool enabled) = 0;
    // Sets the four name boxes.
    virtual void SetNames(const std::array<std::string, 4>& names) = 0;
    virtual void ShowAutoActivationPanel(bool shown) = 0;
    virtual void ShowProgramsPanel(bool shown) = 0;
};

class PanelsEvents {
public:
    virtual ~PanelsEvents() = default;
    virtual void AutoActivationTicked(bool ticked) = 0;
    virtual void AcceptAutoActivation() = 0;     // "Aceptar"
    virtual void OpenProgramsPanel() = 0;  // "Otros programas"
    virtual void AcceptPrograms() = 0;          // "0k"
    virtual void NameEdited(int box, std::string text) = 0;
};

}  // namespace lumeq
