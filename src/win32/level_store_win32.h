#pragma once
#include "gamma/engine_ports.h"

namespace lumeq {

// HKEY_CURRENT_USER\Software\lumeq\gamma\GammaConfig, string value "Settings".
class RegistryLevelStore : public LevelStore {
public:
    std::optional<std::string> Read() override;
    void Write(std::string_view text) override;
};

}  // namespace lumeq
