// Every text the draw command itself writes to the status line (the engine
// writes its own).
#pragma once

namespace curvalia::plot::msg {

inline constexpr const char* kAnalysing = "Analisi espressione in corso...";
inline constexpr const char* kSweeping = "Elaborazione in corso...";
inline constexpr const char* kBadFields = "Campi errati";
inline constexpr const char* kBadStep = "Step non valido";
// Added to a refusal that a decimal comma caused, as in
// "Step non valido: usare il punto come separatore decimale".
inline constexpr const char* kDecimalCommaHint = ": usare il punto come separatore decimale";

} // namespace curvalia::plot::msg
