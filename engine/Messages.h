// Every text the engine writes to the status line.
#pragma once

namespace curvalia::engine::msg {

// Evaluator
inline constexpr const char* kBrackets =
    "Eventuale errore nell'espressione, controllare bene le parentesi";
inline constexpr const char* kStepLimit =
    "ATTENZIONE, la funzione \xC3\xA8 stata scritta in modo scorretto";

// Syntax checker
inline constexpr const char* kBlank = "Spazio non valido, eliminarlo";
inline constexpr const char* kUnknownWordPrefix = "Operatore non riconosciuto... ";
inline constexpr const char* kMoreOpen = "Le parentesi APERTE sono maggiori di quelle chiuse";
inline constexpr const char* kMoreClosed = "Le parentesi CHIUSE sono maggiori di quelle aperte";
inline constexpr const char* kEmptyBrackets = "Le parentesi non contengono alcun valore";
inline constexpr const char* kNeedOperator = "E' necessario un operatore fra le due parentesi";
inline constexpr const char* kBadStart = "L'espressione non pu\xC3\xB2 iniziare in questo modo";
inline constexpr const char* kRemoveOperatorPrefix = "Errore di sitassi, eliminare l'operatore ";
inline constexpr const char* kRemoveOperatorSuffix = "...";
inline constexpr const char* kCheckBrackets =
    "Errore di sitassi, verificare il contenuto delle parentesi";

} // namespace curvalia::engine::msg
