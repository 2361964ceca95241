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
    virtual void EnableOtrosProgramas(bool enabled) = 0;
    // Sets the four name boxes.
    virtual void SetNames(const std::array<std::string, 4>& names) = 0;
    virtual void ShowActivationPanel(bool shown) = 0;
    virtual void ShowProgramsPanel(bool shown) = 0;
};

class PanelsEvents {
public:
    virtual ~PanelsEvents() = default;
    virtual void Check1_Click(bool ticked) = 0;
    virtual void btAutoactivar_Click() = 0;     // "Aceptar"
    virtual void btOtrosProgramas_Click() = 0;  // "Otros programas"
    virtual void Command1_Click() = 0;          // "0k"
    virtual void NameEdited(int box, std::string text) = 0;
};

}  // namespace lumeq
