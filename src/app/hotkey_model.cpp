#include "app/hotkey_model.h"

namespace lumeq {

HotKeyAction DecideHotKey(int id, bool on) {
    switch (id) {
        case static_cast<int>(HotKeyId::CtrlF1):
            return on ? HotKeyAction::Deactivate : HotKeyAction::Activate;
        case static_cast<int>(HotKeyId::CtrlF2):
            return on ? HotKeyAction::Screenshot : HotKeyAction::None;
        case static_cast<int>(HotKeyId::CtrlF3):
            return on ? HotKeyAction::StepDown : HotKeyAction::None;
        case static_cast<int>(HotKeyId::CtrlF4):
            return on ? HotKeyAction::StepUp : HotKeyAction::None;
        default:
            return HotKeyAction::None;
    }
}

}  // namespace lumeq
