#include "runtime/runtime_error.hpp"

namespace bolvenda::runtime {

RuntimeError::RuntimeError(int number, const std::string& message)
    : std::runtime_error("Errore di run-time '" + std::to_string(number) + "': " + message),
      number_(number),
      message_(message) {}

RuntimeError RuntimeError::invalid_procedure_call() {
    return {5, "Chiamata di routine o argomento non validi"};
}
RuntimeError RuntimeError::overflow() { return {6, "Overflow"}; }
RuntimeError RuntimeError::subscript_out_of_range() {
    return {9, "Indice non incluso nell'intervallo"};
}
RuntimeError RuntimeError::division_by_zero() { return {11, "Divisione per zero"}; }
RuntimeError RuntimeError::object_variable_not_set() {
    return {91, "Variabile oggetto o variabile del blocco With non impostata"};
}
RuntimeError RuntimeError::control_array_element_missing() {
    return {340, "L'elemento di matrice di controllo non esiste"};
}
RuntimeError RuntimeError::property_not_supported() {
    return {438, "Proprietà o metodo non supportati dall'oggetto"};
}

}  // namespace bolvenda::runtime
