#pragma once
// The one printer of the process: the printer set-up dialog configures it and every printing
// code draws on it, so that what the operator chose is what prints.
class QPrinter;

namespace platform {

QPrinter& Printer();

}  // namespace platform
