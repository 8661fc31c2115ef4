#pragma once
// A private X server for the tests (never the machine's display): Xvfb on a display number it
// picks itself, and a plain xcb connection to it playing the other programs of a desktop.
#include <xcb/xcb.h>
#include <QProcess>
#include <QString>
#include <vector>

// Starts a helper program of the tests and answers the first line it prints (empty when it
// did not start or printed nothing in time); StopHelper ends it.
QString StartHelper(QProcess& process, const QString& program, const QStringList& arguments);
void StopHelper(QProcess& process);

class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    bool Running() const { return !display_.isEmpty(); }
    QString Display() const { return display_; }

private:
    QProcess process_;
    QString display_;
};

// A client of the private server: makes windows, reads their state, grabs keys.
class XClient {
public:
    explicit XClient(const QString& display);
    ~XClient();
    bool Connected() const { return conn_ != nullptr; }
    xcb_connection_t* Conn() const { return conn_; }
    xcb_window_t Root() const { return root_; }

    // A top-level window (or a child of Parent), of an EWMH type ("DOCK", "DESKTOP") or none.
    xcb_window_t Window(const char* type, bool mapped, xcb_window_t parent = 0);
    bool Mapped(xcb_window_t w);
    xcb_atom_t Atom(const char* name);
    // The key code of a key symbol.
    xcb_keycode_t Code(xcb_keysym_t sym);
    // True when the grab was granted (false: another client holds it).
    bool Grab(xcb_keysym_t sym, uint16_t modifiers);
    void Ungrab(xcb_keysym_t sym, uint16_t modifiers);

private:
    xcb_connection_t* conn_ = nullptr;
    xcb_window_t root_ = 0;
};
