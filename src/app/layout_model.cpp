#include "app/layout_model.h"

#include <iterator>

namespace lumeq {

std::optional<TwipsPoint> PlacementForWidth(std::string_view width) {
    struct Row {
        const char* width;
        TwipsPoint place;
    };
    static constexpr Row kTable[] = {
        {"800", {9350, 6000}},   {"1024", {12800, 8500}}, {"1088", {13800, 6200}},
        {"1152", {14800, 10000}}, {"1280", {16600, 7800}},
    };
    for (const Row& row : kTable)
        if (width == row.width) return row.place;
    return std::nullopt;
}

std::string InformationText(bool hdr) {
    static constexpr const char* kLines[] = {
        "Información:",
        "Activar/Desactivar Ctrl+F1",
        "",
        "Si está activo:",
        "Aumentar gamma:    Ctrl+F4",
        "Disminuir gamma:     Ctrl+F3",
        "Screenshots:           Ctrl+F2",
        "",
        "Activación automática:",
        "Se activa/desactiva junto al Counter-Strike o cualquier MOD de HL.",
        "Configuración en el menú 'Gamma' > 'Activación automática'",
    };
    std::string text = kLines[0];
    for (std::size_t i = 1; i < std::size(kLines); ++i) {
        text += "\n";
        text += kLines[i];
    }
    if (hdr)
        text += "\n\nHDR: con HDR activado la gamma no puede aclarar la imagen, solo deformarla, así que esa "
                "pantalla se deja como está. Para aclarar los juegos use en Windows «Brillo del contenido SDR» "
                "(Configuración > Sistema > Pantalla > HDR).";
    return text;
}

}  // namespace lumeq
