#pragma once
// Shared between the parts of the Winsock stand-in; not for its users.
#include <mutex>
#include "platform/winsock/winsock.h"

namespace winsock::detail {

// Held while a window is looked up and posted to, and while a lookup reply is copied into its
// caller's buffer, so that neither the window nor the buffer can go away meanwhile.
std::mutex& PostLock();
// With PostLock held. request is the lookup whose reply this is (0 for other messages).
bool PostLocked(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, HANDLE request);
// At delivery of a lookup reply: false when the request was cancelled after it was posted.
bool DeliverRequest(HANDLE request);

// Winsock code of an errno value / of a getaddrinfo failure.
int ErrorFromErrno(int err);
int ErrorFromLookup(int gaiError, int err);
// WSASetLastError and the failure result, in one.
int Fail(int error);
bool Started();

}  // namespace winsock::detail
