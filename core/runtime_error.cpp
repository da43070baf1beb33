#include "core/runtime_error.h"

namespace palmos {

void raiseSubscriptOutOfRange() {
    throw RuntimeError("Subscript out of range");
}
void raiseOverflow() {
    throw RuntimeError("Overflow");
}
void raiseDivisionByZero() {
    throw RuntimeError("Division by zero");
}
void raiseInvalidOperation() {
    throw RuntimeError("Invalid floating-point operation");
}
void raiseInvalidPropertyValue() {
    throw RuntimeError("Invalid property value");
}

}  // namespace palmos
