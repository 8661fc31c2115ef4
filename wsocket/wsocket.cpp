#include "wsocket/wsocket.h"

TWSocket::TWSocket(QObject* Owner) : TCustomSyncWSocket(Owner) {}

TWSocket::~TWSocket()
{
    // While every layer is still alive: the close passes through all of them.
    CloseForDestruction();
}
