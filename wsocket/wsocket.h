#pragma once
// TWSocket: the socket component the programs use, with its SOCKS, line-mode and synchronous
// layers. Create it with an owner (deleted with it) or none; never delete it from inside one of
// its own handlers: PostFree does that from the event loop.
#include "wsocket/wsline.h"

class TWSocket : public TCustomSyncWSocket {
public:
    explicit TWSocket(QObject* Owner = nullptr);
    ~TWSocket() override;
};
