#include "platform/printer.h"

#include <QCoreApplication>
#include <QPrinter>

namespace platform {

namespace {
QPrinter* thePrinter = nullptr;
}

QPrinter& Printer()
{
    if (!thePrinter) {
        thePrinter = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine([] {
            delete thePrinter;
            thePrinter = nullptr;
        });
    }
    return *thePrinter;
}

}  // namespace platform
