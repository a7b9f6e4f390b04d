// Every text the draw command itself writes to the status line (the engine
// writes its own).
#pragma once

namespace curvalia::plot::msg {

inline constexpr const char* kAnalysing = "Analisi espressione in corso...";
inline constexpr const char* kSweeping = "Elaborazione in corso...";
inline constexpr const char* kBadFields = "Campi errati";
inline constexpr const char* kBadStep = "Step non valido";

} // namespace curvalia::plot::msg
