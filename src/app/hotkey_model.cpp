#include "app/hotkey_model.h"

#include <vector>

namespace lumeq {

std::optional<HotKeyId> ControlCommandKey(std::string_view word) {
    if (word == "toggle") return HotKeyId::CtrlF1;
    if (word == "screenshot") return HotKeyId::CtrlF2;
    if (word == "down") return HotKeyId::CtrlF3;
    if (word == "up") return HotKeyId::CtrlF4;
    return std::nullopt;
}

std::string NoGlobalShortcutsText() {
    return "El escritorio no dio a lumeq gamma los atajos globales: Ctrl+F1 a Ctrl+F4 solo llegan mientras una "
           "ventana de X11 (un juego de Proton) tiene el teclado.\nPara el resto, asigne en el escritorio unas "
           "teclas a las órdenes «lumeq-gamma --toggle», «--up», «--down» y «--screenshot».";
}

std::string TakenKeysText(const std::array<bool, kHotKeyCount>& registered) {
    std::vector<std::string> taken;
    for (int id = 0; id < kHotKeyCount; ++id)
        if (!registered[static_cast<std::size_t>(id)]) taken.push_back("Ctrl+F" + std::to_string(id + 1));
    if (taken.empty()) return {};
    // "Ctrl+F3", "Ctrl+F1 y Ctrl+F3", "Ctrl+F1, Ctrl+F2 y Ctrl+F3"
    std::string list;
    for (std::size_t i = 0; i < taken.size(); ++i)
        list += (i == 0 ? "" : i + 1 == taken.size() ? " y " : ", ") + taken[i];
    const bool one = taken.size() == 1;
    return std::string(one ? "La combinación " : "Las combinaciones ") + list + (one ? " ya la usa" : " ya las usa") +
           " otro programa o el escritorio: en el juego " + (one ? "no hará" : "no harán") +
           " nada de lumeq gamma.\nPara " + (one ? "usarla, libérela" : "usarlas, libérelas") +
           " en los atajos de teclado del escritorio (KDE Plasma: Preferencias del sistema > Atajos de teclado; "
           "Xfce: Gestor de ventanas > Teclado).";
}

}  // namespace lumeq
